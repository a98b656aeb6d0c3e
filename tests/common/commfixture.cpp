#include "commfixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLineEdit>
#include <QMainWindow>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTranslator>

#include <cstdio>

namespace commtest {

const char *const kSimAddress = "169.254.100.100";

int paceToleranceMs()
{
    // Sanitizer builds and a loaded CI machine stretch single ticks.
    const int fromEnv = qEnvironmentVariableIntValue("TASTARELLO_PACE_TOLERANCE_MS");
    return fromEnv > 0 ? fromEnv : 300;
}

const char *scenarioVariable()
{
    return "TASTARELLO_TEST_SCENARIO";
}

// ---------------------------------------------------------------------------

LoginDialogAnswerer::LoginDialogAnswerer(const LoginAnswer &answer, QObject *parent)
    : QObject(parent), answer(answer)
{
    connect(&timer, &QTimer::timeout, this, &LoginDialogAnswerer::poll);
    timer.start(10);
}

void LoginDialogAnswerer::poll()
{
    if (done)
        return;
    QWidget *dialog = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("DialogLogin") && w->isVisible())
            dialog = w;
    }
    if (!dialog)
        return;
    done = true;
    timer.stop();

    auto *ip = dialog->findChild<QLineEdit *>(QStringLiteral("lineEditIP"));
    auto *user = dialog->findChild<QLineEdit *>(QStringLiteral("lineEditUser"));
    auto *pass = dialog->findChild<QLineEdit *>(QStringLiteral("lineEditPass"));
    auto *presets = dialog->findChild<QComboBox *>(QStringLiteral("comboBox"));
    auto *connectButton = dialog->findChild<QPushButton *>(QStringLiteral("pushButton"));
    if (ip)
        firstHost = ip->text();

    if (answer.presetIndex >= 0 && presets)
        presets->setCurrentIndex(answer.presetIndex);
    if (!answer.host.isNull() && ip)
        ip->setText(answer.host);
    if (!answer.user.isNull() && user)
        user->setText(answer.user);
    if (!answer.password.isNull() && pass)
        pass->setText(answer.password);

    if (answer.action == LoginAnswer::Action::Reject)
        QMetaObject::invokeMethod(dialog, "reject");
    else if (connectButton)
        connectButton->click();
}

// ---------------------------------------------------------------------------

MessageBoxCloser::MessageBoxCloser(QMessageBox::StandardButton answer, QObject *parent)
    : QObject(parent), answer(answer)
{
    connect(&timer, &QTimer::timeout, this, &MessageBoxCloser::poll);
    timer.start(20);
}

void MessageBoxCloser::poll()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *box = qobject_cast<QMessageBox *>(w);
        if (!box || !box->isVisible() || box->property("commtestSeen").toBool())
            continue;
        box->setProperty("commtestSeen", true);
        Seen s{box->windowTitle(), box->text(), box->icon(), box->standardButtons(), false, QString()};
        if (auto *owner = qobject_cast<QMainWindow *>(box->parentWidget())) {
            s.windowEnabled = owner->isEnabled();
            s.windowStatus = owner->statusBar()->currentMessage();
        }
        seen.append(s);
        if (onSeen)
            onSeen(s);
        QAbstractButton *button = box->button(answer);
        if (!button)
            button = box->button(QMessageBox::Ok);
        if (button)
            button->click();
        else
            box->reject();
        return;
    }
}

// ---------------------------------------------------------------------------

CommSession::CommSession(const MasterSimOptions &options, const QString &address)
    : simOptions(options), simAddress(address)
{
}

CommSession::~CommSession()
{
    mainWindow.reset();
    simulator.reset();
}

