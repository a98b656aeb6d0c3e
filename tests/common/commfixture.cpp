#include "commfixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTranslator>

#include <cstdio>

namespace commtest {

const char *const kSimAddress = "169.254.100.100";
const char *const scenarioVariable = "TASTARELLO_TEST_SCENARIO";

int paceToleranceMs()
{
    // Sanitizer builds and a loaded CI machine stretch single ticks.
    const int fromEnv = qEnvironmentVariableIntValue("TASTARELLO_PACE_TOLERANCE_MS");
    return fromEnv > 0 ? fromEnv : 300;
}

LoginDialogAnswerer::LoginDialogAnswerer(const LoginAnswer &answer) : answer(answer)
{
    connect(&timer, &QTimer::timeout, this, [this] {
        QWidget *dialog = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("DialogLogin") && w->isVisible())
                dialog = w;
        if (!dialog || answered)
            return;
        answered = true;
        timer.stop();
        if (this->answer.presetIndex >= 0)
            dialog->findChild<QComboBox *>(QStringLiteral("comboBox"))
                ->setCurrentIndex(this->answer.presetIndex);
        if (!this->answer.host.isNull())
            dialog->findChild<QLineEdit *>(QStringLiteral("lineEditIP"))->setText(this->answer.host);
        if (this->answer.reject)
            QMetaObject::invokeMethod(dialog, "reject");
        else
            dialog->findChild<QPushButton *>(QStringLiteral("pushButton"))->click();
    });
    timer.start(10);
}

MessageBoxCloser::MessageBoxCloser(QMessageBox::StandardButton answer) : answer(answer)
{
    connect(&timer, &QTimer::timeout, this, [this] {
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
            if (observer)
                observer(s);
            QAbstractButton *button =
                box->button(this->answer) ? box->button(this->answer) : box->button(QMessageBox::Ok);
            if (button)
                button->click();
            else
                box->reject();
            return;
        }
    });
    timer.start(20);
}

CommSession::CommSession(const MasterSimOptions &options, bool withSimulator)
    : simOptions(options), withSimulator(withSimulator)
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
    if (answer.host.isNull())
        answer.host = QString::fromLatin1(kSimAddress);
    if (withSimulator) {
        simulator = std::make_unique<MasterSim>(simOptions);
        if (!simulator->listen(QHostAddress(QString::fromLatin1(kSimAddress)), MainWindow::kTelnetPort)) {
            error =
                QStringLiteral("the simulator cannot listen on port 23 (not inside a network namespace?)");
            return false;
        }
    }
    LoginDialogAnswerer answerer(answer);
    mainWindow = std::make_unique<MainWindow>();
    if (!answerer.answered) {
        error = QStringLiteral("the login dialog did not show");
        return false;
    }
    MainWindow *w = mainWindow.get();
    statusAfterConstruction = statusBar()->currentMessage();
    QObject::connect(&w->telnetClient(), &telnetlib1::message, w, [this, w](const QString &text) {
        messages.append({text, w->isEnabled()});
    });
    QObject::connect(statusBar(), &QStatusBar::messageChanged, w, [this](const QString &text) {
        statusChanges.append({started.msecsTo(QDateTime::currentDateTime()), text});
    });
    if (!waitForStatus(QStringLiteral("online"), kLoginTimeoutMs) || !w->isEnabled()) {
        error = QStringLiteral("no login: status \"%1\"").arg(statusBar()->currentMessage());
        return false;
    }
    if (withSimulator && !QTest::qWaitFor([&] { return receivedTexts().contains("gua"); }, 3000)) {
        error = QStringLiteral("the simulator did not receive \"gua\"");
        return false;
    }
    return true;
}

