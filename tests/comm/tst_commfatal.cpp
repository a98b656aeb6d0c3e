// The first login against masters that misbehave: it ends "online" or in one of the two fatal
// boxes, which end the program with exit code 1. Each scenario runs in a child process (this
// binary again, chosen by an environment variable) in which every box is printed and closed.

#include <QtNetwork>
#include <QtTest>
#include <QtWidgets>

#include "commfixture.h"

using namespace commtest;

namespace {

using Style = MasterSimOptions::PromptStyle;

// A bare master that plays a script: the first part on connecting, each further part once it has
// read one more line (an empty part closes the connection), and then the pattern over and over as
// fast as it is read. It keeps the lines it reads, telnet commands left out.
struct RawMaster : QTcpServer
{
    RawMaster(const QByteArrayList &script, const QByteArray &pattern) : script(script)
    {
        connect(this, &QTcpServer::newConnection, [this, pattern] {
            QTcpSocket *socket = nextPendingConnection();
            connect(socket, &QTcpSocket::bytesWritten, [=] {
                if (!pattern.isEmpty() && socket->bytesToWrite() == 0)
                    socket->write(pattern);
            });
            connect(socket, &QTcpSocket::readyRead, [this, socket] { read(socket); });
            socket->write(this->script.value(0) + pattern);
        });
    }
    void read(QTcpSocket *socket)
    {
        received += QString::fromLatin1(socket->readAll());
        static const QRegularExpression commands(
            QStringLiteral("\u00ff\u00fa.*?\u00ff\u00f0|\u00ff[\u00fb-\u00fe].|\u00ff."),
            QRegularExpression::DotMatchesEverythingOption);
        QStringList complete = QString(received).remove(commands).split(QLatin1Char('\n'));
        complete.removeLast(); // not ended yet
        complete.replaceInStrings(QStringLiteral("\r"), QString()).removeAll(QString());
        while (lines.size() < complete.size()) {
            lines << complete[lines.size()];
            const QByteArray next = script.value(lines.size(), "-");
            if (next.isEmpty())
                socket->disconnectFromHost();
            else if (next != "-")
                socket->write(next);
        }
    }
    const QByteArrayList script;
    QString received;
    QStringList lines;
};

// Reproducible noise: every byte value, IAC and NUL included.
QByteArray noise(int size)
{
    QByteArray data(size, '\0');
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(data.data()), size / 4);
    return data;
}

