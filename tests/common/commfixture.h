#ifndef COMMFIXTURE_H
#define COMMFIXTURE_H

// The main window in-process against a master on port 23 inside the private network namespace of
// scripts/netns-run, shared by every test that needs a logged-in window.

#include <QtTest>
#include <QtWidgets>

#include <functional>
#include <memory>

#include "mainwindow.h"
#include "mastersim.h"

namespace commtest {

struct LoginAnswer
{
    bool reject = false;
    QString host, user, password;               // typed into their fields unless null
    std::function<void(QWidget *dialog)> press; // presses "verbinden" itself, if set
};

// Answers the login dialog from a timer that fires in the dialog's loop, inside MainWindow().
void answerLoginDialog(const LoginAnswer &answer);

// Records and closes every message box with the chosen button, or with Return for NoButton.
class MessageBoxCloser : public QObject
{
public:
    struct Seen
    {
        QString title, text;
        bool windowEnabled;   // the main window behind the box
        QString windowStatus; // its status-bar text then
    };
    explicit MessageBoxCloser(QMessageBox::StandardButton answer = QMessageBox::Ok);
    QMessageBox::StandardButton answer;
    std::function<void(const Seen &)> observer;
    QList<Seen> seen;

private:
    QTimer timer;
};

// A main window logged in to the in-process simulator.
class CommSession
{
public:
    explicit CommSession(const MasterSimOptions &options = MasterSimOptions()) : simOptions(options) {}
    // Where the simulator listens: link-local, like the dialog's default preset.
    QString simAddress = QStringLiteral("169.254.100.100");
    quint16 simPort = MainWindow::kTelnetPort;
    QStringList arguments; // the program's start options; with them, the dialog's address is theirs
    // Answers the dialog, builds the window, waits for "online" and "gua"; false with a reason in error.
    bool start(LoginAnswer answer = LoginAnswer());
    QString error;

    MainWindow *window() const { return mainWindow.get(); }
    MasterSim &sim() { return *simulator; }
    QStatusBar *statusBar() const { return mainWindow->statusBar(); }
    template <typename T> T *widget(const char *name) const
    {
        return mainWindow->findChild<T *>(QString::fromLatin1(name));
    }

    QStringList receivedTexts() const;
    bool waitForReceived(int count, int timeoutMs);
    bool waitForStatus(const QString &text, int timeoutMs);
    // Lets the queue run empty and its last line arrive, then forgets what arrived.
    bool drainAndClear(int timeoutMs = 8000);

    // Carries out steps; returns an error text, empty on success. "click:<button>", "set:<widget>=<value>"
    // (combo box index, spin box value, line edit text), "key:<line edit>=Return|Up", "is:<widget>=<text>"
    // (line edit or button text, spin box "<value> of 1-<maximum>"), "select:<i>" (the keyboard box),
    // "type:<line>" (typed into the command line and sent).
    QString perform(const QStringList &steps);

private:
    MasterSimOptions simOptions;
    std::unique_ptr<MasterSim> simulator;
    std::unique_ptr<MainWindow> mainWindow; // goes before the simulator
};

void installGermanCatalogue();

// What ends the process (a fatal box, display scaling fixed at the start) runs in children of this
// binary, each with its scenario in the environment variable scenarioVariable.
extern const char *const scenarioVariable;
struct ChildRun
{
    int exitCode = -1;
    bool finished = false; // on its own, without crash, in time
    QString output;
};
// The current row's child (scenario: the row's name). The first row to ask starts every scenario's
// child at once; those not done timeoutMs after the start are ended.
ChildRun childOfRow(const QStringList &scenarios, int timeoutMs);

} // namespace commtest

#endif // COMMFIXTURE_H