QStringList CommSession::receivedTexts() const
{
    QStringList texts;
    for (const auto &line : simulator->receivedLines())
        texts.append(line.text);
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

bool CommSession::waitForStatus(const QString &text, int timeoutMs)
{
    return QTest::qWaitFor([&] { return statusBar()->currentMessage() == text; }, timeoutMs);
}

bool CommSession::drainAndClear(int timeoutMs)
{
    if (!waitForQueueEmpty(timeoutMs))
        return false;
    QTest::qWait(250); // the simulator reads the last line on a later turn of the event loop
    simulator->clearReceivedLines();
    return true;
}

QString CommSession::perform(const QStringList &steps)
{
    for (QString step : steps) {
        if (step.startsWith(QLatin1String("select:")))
            step = QStringLiteral("set:Manual_select_box=") + step.mid(7);
        const QString verb = step.section(QLatin1Char(':'), 0, 0);
        const QString value = step.section(QLatin1Char('='), 1);
        QWidget *w =
            widget<QWidget>(step.section(QLatin1Char(':'), 1).section(QLatin1Char('='), 0, 0).toLatin1());
        auto *combo = qobject_cast<QComboBox *>(w);
        auto *spin = qobject_cast<QSpinBox *>(w);
        auto *edit = qobject_cast<QLineEdit *>(w);
        auto *button = qobject_cast<QAbstractButton *>(w);
        const QString text = edit ? edit->text() : button ? button->text() : QString();
        if (verb == QLatin1String("click") && button && button->isEnabled() && mainWindow->isEnabled())
            button->click();
        else if (verb == QLatin1String("set") && combo)
            combo->setCurrentIndex(value.toInt());
        else if (verb == QLatin1String("set") && spin &&
                 (spin->setValue(value.toInt()), spin->value()) == value.toInt())
            continue;
        else if (verb == QLatin1String("set") && edit)
            edit->setText(value);
        else if (verb != QLatin1String("is") || !w || text != value)
            return QStringLiteral("%1: failed (widget %2, text \"%3\")")
                .arg(step, w ? "found" : "missing", text);
    }
    return QString();
}

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
    // As in the program: a missing catalogue shows the source texts.
    (void)translator.load(QStringLiteral(":/language/spieltool_de"));
    QCoreApplication::installTranslator(&translator);
}

int runChildWindow(const LoginAnswer &answer, int limitMs)
{
    const auto print = [](const QString &line) {
        std::printf("%s\n", line.toLocal8Bit().constData());
        std::fflush(stdout);
    };
    MessageBoxCloser closer;
    closer.observer = [&](const MessageBoxCloser::Seen &s) {
        print(QStringLiteral("BOX|%1|%2|%3|%4")
                  .arg(s.title, s.text)
                  .arg(int(s.windowEnabled))
                  .arg(s.windowStatus));
    };
    LoginDialogAnswerer answerer(answer);
    MainWindow window;
    print(QStringLiteral("STATUS|") + window.statusBar()->currentMessage());
    print(QStringLiteral("HOST|") + window.currentLoginData().host);
    if (QTest::qWaitFor([&] { return window.statusBar()->currentMessage() == QLatin1String("online"); },
                        limitMs)) {
        print(QStringLiteral("ONLINE"));
        return 0;
    }
    return 3;
}

QList<ChildRun> runChildScenarios(const QStringList &scenarios, int timeoutMs)
{
    QList<ChildRun> runs;
    std::vector<std::unique_ptr<QProcess>> processes;
    QElapsedTimer clock;
    clock.start();
    for (const QString &scenario : scenarios) {
        processes.push_back(std::make_unique<QProcess>());
        QProcess *p = processes.back().get();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(scenarioVariable), scenario);
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::MergedChannels);
        ChildRun run;
        run.scenario = scenario;
        runs.append(run);
        // Timed by the signal, so that an early end is not measured late.
        QObject::connect(
            p, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
            [&runs, &clock, index = runs.size() - 1] { runs[index].elapsedMs = clock.elapsed(); });
        p->start(QCoreApplication::applicationFilePath(), QStringList());
    }
    (void)QTest::qWaitFor(
        [&] { return std::all_of(runs.begin(), runs.end(), [](auto &r) { return r.elapsedMs >= 0; }); },
        timeoutMs);
    for (int i = 0; i < runs.size(); ++i) {
        QProcess &p = *processes[size_t(i)];
        ChildRun &run = runs[i];
        run.finished = p.state() == QProcess::NotRunning && run.elapsedMs >= 0;
        if (!run.finished) {
            p.kill();
            p.waitForFinished(2000);
        }
        run.finished = run.finished && p.exitStatus() == QProcess::NormalExit;
        run.exitCode = p.exitCode();
        run.output = QString::fromLocal8Bit(p.readAll());
    }
    return runs;
}

} // namespace commtest