struct Scenario
{
    const char *name;
    const char *address; // where the master listens, "" for none
    const char *typed;   // typed into the dialog, null: the master's address
    QString expect;      // what the child must print, parts separated by '\n'; a BOX means exit code 1
    MasterSimOptions sim;
    bool raw, reject;
    QByteArrayList script;
    QByteArray pattern;
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

// A scripted master; "WIRE[a|b]" in the expectation is every line it read, in order.
Scenario raw(const char *name, const char *address, const QString &expect, const QByteArrayList &script,
             const QByteArray &pattern = {})
{
    return {name, address, nullptr, expect, {}, true, false, script, pattern};
}

// A literal with NULs inside, counted by the compiler.
template <int N> QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

// The box's line reads "BOX|title|text|window enabled|status"; until the first login the window
// is shown but disabled.
const QList<Scenario> &scenarios()
{
    const QString box = "BOX|Connection error|", refused = box + "error connecting to host|",
                  timeout = box + "timeout connecting to host|0|",
                  online = "ONLINE\nWIRE[tastarello|kantor|gua]";
    static const QList<Scenario> list{
        simulated("refused", "", "10.0.0.91", refused),
        // A rejected dialog keeps the preset address, where nothing listens.
        simulated("rejected-dialog", "", "10.0.0.92", refused + "1|TryingIP:169.254.100.100", Style::Normal,
                  false, false, true),
        simulated("closed-at-once", "10.0.0.93", nullptr, refused + "0|", Style::Normal, true),
        simulated("empty-host", "", "", timeout + "hostname is empty"),
        simulated("blank-host", "", "   ", timeout + "hostname is empty"),
        // Prompts are lower case: a capital P is no password prompt.
        simulated("capital-password", "10.0.0.94", nullptr, timeout + "TryingIP:10.0.0.94",
                  Style::CapitalPassword),
        simulated("no-password-prompt", "10.0.0.96", nullptr, timeout, Style::Normal, false, true),
        simulated("split-prompt", "10.0.0.95", nullptr, "ONLINE", Style::SplitPrompt),
        // Blanks around a host: not empty, and it goes out untrimmed.
        simulated("untrimmed-host", "10.0.0.97", " 10.0.0.97 ",
                  "STATUS|TryingIP: 10.0.0.97 \nHOST| 10.0.0.97 \nONLINE"),
        raw("noise-then-login", "10.0.1.1", online, {noise(65536) + "\r\nlogin: ", "password: "}),
        raw("noise-forever", "10.0.1.2", timeout, {}, noise(4096)),
        raw("nul-flood", "10.0.1.4", timeout, {}, QByteArray(4096, '\0')),
        raw("password-prompt-first", "10.0.1.6", "ONLINE\nWIRE[kantor|gua]", {"password: "}),
        raw("unterminated-subnegotiation", "10.0.1.7", online,
            {"\xff\xfa\x18" + QByteArray(20000, 'x') + "\r\nlogin: ", "password: "}),
        // Each prompt in pieces, as reads may cut it: NULs end the texts, a NOP sits inside a word.
        raw("prompts-in-pieces", "10.0.1.9", online,
            {bytes("lo\0gi\0n: \0"), bytes("\0pass\0\xff\xf1word: \0")}),
        // Only a word at the end of what has come is a prompt: a banner line that mentions both is
        // shown, and a greeting after the login too.
        raw("banner-mentions-the-words", "10.0.1.10", online,
            {bytes("Your login: and password: are on the label.\r\n\0login: "), "password: "}),
        raw("last-login-greeting", "10.0.1.11", online,
            {"login: ", "password: ", "\r\nLast login: Mon Dec  7 17:46:35 from 10.0.0.2\r\nmaster> "}),
        // Each prompt at most once per connection; a login prompt after the password is a refusal.
        raw("each-prompt-once", "10.0.1.12", online,
            {"login: ", bytes("\r\nlogin: \0password: "), "\r\npassword: "}),
        raw("refused-first-login", "10.0.1.13",
            box + "login refused|1|Anmeldung abgelehnt\nWIRE[tastarello|kantor]",
            {"login: ", "password: ", "\r\nLogin incorrect\r\nlogin: "}),
        raw("closed-between-prompts", "10.0.1.14", refused + "0|", {"login: ", ""}),
        // A master that refuses only after a pause, as login programs do.
        [&] {
            Scenario s = simulated("refused-first-login-slowly", "10.0.1.15", nullptr,
                                   box + "login refused|1|Anmeldung abgelehnt");
            s.sim.refuseLogins = 1, s.sim.answerDelayMs = 2000;
            return s;
        }(),
    };
    return list;
}

// In the child: the scenario's master, then the window. Prints and closes every box
// ("BOX|title|text|enabled|status"), prints "STATUS|<status after construction>", "HOST|<host>", and
// "ONLINE" once online (then returns 0; 3 when nothing ends the run in time). Each box and "ONLINE"
// are followed by "WIRE[<the lines the master read>]", the latter once "gua" has arrived.
int runScenario(const Scenario &s)
{
    std::unique_ptr<MasterSim> sim;
    std::unique_ptr<RawMaster> raw;
    if (s.raw)
        raw = std::make_unique<RawMaster>(s.script, s.pattern);
    else if (*s.address)
        sim = std::make_unique<MasterSim>(s.sim);
    const QHostAddress address(QString::fromLatin1(s.address));
    if ((sim && !sim->listen(address, MainWindow::kTelnetPort)) ||
        (raw && !raw->listen(address, MainWindow::kTelnetPort)))
        return 4;
    const auto wire = [&] {
        QStringList lines = raw ? raw->lines : QStringList();
        for (const MasterSim::ReceivedLine &line :
             sim ? sim->receivedLines() : QList<MasterSim::ReceivedLine>())
            lines << line.text;
        return QStringLiteral("WIRE[%1]").arg(lines.join(QLatin1Char('|')));
    };
    // Unbuffered, so that nothing is lost when a fatal path ends the process.
    const auto print = [](const QString &line) { qInfo().noquote() << line; };
    MessageBoxCloser closer;
    closer.observer = [&](const MessageBoxCloser::Seen &box) {
        print(QStringLiteral("BOX|%1|%2|%3|%4")
                  .arg(box.title, box.text)
                  .arg(int(box.windowEnabled))
                  .arg(box.windowStatus));
        print(wire());
    };
    LoginAnswer answer;
    answer.reject = s.reject;
    answer.host = QString::fromLatin1(s.typed ? s.typed : s.address);
    answerLoginDialog(answer);
    MainWindow window;
    print(QStringLiteral("STATUS|") + window.statusBar()->currentMessage());
    print(QStringLiteral("HOST|") + window.currentLoginData().host);
    if (!QTest::qWaitFor([&] { return window.statusBar()->currentMessage() == QLatin1String("online"); },
                         20000))
        return 3;
    print(QStringLiteral("ONLINE"));
    // "gua" is the last line the login sends.
    (void)QTest::qWaitFor([&] { return wire().endsWith(QLatin1String("gua]")); }, 20000);
    print(wire());
    return 0;
}

} // namespace

class TestCommFatal : public QObject
{
    Q_OBJECT

    QStringList names;

private slots:
    void firstLoginEndsOnlineOrInAFatalBox_data()
    {
        QTest::addColumn<QString>("expect");
        for (const Scenario &s : scenarios())
            QTest::newRow(s.name) << s.expect, names << QString::fromLatin1(s.name);
    }
    void firstLoginEndsOnlineOrInAFatalBox()
    {
        QFETCH(QString, expect);
        // All children run together, as long as the slowest: the ten seconds of the connect
        // time-out and a little. Past 25 s a time-out box came late.
        const ChildRun run = childOfRow(names, 25000);
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