bool CommSession::start(LoginAnswer answer)
{
    started = QDateTime::currentDateTime();
    simulator = std::make_unique<MasterSim>(simOptions);
    if (!simulator->listen(QHostAddress(simAddress), MainWindow::kTelnetPort)) {
        failure = QStringLiteral("the simulator cannot listen on %1:23 (not inside a network namespace?)")
                      .arg(simAddress);
        return false;
    }
    if (answer.host.isNull())
        answer.host = simAddress;

    LoginDialogAnswerer answerer(answer);
    mainWindow = std::make_unique<MainWindow>();
    if (!answerer.answered()) {
        failure = QStringLiteral("the login dialog did not show");
        return false;
    }
    watchWindow();

    QElapsedTimer clock;
    clock.start();
    if (!QTest::qWaitFor([&] { return mainWindow->isEnabled(); }, kLoginTimeoutMs)) {
        failure = QStringLiteral("no login: the window stayed disabled");
        return false;
    }
    if (!waitForStatus(QStringLiteral("online"), 3000)) {
        failure = QStringLiteral("no \"online\" in the status bar");
        return false;
    }
    if (!QTest::qWaitFor([&] { return receivedTexts().contains(QStringLiteral("gua")); }, 3000)) {
        failure = QStringLiteral("the simulator did not receive \"gua\"");
        return false;
    }
    return true;
}

void CommSession::watchWindow()
{
    MainWindow *w = mainWindow.get();
    statusAfterConstruction = statusBar()->currentMessage();
    QObject::connect(&w->telnetClient(), &telnetlib1::message, w, [this, w](const QString &text) {
        messages.append({text, w->isEnabled()});
    });
    QObject::connect(statusBar(), &QStatusBar::messageChanged, w, [this](const QString &text) {
        statusChanges.append({elapsedMs(), text});
    });
}

QStatusBar *CommSession::statusBar() const
{
    return mainWindow ? mainWindow->statusBar() : nullptr;
}

QStringList CommSession::receivedTexts() const
{
    QStringList texts;
    if (simulator) {
        const auto lines = simulator->receivedLines();
        for (const auto &line : lines)
            texts.append(line.text);
    }
    return texts;
}

bool CommSession::waitForReceived(int count, int timeoutMs)
{
    return QTest::qWaitFor([&] { return simulator->receivedLines().size() >= count; }, timeoutMs);
}

bool CommSession::waitForQueueEmpty(int timeoutMs)
{
    return QTest::qWaitFor([&] { return mainWindow->pendingCommands().isEmpty(); }, timeoutMs);
}

bool CommSession::drainAndClear(int timeoutMs)
{
    if (!waitForQueueEmpty(timeoutMs))
        return false;
    // The tick has written the last line; the simulator reads it on a later
    // turn of the event loop.
    QTest::qWait(250);
    simulator->clearReceivedLines();
    return true;
}

bool CommSession::waitForStatus(const QString &text, int timeoutMs)
{
    return QTest::qWaitFor([&] { return statusBar()->currentMessage() == text; }, timeoutMs);
}

qint64 CommSession::elapsedMs() const
{
    return started.msecsTo(QDateTime::currentDateTime());
}

void CommSession::selectKeyboard(int index)
{
    widget<QComboBox>("Manual_select_box")->setCurrentIndex(index);
}

QString CommSession::perform(const QString &step)
{
    const int colon = step.indexOf(QLatin1Char(':'));
    const QString verb = step.left(colon);
    const QString arg = step.mid(colon + 1);
    const int eq = arg.indexOf(QLatin1Char('='));
    const QByteArray name = (eq < 0 ? arg : arg.left(eq)).toLatin1();
    const QString value = eq < 0 ? QString() : arg.mid(eq + 1);

    if (verb == QLatin1String("select")) {
        selectKeyboard(arg.toInt());
        return QString();
    }
    if (verb == QLatin1String("board") || verb == QLatin1String("note")) {
        auto *box =
            widget<QSpinBox>(verb == QLatin1String("board") ? "Boardnr_select_box" : "Startnote_select_box");
        box->setValue(arg.toInt());
        return box->value() == arg.toInt() ? QString() : QStringLiteral("%1 rejected %2").arg(verb, arg);
    }
    if (verb == QLatin1String("hw")) {
        widget<QComboBox>("Hw_version_select_box")->setCurrentIndex(arg.toInt());
        return QString();
    }
    if (verb == QLatin1String("click")) {
        auto *button = widget<QAbstractButton>(name.constData());
        if (!button)
            return QStringLiteral("no button ") + arg;
        if (!button->isEnabled() || !mainWindow->isEnabled())
            return QStringLiteral("button %1 is not enabled").arg(arg);
        button->click();
        return QString();
    }
    if (verb == QLatin1String("text") || verb == QLatin1String("field")) {
        auto *edit = widget<QLineEdit>(name.constData());
        if (!edit)
            return QStringLiteral("no line edit ") + QString::fromLatin1(name);
        if (verb == QLatin1String("text")) {
            edit->setText(value);
            return QString();
        }
        return edit->text() == value ? QString()
                                     : QStringLiteral("%1 reads \"%2\", expected \"%3\"")
                                           .arg(QString::fromLatin1(name), edit->text(), value);
    }
    if (verb == QLatin1String("caption")) {
        auto *button = widget<QAbstractButton>(name.constData());
        if (!button)
            return QStringLiteral("no button ") + QString::fromLatin1(name);
        return button->text() == value ? QString()
                                       : QStringLiteral("%1 shows \"%2\", expected \"%3\"")
                                             .arg(QString::fromLatin1(name), button->text(), value);
    }
    return QStringLiteral("unknown step ") + step;
}

