// The paths that end the program: a connection error before the first login
// and the connect time-out. They end the process, so each scenario runs in a
// child process (this binary again, chosen by an environment variable) in
// which every message box is printed and closed; all children run at once.

#include <QApplication>
#include <QTest>

#include "commfixture.h"
#include "dialoglogin.h"

using namespace commtest;

namespace {

struct Scenario
{
    const char *name;
    const char *address; // the simulator's address; none when empty
    MasterSimOptions::PromptStyle prompt;
    bool refuse;
    bool noPasswordPrompt;
    LoginAnswer::Action action;
    const char *typedHost; // null: the simulator's address; "" and blanks as given
};

// Each child that runs a simulator gets an address of its own, as all share
// the namespace.
const Scenario kScenarios[] = {
    {"refused", "", MasterSimOptions::PromptStyle::Normal, false, false, LoginAnswer::Action::Accept,
     "10.0.0.91"},
    {"rejected-dialog", "", MasterSimOptions::PromptStyle::Normal, false, false, LoginAnswer::Action::Reject,
     "10.0.0.92"},
    {"closed-at-once", "10.0.0.93", MasterSimOptions::PromptStyle::Normal, true, false,
     LoginAnswer::Action::Accept, nullptr},
    {"empty-host", "", MasterSimOptions::PromptStyle::Normal, false, false, LoginAnswer::Action::Accept, ""},
    {"blank-host", "", MasterSimOptions::PromptStyle::Normal, false, false, LoginAnswer::Action::Accept,
     "   "},
    {"capital-password", "10.0.0.94", MasterSimOptions::PromptStyle::CapitalPassword, false, false,
     LoginAnswer::Action::Accept, nullptr},
    {"split-prompt", "10.0.0.95", MasterSimOptions::PromptStyle::SplitPrompt, false, false,
     LoginAnswer::Action::Accept, nullptr},
    {"no-password-prompt", "10.0.0.96", MasterSimOptions::PromptStyle::Normal, false, true,
     LoginAnswer::Action::Accept, nullptr},
    {"untrimmed-host", "10.0.0.97", MasterSimOptions::PromptStyle::Normal, false, false,
     LoginAnswer::Action::Accept, " 10.0.0.97 "},
};

const Scenario *findScenario(const QString &name)
{
    for (const Scenario &s : kScenarios)
        if (name == QLatin1String(s.name))
            return &s;
    return nullptr;
}

int runScenario(const Scenario &s)
{
    std::unique_ptr<MasterSim> sim;
    if (*s.address) {
        MasterSimOptions options;
        options.promptStyle = s.prompt;
        options.refuseConnections = s.refuse;
        options.noPasswordPrompt = s.noPasswordPrompt;
        sim = std::make_unique<MasterSim>(options);
        if (!sim->listen(QHostAddress(QString::fromLatin1(s.address)), MainWindow::kTelnetPort)) {
            std::printf("SETUP|cannot listen on %s:23\n", s.address);
            return 4;
        }
        QObject::connect(sim.get(), &MasterSim::loggedIn, [] {
            std::printf("SIM-LOGGED-IN\n");
            std::fflush(stdout);
        });
    }
    LoginAnswer answer;
    answer.action = s.action;
    answer.host = QString::fromLatin1(s.typedHost ? s.typedHost : s.address);
    return runChildWindow(answer, 20000);
}

struct Outcome
{
    QString box; // "text" of the first box
    bool boxWindowEnabled = true;
    QString boxStatus;
    QString status; // the status bar right after construction
    QString host;
    bool online = false;
};

Outcome parse(const QString &output)
{
    Outcome o;
    for (const QString &line : output.split(QLatin1Char('\n'))) {
        const QStringList f = line.split(QLatin1Char('|'));
        if (f.first() == QLatin1String("BOX") && f.size() >= 5 && o.box.isEmpty()) {
            if (f[1] != QLatin1String("Connection error"))
                o.box = QStringLiteral("wrong title: ") + f[1];
            else
                o.box = f[2];
            o.boxWindowEnabled = f[3] == QLatin1String("1");
            o.boxStatus = f[4];
        } else if (f.first() == QLatin1String("STATUS") && f.size() >= 2) {
            o.status = f[1];
        } else if (f.first() == QLatin1String("HOST") && f.size() >= 2) {
            o.host = f[1];
        } else if (line == QLatin1String("ONLINE")) {
            o.online = true;
        }
    }
    return o;
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
    QMap<QString, ChildRun> byName;
    for (const ChildRun &run : runs)
        byName.insert(run.scenario, run);

    // duringConstruction: the error comes inside the connection attempt of the
    // constructor, before the window is shown and disabled.
    auto check = [&](const char *name, const QString &box, const QString &statusAtStart,
                     bool duringConstruction = false) {
        const ChildRun run = byName.value(QString::fromLatin1(name));
        const QString context = QStringLiteral("[%1] output:\n%2").arg(QLatin1String(name), run.output);
        QVERIFY2(run.finished && !run.crashed, qPrintable(context));
        QVERIFY2(run.exitCode == 1, qPrintable(context));
        const Outcome o = parse(run.output);
        QVERIFY2(o.box == box, qPrintable(context));
        // Until the first login the window is shown but disabled.
        if (!duringConstruction)
            QVERIFY2(!o.boxWindowEnabled, qPrintable(context));
        QVERIFY2(!o.online, qPrintable(context));
        if (!statusAtStart.isNull())
            QVERIFY2(o.status == statusAtStart, qPrintable(context));
    };

    const QString error = QStringLiteral("error connecting to host");
    const QString timeout = QStringLiteral("timeout connecting to host");

    // A refused connection is reported while the constructor still runs.
    check("refused", error, QString(), true);
    check("closed-at-once", error, QString());
    check("empty-host", timeout, QStringLiteral("hostname is empty"));
    check("blank-host", timeout, QStringLiteral("hostname is empty"));
    check("capital-password", timeout, QStringLiteral("TryingIP:10.0.0.94"));
    check("split-prompt", timeout, QStringLiteral("TryingIP:10.0.0.95"));
    check("no-password-prompt", timeout, QStringLiteral("TryingIP:10.0.0.96"));

    // A rejected dialog keeps the defaults: the preset address, nothing
    // listening there in that child, so the attempt is refused.
    check("rejected-dialog", error, QString(), true);
    const Outcome rejected = parse(byName.value(QStringLiteral("rejected-dialog")).output);
    QCOMPARE(rejected.boxStatus, QStringLiteral("TryingIP:") + QLatin1String(DialogLogin::kDefaultAddress));

    // The capitalised prompt got its user name (the login prompt is answered)
    // but never the password.
    QVERIFY(
        !byName.value(QStringLiteral("capital-password")).output.contains(QStringLiteral("SIM-LOGGED-IN")));

    // A host with blanks around it is not empty and goes out untrimmed.
    const ChildRun untrimmed = byName.value(QStringLiteral("untrimmed-host"));
    QVERIFY2(untrimmed.finished && !untrimmed.crashed, qPrintable(untrimmed.output));
    const Outcome u = parse(untrimmed.output);
    QCOMPARE(u.host, QStringLiteral(" 10.0.0.97 "));
    const QString attempt = QStringLiteral("TryingIP: 10.0.0.97 ");
    QVERIFY2(u.status == attempt || u.boxStatus == attempt, qPrintable(untrimmed.output));
    QVERIFY2((untrimmed.exitCode == 0 && u.online) || untrimmed.exitCode == 1, qPrintable(untrimmed.output));
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    installGermanCatalogue();
    const QString scenario = qEnvironmentVariable(scenarioVariable());
    if (!scenario.isEmpty()) {
        const Scenario *s = findScenario(scenario);
        return s ? runScenario(*s) : 5;
    }
    TestCommFatal test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_commfatal.moc"
