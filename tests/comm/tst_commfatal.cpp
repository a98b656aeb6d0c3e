// The first login against masters that misbehave: it ends "online" or in one of the two fatal
// boxes, which end the program with exit code 1. Each scenario runs in a child process (this
// binary again, chosen by an environment variable) in which every box is printed and closed.

#include <QApplication>
#include <QMap>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include "commfixture.h"

using namespace commtest;

namespace {

using Style = MasterSimOptions::PromptStyle;

// A bare master: writes the greeting, then the pattern over and over as fast as it is read.
struct RawMaster : QTcpServer
{
    RawMaster(const QByteArray &greeting, const QByteArray &pattern)
    {
        connect(this, &QTcpServer::newConnection, [=] {
            QTcpSocket *socket = nextPendingConnection();
            connect(socket, &QTcpSocket::bytesWritten, [=] {
                if (!pattern.isEmpty() && socket->bytesToWrite() == 0)
                    socket->write(pattern);
            });
            socket->write(greeting + pattern);
        });
    }
};

// Reproducible noise: every byte value, IAC and NUL included.
QByteArray noise(int size)
{
    QByteArray data(size, '\0');
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(data.data()), size / 4);
    return data;
}

// Both prompts at once: the NUL ends the first text run.
const QByteArray kLogin = QByteArray("\r\nlogin: \0password: ", 20);

struct Scenario
{
    const char *name;
    const char *address; // where the master listens, "" for none
    const char *typed;   // typed into the dialog, null: the master's address
    QString expect;      // what the child must print, parts separated by '\n'; a BOX means exit code 1
    MasterSimOptions sim;
    bool raw, reject;
    QByteArray greeting, pattern;
};

// The simulator with a prompt style and fault switches, or (address "") nothing at all.
Scenario simulated(const char *name, const char *address, const char *typed, const QString &expect,
                   Style prompt = Style::Normal, bool refuse = false, bool noPassword = false,
                   bool reject = false)
{
    MasterSimOptions o;
    o.promptStyle = prompt;
    o.refuseConnections = refuse;
    o.noPasswordPrompt = noPassword;
    return {name, address, typed, expect, o, false, reject, {}, {}};
}

Scenario raw(const char *name, const char *address, const QString &expect, const QByteArray &greeting,
             const QByteArray &pattern = {})
{
    return {name, address, nullptr, expect, {}, true, false, greeting, pattern};
}

// The box's line reads "BOX|title|text|window enabled|status"; until the first login the window
// is shown but disabled.
const QList<Scenario> &scenarios()
{
    const QString box = "BOX|Connection error|", refused = box + "error connecting to host|",
                  timeout = box + "timeout connecting to host|0|";
    static const QList<Scenario> list{
        simulated("refused", "", "10.0.0.91", refused),
        // A rejected dialog keeps the preset address, where nothing listens.
        simulated("rejected-dialog", "", "10.0.0.92", refused + "1|TryingIP:169.254.100.100", Style::Normal,
                  false, false, true),
        simulated("closed-at-once", "10.0.0.93", nullptr, refused + "0|", Style::Normal, true),
        simulated("empty-host", "", "", timeout + "hostname is empty"),
        simulated("blank-host", "", "   ", timeout + "hostname is empty"),
        simulated("capital-password", "10.0.0.94", nullptr, timeout + "TryingIP:10.0.0.94",
                  Style::CapitalPassword),
        simulated("no-password-prompt", "10.0.0.96", nullptr, timeout, Style::Normal, false, true),
        simulated("split-prompt", "10.0.0.95", nullptr, timeout, Style::SplitPrompt),
        simulated("nul-prompt", "10.0.0.98", nullptr, "ONLINE", Style::PromptWithNul),
        // Blanks around a host: not empty, and it goes out untrimmed.
        simulated("untrimmed-host", "10.0.0.97", " 10.0.0.97 ",
                  "STATUS|TryingIP: 10.0.0.97 \nHOST| 10.0.0.97 \nONLINE"),
        raw("noise-then-login", "10.0.1.1", "ONLINE", noise(65536) + kLogin),
        raw("noise-forever", "10.0.1.2", timeout, {}, noise(4096)),
        raw("nul-flood", "10.0.1.4", timeout, {}, QByteArray(4096, '\0')),
        raw("password-prompt-first", "10.0.1.6", "ONLINE", "password: "),
        raw("unterminated-subnegotiation", "10.0.1.7", "ONLINE",
            "\xff\xfa\x18" + QByteArray(20000, 'x') + kLogin),
        raw("prompts-between-nuls", "10.0.1.9", "ONLINE",
            QByteArray("log\0in: \0pass\0word: \0\0login: \0\xff\xf1password: \0", 43)),
    };
    return list;
}

int runScenario(const Scenario &s)
{
    std::unique_ptr<MasterSim> sim;
    std::unique_ptr<RawMaster> raw;
    if (s.raw)
        raw = std::make_unique<RawMaster>(s.greeting, s.pattern);
    else if (*s.address)
        sim = std::make_unique<MasterSim>(s.sim);
    if ((sim && !sim->listen(QHostAddress(QString::fromLatin1(s.address)), MainWindow::kTelnetPort)) ||
        (raw && !raw->listen(QHostAddress(QString::fromLatin1(s.address)), MainWindow::kTelnetPort)))
        return 4;
    LoginAnswer answer;
    answer.reject = s.reject;
    answer.host = QString::fromLatin1(s.typed ? s.typed : s.address);
    return runChildWindow(answer);
}

} // namespace

class TestCommFatal : public QObject
{
    Q_OBJECT

    QMap<QString, ChildRun> runs;

private slots:
    // Every scenario's child at once: together they take as long as the slowest, the ten
    // seconds of the connect time-out and a little. Past 25 s a time-out box came late.
    void initTestCase()
    {
        QStringList names;
        for (const Scenario &s : scenarios())
            names.append(QString::fromLatin1(s.name));
        for (const ChildRun &run : runChildScenarios(names, 25000))
            runs.insert(run.scenario, run);
    }
    void firstLoginEndsOnlineOrInAFatalBox_data()
    {
        QTest::addColumn<QString>("expect");
        for (const Scenario &s : scenarios())
            QTest::newRow(s.name) << s.expect;
    }
    void firstLoginEndsOnlineOrInAFatalBox()
    {
        QFETCH(QString, expect);
        const ChildRun run = runs.value(QString::fromLatin1(QTest::currentDataTag()));
        bool seen = run.finished && run.exitCode == (expect.startsWith(QLatin1String("BOX")) ? 1 : 0);
        for (const QString &part : expect.split(QLatin1Char('\n')))
            seen = seen && run.output.contains(part);
        QVERIFY2(
            seen,
            qPrintable(
                QStringLiteral("exit code %1, output:\n%2").arg(run.exitCode).arg(run.output.left(3000))));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installGermanCatalogue();
    const QString scenario = qEnvironmentVariable(scenarioVariable);
    for (const Scenario &s : scenarios())
        if (!scenario.isEmpty() && scenario == QLatin1String(s.name))
            return runScenario(s);
    if (!scenario.isEmpty())
        return 5;
    TestCommFatal test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_commfatal.moc"