QString CommSession::performAll(const QStringList &steps)
{
    for (const QString &step : steps) {
        const QString problem = perform(step);
        if (!problem.isEmpty())
            return step + QStringLiteral(": ") + problem;
    }
    return QString();
}

// ---------------------------------------------------------------------------

QList<qint64> gapsMs(const QList<MasterSim::ReceivedLine> &lines)
{
    QList<qint64> gaps;
    for (int i = 1; i < lines.size(); ++i)
        gaps.append(lines[i - 1].time.msecsTo(lines[i].time));
    return gaps;
}

void installGermanCatalogue()
{
    static QTranslator translator;
    // The result is ignored as in the program: a missing catalogue shows the source texts.
    translator.load(QStringLiteral(":/language/spieltool_de"));
    QCoreApplication::installTranslator(&translator);
}

namespace {
void printLine(const QString &line)
{
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}
} // namespace

int runChildWindow(const LoginAnswer &answer, int limitMs)
{
    MessageBoxCloser closer(QMessageBox::Ok);
    closer.setObserver([](const MessageBoxCloser::Seen &s) {
        printLine(QStringLiteral("BOX|%1|%2|%3|%4")
                      .arg(s.title, s.text, QString::number(int(s.windowEnabled)), s.windowStatus));
    });
    LoginDialogAnswerer answerer(answer);
    MainWindow window;
    printLine(QStringLiteral("STATUS|") + window.statusBar()->currentMessage());
    printLine(QStringLiteral("HOST|") + window.currentLoginData().host);
    printLine(QStringLiteral("ENABLED|") + QString::number(int(window.isEnabled())));
    if (QTest::qWaitFor([&] { return window.statusBar()->currentMessage() == QLatin1String("online"); },
                        limitMs)) {
        printLine(QStringLiteral("ONLINE"));
        return 0;
    }
    printLine(QStringLiteral("NO-END"));
    return 3;
}

QList<ChildRun> runChildScenarios(const QStringList &scenarios, int timeoutMs)
{
    QList<ChildRun> runs;
    std::vector<std::unique_ptr<QProcess>> processes;
    QElapsedTimer clock;
    clock.start();
    int running = 0;
    QEventLoop loop;
    for (const QString &scenario : scenarios) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(scenarioVariable()), scenario);
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::MergedChannels);
        ChildRun run;
        run.scenario = scenario;
        runs.append(run);
        const int index = runs.size() - 1;
        // Timestamps come from the signal, so that a child that ends early is
        // not measured late while the loop waits for another.
        QObject::connect(process.get(), QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), &loop,
                         [&, index](int, QProcess::ExitStatus) {
                             runs[index].elapsedMs = clock.elapsed();
                             if (--running == 0)
                                 loop.quit();
                         });
        process->start(QCoreApplication::applicationFilePath(), QStringList());
        ++running;
        processes.push_back(std::move(process));
    }
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (running > 0)
        loop.exec();
    for (size_t i = 0; i < processes.size(); ++i) {
        QProcess &p = *processes[i];
        ChildRun &run = runs[int(i)];
        run.finished = p.state() == QProcess::NotRunning && run.elapsedMs >= 0;
        if (!run.finished) {
            p.kill();
            p.waitForFinished(2000);
        }
        run.crashed = p.exitStatus() == QProcess::CrashExit;
        run.exitCode = p.exitCode();
        run.output = QString::fromLocal8Bit(p.readAll());
    }
    return runs;
}

} // namespace commtest
