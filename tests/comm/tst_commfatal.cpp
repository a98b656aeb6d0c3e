// The first login against masters that misbehave: it ends "online" or in one of the two fatal
// boxes, which end the program with exit code 1. Each scenario runs in a child process (this
// binary again, chosen by an environment variable) in which every box is printed and closed.

#include <QApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <random>

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
    std::mt19937 generator(7);
    QByteArray data(size, '\0');
    for (char &c : data)
        c = char(generator() & 0xff);
    return data;
}

// Both prompts at once: the NUL ends the first text run.
const QByteArray kLogin = QByteArray("\r\nlogin: \0password: ", 20);

struct Scenario
{
    const char *name;
    const char *address; // where the master listens, "" for none
    const char *typed;   // typed into the dialog, null: the master's address
    const char *box;     // text of the "Connection error" box, null: online
    const char *status;  // status when the box shows (or after construction), null: not checked
    MasterSimOptions sim;
    bool raw, reject;
    QByteArray greeting, pattern;
};

// The simulator with a prompt style and fault switches, or (address "") nothing at all.
Scenario simulated(const char *name, const char *address, const char *typed, const char *box,
                   const char *status, Style prompt = Style::Normal, bool refuse = false,
                   bool noPassword = false, bool reject = false)
{
    MasterSimOptions o;
    o.promptStyle = prompt;
    o.refuseConnections = refuse;
    o.noPasswordPrompt = noPassword;
    return {name, address, typed, box, status, o, false, reject, {}, {}};
}

Scenario raw(const char *name, const char *address, const char *box, const QByteArray &greeting,
             const QByteArray &pattern = {})
{
    return {name, address, nullptr, box, nullptr, {}, true, false, greeting, pattern};
}

const QList<Scenario> &scenarios()
{
    const char *timeout = "timeout connecting to host", *refused = "error connecting to host";
    static const QList<Scenario> list{
        simulated("refused", "", "10.0.0.91", refused, nullptr),
        // A rejected dialog keeps the preset address, where nothing listens.
        simulated("rejected-dialog", "", "10.0.0.92", refused, "TryingIP:169.254.100.100", Style::Normal,
                  false, false, true),
        simulated("closed-at-once", "10.0.0.93", nullptr, refused, nullptr, Style::Normal, true),
        simulated("empty-host", "", "", timeout, "hostname is empty"),
        simulated("blank-host", "", "   ", timeout, "hostname is empty"),
        simulated("capital-password", "10.0.0.94", nullptr, timeout, "TryingIP:10.0.0.94",
                  Style::CapitalPassword),
        simulated("no-password-prompt", "10.0.0.96", nullptr, timeout, nullptr, Style::Normal, false, true),
        simulated("split-prompt", "10.0.0.95", nullptr, timeout, nullptr, Style::SplitPrompt),
        simulated("nul-prompt", "10.0.0.98", nullptr, nullptr, nullptr, Style::PromptWithNul),
        // Blanks around a host: not empty, and it goes out untrimmed.
        simulated("untrimmed-host", "10.0.0.97", " 10.0.0.97 ", nullptr, "TryingIP: 10.0.0.97 "),
        raw("noise-then-login", "10.0.1.1", nullptr, noise(65536) + kLogin),
        raw("noise-forever", "10.0.1.2", timeout, {}, noise(4096)),
        raw("nul-flood", "10.0.1.4", timeout, {}, QByteArray(4096, '\0')),
        raw("password-prompt-first", "10.0.1.6", nullptr, "password: "),
        raw("unterminated-subnegotiation", "10.0.1.7", nullptr,
            "\xff\xfa\x18" + QByteArray(20000, 'x') + kLogin),
        raw("prompts-between-nuls", "10.0.1.9", nullptr,
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
    void firstLoginEndsOnlineOrInAFatalBox();
};

void TestCommFatal::firstLoginEndsOnlineOrInAFatalBox()
{
    QStringList names;
    for (const Scenario &s : scenarios())
        names.append(QString::fromLatin1(s.name));
    const QList<ChildRun> runs = runChildScenarios(names, 40000);
    for (int i = 0; i < runs.size(); ++i) {
        const Scenario &s = scenarios()[i];
        const ChildRun &run = runs[i];
        const QString context = QStringLiteral("[%1] output:\n%2").arg(run.scenario, run.output.left(3000));
        QVERIFY2(run.finished, qPrintable(context));
        const QStringList box = field(run.output, QStringLiteral("BOX"));
        if (s.status)
            QVERIFY2(field(run.output, QStringLiteral("STATUS")).value(1) == QLatin1String(s.status) ||
                         box.value(4) == QLatin1String(s.status),
                     qPrintable(context));
        if (!s.box) {
            QVERIFY2(run.exitCode == 0 && box.isEmpty(), qPrintable(context));
            QCOMPARE(field(run.output, QStringLiteral("HOST")).value(1),
                     QString::fromLatin1(s.typed ? s.typed : s.address));
            continue;
        }
        QVERIFY2(run.exitCode == 1 && !run.output.contains(QStringLiteral("ONLINE")), qPrintable(context));
        QVERIFY2(box.value(1) == QLatin1String("Connection error") && box.value(2) == QLatin1String(s.box),
                 qPrintable(context));
    }
}

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
