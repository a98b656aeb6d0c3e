// The paths that end the program: a connection error before the first login and the connect
// time-out. Each scenario runs in a child process (this binary again, chosen by an environment
// variable) in which every message box is printed and closed; all children run at once.

#include <QApplication>
#include <QTest>

#include "commfixture.h"
#include "dialoglogin.h"

using namespace commtest;

namespace {

using Style = MasterSimOptions::PromptStyle;

struct Scenario
{
    const char *name;
    const char *simAddress; // "" for no simulator; each child has an address of its own
    Style prompt;
    bool refuse, noPasswordPrompt, reject;
    const char *typedHost;     // null: the simulator's address
    const char *box;           // text of the "Connection error" box, null: none expected
    const char *status;        // the status after construction, null: not checked
    bool boxWhileConstructing; // the window is not shown yet, so not disabled either
};

const Scenario kScenarios[] = {
    {"refused", "", Style::Normal, false, false, false, "10.0.0.91", "error connecting to host", nullptr,
     true},
    // A rejected dialog keeps the preset address, where nothing listens.
    {"rejected-dialog", "", Style::Normal, false, false, true, "10.0.0.92", "error connecting to host",
     nullptr, true},
    {"closed-at-once", "10.0.0.93", Style::Normal, true, false, false, nullptr, "error connecting to host",
     nullptr, false},
    {"empty-host", "", Style::Normal, false, false, false, "", "timeout connecting to host",
     "hostname is empty", false},
    {"blank-host", "", Style::Normal, false, false, false, "   ", "timeout connecting to host",
     "hostname is empty", false},
    {"capital-password", "10.0.0.94", Style::CapitalPassword, false, false, false, nullptr,
     "timeout connecting to host", "TryingIP:10.0.0.94", false},
    {"split-prompt", "10.0.0.95", Style::SplitPrompt, false, false, false, nullptr,
     "timeout connecting to host", "TryingIP:10.0.0.95", false},
    {"no-password-prompt", "10.0.0.96", Style::Normal, false, true, false, nullptr,
     "timeout connecting to host", "TryingIP:10.0.0.96", false},
    // Blanks around a host: not empty, and it goes out untrimmed.
    {"untrimmed-host", "10.0.0.97", Style::Normal, false, false, false, " 10.0.0.97 ", nullptr,
     "TryingIP: 10.0.0.97 ", false},
};

int runScenario(const Scenario &s)
{
    std::unique_ptr<MasterSim> sim;
    if (*s.simAddress) {
        MasterSimOptions options;
        options.promptStyle = s.prompt;
        options.refuseConnections = s.refuse;
        options.noPasswordPrompt = s.noPasswordPrompt;
        sim = std::make_unique<MasterSim>(options);
        if (!sim->listen(QHostAddress(QString::fromLatin1(s.simAddress)), MainWindow::kTelnetPort))
            return 4;
    }
    LoginAnswer answer;
    answer.reject = s.reject;
    answer.host = QString::fromLatin1(s.typedHost ? s.typedHost : s.simAddress);
    return runChildWindow(answer);
}

// The first line of the output that starts with the prefix, split at '|'.
QStringList field(const QString &output, const QString &prefix)
{
    for (const QString &line : output.split(QLatin1Char('\n')))
        if (line.startsWith(prefix + QLatin1Char('|')))
            return line.split(QLatin1Char('|'));
    return {};
}

} // namespace

class TestCommFatal : public QObject
{
    Q_OBJECT

private slots:
    void fatalPathsEndTheProgramWithExitCodeOne();
};

void TestCommFatal::fatalPathsEndTheProgramWithExitCodeOne()
{
    QStringList names;
    for (const Scenario &s : kScenarios)
        names.append(QString::fromLatin1(s.name));
    const QList<ChildRun> runs = runChildScenarios(names, 40000);
    for (int i = 0; i < runs.size(); ++i) {
        const Scenario &s = kScenarios[i];
        const ChildRun &run = runs[i];
        const QString context = QStringLiteral("[%1] output:\n%2").arg(run.scenario, run.output);
        QVERIFY2(run.finished, qPrintable(context));
        const QStringList box = field(run.output, QStringLiteral("BOX"));
        if (s.status)
            QVERIFY2(field(run.output, QStringLiteral("STATUS")).value(1) == QLatin1String(s.status) ||
                         box.value(4) == QLatin1String(s.status),
                     qPrintable(context));
        if (!s.box) {
            QCOMPARE(field(run.output, QStringLiteral("HOST")).value(1), QString::fromLatin1(s.typedHost));
            QVERIFY2(run.exitCode == 0 || run.exitCode == 1, qPrintable(context));
            continue;
        }
        QVERIFY2(run.exitCode == 1 && !run.output.contains(QStringLiteral("ONLINE")), qPrintable(context));
        QVERIFY2(box.value(1) == QLatin1String("Connection error") && box.value(2) == QLatin1String(s.box),
                 qPrintable(context));
        // Until the first login the window is shown but disabled.
        if (!s.boxWhileConstructing)
            QVERIFY2(box.value(3) == QLatin1String("0"), qPrintable(context));
    }
    const QStringList rejected = field(runs[1].output, QStringLiteral("BOX"));
    QCOMPARE(rejected.value(4), QStringLiteral("TryingIP:") + QLatin1String(DialogLogin::kDefaultAddress));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    installGermanCatalogue();
    const QString scenario = qEnvironmentVariable(scenarioVariable);
    for (const Scenario &s : kScenarios)
        if (!scenario.isEmpty() && scenario == QLatin1String(s.name))
            return runScenario(s);
    if (!scenario.isEmpty())
        return 5;
    TestCommFatal test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_commfatal.moc"
