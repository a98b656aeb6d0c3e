#ifndef COMMFIXTURE_H
#define COMMFIXTURE_H

// Shared helpers for tests that run the main window against a master module
// simulator on port 23 inside the private network namespace of tests/netns-run.

#include <QDateTime>
#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <memory>

#include "mainwindow.h"
#include "mastersim.h"

class QStatusBar;

namespace commtest {

// The simulator's address in the tests: the link-local range, like the
// dialog's default preset.
extern const char *const kSimAddress;
// Upper bound for the start of the first login (dialog, connection, prompts).
constexpr int kLoginTimeoutMs = 8000;
// Tolerance of the one-second pace as measured at the simulator.
int paceToleranceMs();

// How the modal login dialog is answered.
struct LoginAnswer
{
    enum class Action { Accept, Reject };
    Action action = Action::Accept;
    // Typed into the fields before accepting; a null string leaves a field as it is.
    QString host;
    QString user;
    QString password;
    // Chosen in the preset list before the fields are typed; -1 leaves it.
    int presetIndex = -1;
};

// Answers the modal login dialog as soon as it shows (polling, because the
// dialog runs its own event loop inside the main window's constructor).
class LoginDialogAnswerer : public QObject
{
    Q_OBJECT
public:
    explicit LoginDialogAnswerer(const LoginAnswer &answer, QObject *parent = nullptr);
    bool answered() const { return done; }
    // The address field's text when the dialog showed, before anything was typed.
    QString initialHost() const { return firstHost; }

private:
    void poll();

    LoginAnswer answer;
    QTimer timer;
    bool done = false;
    QString firstHost;
};

// Records and closes every message box that shows, with a chosen answer.
class MessageBoxCloser : public QObject
{
    Q_OBJECT
public:
    struct Seen
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        bool windowEnabled;   // the main window behind the box
        QString windowStatus; // its status-bar text at that moment
    };

    explicit MessageBoxCloser(QMessageBox::StandardButton answer = QMessageBox::Ok,
                              QObject *parent = nullptr);
    void setAnswer(QMessageBox::StandardButton button) { answer = button; }
    // Called with each box before it is closed, for example to print it.
    void setObserver(std::function<void(const Seen &)> observer) { onSeen = std::move(observer); }
    QList<Seen> seen;

private:
    void poll();

    QMessageBox::StandardButton answer;
    std::function<void(const Seen &)> onSeen;
    QTimer timer;
};

// A main window logged in to an in-process simulator.
class CommSession
{
public:
    struct MessageTrace
    {
        QString text;
        bool windowEnabled; // after the window's own handling of the message
    };

    explicit CommSession(const MasterSimOptions &options = MasterSimOptions(),
                         const QString &address = QString::fromLatin1(kSimAddress));
    ~CommSession();

    // Starts the simulator, answers the dialog, constructs the window and waits
    // for "online" and the "gua" line. Returns false with a reason in error().
    bool start(LoginAnswer answer = LoginAnswer());
    QString error() const { return failure; }

    MainWindow *window() const { return mainWindow.get(); }
    MasterSim &sim() { return *simulator; }
    QStatusBar *statusBar() const;

    // Every text run of the telnet client and every status-bar message, in order.
    QList<MessageTrace> messages;
    QList<QPair<qint64, QString>> statusChanges; // ms since start, text

    // Lines received by the simulator, as text.
    QStringList receivedTexts() const;
    // Waits until the simulator has received at least count lines.
    bool waitForReceived(int count, int timeoutMs);
    // Waits until the command queue has run empty.
    bool waitForQueueEmpty(int timeoutMs);
    bool waitForStatus(const QString &text, int timeoutMs);
    // Waits for the queue to run empty and its last line to arrive, then
    // forgets what the simulator received.
    bool drainAndClear(int timeoutMs = 8000);
    // The status-bar text when the constructor returned.
    QString statusAfterConstruction;
    qint64 elapsedMs() const;

    // A widget of the window by its object name.
    template <typename T> T *widget(const char *name) const
    {
        return mainWindow ? mainWindow->findChild<T *>(QString::fromLatin1(name)) : nullptr;
    }
    void selectKeyboard(int index);
    QDateTime startedAt() const { return started; }

    // Carries out one step of a small click script and returns an error text,
    // empty on success. Steps: "select:<index>", "click:<button>",
    // "text:<line edit>=<text>", "board:<n>", "note:<n>", "hw:<index>",
    // "caption:<button>=<text>", "field:<line edit>=<text>".
    QString perform(const QString &step);
    QString performAll(const QStringList &steps);

private:
    void watchWindow();

    MasterSimOptions simOptions;
    QString simAddress;
    std::unique_ptr<MasterSim> simulator;
    std::unique_ptr<MainWindow> mainWindow;
    QString failure;
    QDateTime started;
};

// Gaps in ms between consecutive lines, for pace checks.
QList<qint64> gapsMs(const QList<MasterSim::ReceivedLine> &lines);

// Loads the catalogue that the program installs at start.
void installGermanCatalogue();

// Runs this test binary again as a child process with an environment variable
// selecting a scenario; the child ends the process itself (fatal paths).
struct ChildRun
{
    QString scenario;
    int exitCode = -1;
    bool crashed = false;
    bool finished = false;
    qint64 elapsedMs = -1; // from the start of all children to this one's end
    QString output;        // stdout and stderr together
};
// In the child: answers the dialog, closes every message box after printing
// "BOX|title|text|enabled|status" to stdout, constructs the window and prints
// "STATUS|text" once it is built. Returns 0 after printing "ONLINE" when the
// status bar reaches "online", 3 when nothing ends the run within the limit.
// The fatal paths end the process from inside with exit code 1.
int runChildWindow(const LoginAnswer &answer, int limitMs = 25000);
QList<ChildRun> runChildScenarios(const QStringList &scenarios, int timeoutMs);
const char *scenarioVariable();

} // namespace commtest

#endif // COMMFIXTURE_H
