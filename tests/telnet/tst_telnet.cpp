// The telnet client against a server socket on 127.0.0.1, byte by byte, with every signal in order.

#include "telnetlib1.h"
#include "telnetlib1_p.h"

#include <QtNetwork>
#include <QtTest>

#ifdef Q_OS_WIN
#include <winsock2.h>
using NativeSocket = SOCKET;
#else
#include <sys/select.h>
#include <sys/socket.h>
using NativeSocket = int;
#endif

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// TERMINAL-TYPE SEND is answered without touching any state, so its answer marks the point up to
// which the client has parsed what the peer sent.
const QByteArray kPing = hex("fffa1801fff0");
const QByteArray kPingReply = hex("fffa1800") + "UNKNOWN" + hex("fff0");
const QByteArray kOffers = hex("fffb25fffd03fffb22fffd05");
// A step's input starting with this: the peer writes the rest and closes, the client connects
// again, and its first bytes are the step's output. "<size W H>" sets the window size first.
const QByteArray kReconnect = "<reconnect>";
// Cuts a step's input into reads of their own, fed to the client directly.
const QByteArray kCut = "<cut>";

struct Peer
{
    Peer()
    {
        QObject::connect(&client, &telnetlib1::message, [this](const QString &t) { events << "msg:" + t; });
        for (auto signal : {&telnetlib1::loginRequired, &telnetlib1::loggedIn, &telnetlib1::loggedOut})
            QObject::connect(&client, signal,
                             [this, signal] { events << QMetaMethod::fromSignal(signal).name(); });
    }
    QByteArray open() // what the client sends on connecting
    {
        if (!server.isListening())
            (void)server.listen(QHostAddress::LocalHost);
        client.openConnection(QStringLiteral("127.0.0.1"), server.serverPort());
        if (!server.waitForNewConnection(2000))
            return "no connection";
        peer.reset(server.nextPendingConnection());
        QByteArray got;
        (void)QTest::qWaitFor([&] { return (got += peer->readAll()).size() >= kOffers.size(); }, 1000);
        return got;
    }
    QByteArray exchange(const QByteArray &bytes)
    {
        QByteArray early, got;
        if (client.tcpSocket()->flush() && peer->waitForReadyRead(1000))
            early = peer->readAll();
        peer->write(bytes + kPing);
        (void)QTest::qWaitFor([&] { return (got += peer->readAll()).endsWith(kPingReply); }, 5000);
        return early + (got.endsWith(kPingReply) ? got.chopped(kPingReply.size()) : got + "<no ping reply>");
    }
    QByteArray reopen(const QByteArray &last)
    {
        peer->write(last);
        peer->disconnectFromHost();
        if (!QTest::qWaitFor(
                [&] { return client.tcpSocket()->state() == QAbstractSocket::UnconnectedState; }))
            return "not closed";
        return open();
    }
    QStringList takeEvents() { return std::exchange(events, QStringList()); }

    telnetlib1 client;
    telnetlib1Private *engine = telnetlib1Private::get(&client);
    QTcpServer server;
    std::unique_ptr<QTcpSocket> peer;
    QStringList events;
};

struct Step
{
    QByteArray in, out;
    QByteArrayList events = {}; // "msg:text" or a signal's name
};
using Steps = QList<Step>;
enum Setup { Defaults, Credentials, LateCredentials, ShellPrompt, NoPatterns, OwnPattern, InvalidPattern };

// The local 8-bit decoding of the rows' bytes: ASCII as it is; above 127 (the rows use only 0xf2
// and 0xff) the Windows code page's letter, the Latin-1 one, else (a lone byte, no UTF-8) U+FFFD.
QString decoded(const QByteArray &bytes)
{
    QString text;
    for (const char c : bytes)
        text += uchar(c) < 0x80 || QSysInfo::kernelType() == "winnt" ? QChar(uchar(c)) : QChar(0xfffd);
    return text;
}

QStringList warnings;

} // namespace

Q_DECLARE_METATYPE(Steps)

class TestTelnet : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtWarningMsg)
                warnings << text;
        });
    }
    void conversation_data();
    void conversation();
    void sending_data();
    void sending();
    void closing();
    void reconnectWhileParsing();
};

void TestTelnet::conversation_data()
{
    QTest::addColumn<int>("setup");
    QTest::addColumn<Steps>("steps");
    const auto row = [](const char *name, Setup setup, const Steps &steps) {
        QTest::newRow(name) << int(setup) << steps;
    };
    const QByteArray refuse = hex("fffe25"), authSend = hex("fffa25010000fff0"),
                     authIsNull = hex("fffa25000000fff0");
    const QByteArray login = "msg:login: ", password = "msg:Password: ", required = "loginRequired";
    row("terminal type", Defaults,
        {{hex("fffd18"), hex("fffb18")}, {hex("fffd18"), ""}, {kPing, kPingReply}});
    row("DO ECHO refused once", Defaults, {{hex("fffd01"), hex("fffc01")}, {hex("fffd01"), ""}});
    row("WILL ECHO alternates", Defaults,
        {{hex("fffb01"), hex("fffe01")}, {hex("fffb01"), ""}, {hex("fffb01"), hex("fffe01")}});
    row("SGA on and off", Defaults, {{hex("fffd03"), hex("fffb03")}, {hex("fffe03"), hex("fffc03")}});
    row("own offers not confirmed", Defaults,
        {{hex("fffd25"), ""}, {hex("fffb03"), ""}, {hex("fffc05"), hex("fffe05")}});
    row("DO NAWS without size", Defaults, {{hex("fffd1f"), hex("fffc1f")}});
    // A size before the DO is refused yet reported; a DONT is remembered until the next DO.
    row("window size", Defaults,
        {{"<size 80 24>" + hex("fffd1f"), hex("fffc1ffffa1f00500018fff0")},
         {"<size 65636 300>", hex("fffa1f0064012cfff0")},
         {"<size -1 24>", ""},
         {"<size 80 25>", hex("fffb1f")},
         {hex("fffe1f"), hex("fffc1f")},
         {"<size 90 30>", ""},
         {hex("fffd1f"), hex("fffa1f005a001efff0")}});
    row("commands cut across reads", Defaults,
        {{hex("ff") + kCut + hex("fd") + kCut + hex("18"), hex("fffb18")},
         {hex("fffa18") + kCut + hex("01ff") + kCut + hex("f0"), kPingReply},
         {"a" + hex("ff") + kCut + hex("ff") + "x", "", {"msg:a", "msg:\xffx"}},
         {hex("fffa1f00500018ff") + kCut + hex("f0fffd01"), hex("fffc01")},
         {hex("fffa2501") + kCut + hex("0000fff0"), authIsNull}});
    // A TERMINAL-TYPE SEND padded to exactly the bound is answered; one byte more and IAC SB is
    // dropped, the rest arriving as text and a stray IAC SE.
    const QByteArray padding(kMaxSubnegotiation - 6, 'z');
    row("sub-negotiation at its bound", Defaults, {{hex("fffa1801") + padding + hex("fff0"), kPingReply}});
    row("sub-negotiation past its bound", Defaults,
        {{hex("fffa1801") + "z" + padding + hex("fff0"), "", {"msg:\x18\x01z" + padding}}});
    row("unhandled commands consumed", Defaults,
        {{hex("fff1fff9fff6fff7fff8fff3fff4fff5ffeeffefffedffecfff0ff01fffa1f00500018fff0fffafff0fffd18"),
          hex("fffb18")}});
    row("NUL splits runs", Defaults, {{QByteArray("\0abc\0def", 8), "", {"msg:abc", "msg:def"}}});
    row("DM at run start dropped, inside kept", Defaults,
        {{hex("f2616200f263f221"), "", {"msg:ab", "msg:c\xf2!"}}});
    row("IAC IAC is 255", Defaults, {{hex("61ffff78ffff"), "", {"msg:a\xffx\xff"}}});
    row("runs and commands", Defaults,
        {{QByteArray("x\xff\xfb\x01y\0z\xff\xf1w\xff\xfd\x01", 13),
          hex("fffe01fffc01"),
          {"msg:x", "msg:y", "msg:z", "msg:w"}}});
    // Login by prompts, on once the server refuses AUTHENTICATION.
    row("refused, no credentials", Defaults,
        {{refuse, ""},
         {"login: ", "\r\n", {login, required}},
         {"login: ", "", {login, required}},
         {"Password: ", "\r\n", {password}},
         {"Password: ", "", {password, required}}});
    row("refused, credentials", Credentials,
        {{refuse, ""}, {"login: ", "tech\r\n", {login, required}}, {"Password: ", "secret\r\n", {password}}});
    row("credentials from loginRequired", LateCredentials,
        {{refuse, ""}, {"login: ", "late\r\n", {login, required}}});
    row("password prompt first", Defaults,
        {{refuse, ""}, {"Password: ", "\r\n", {password, required}}, {"login: ", "\r\n", {login}}});
    row("prompt must end the run", Defaults,
        {{refuse, ""},
         {"login: x", "", {"msg:login: x"}},
         {QByteArray("Hi\0login: ", 10), "\r\n", {"msg:Hi", login, required}}});
    row("no refusal, no recognition", Defaults, {{"login: ", "", {login}}});
    row("NULL authentication", Defaults,
        {{authSend, authIsNull}, {authSend, authIsNull}, {"login: ", "\r\n", {login, required}}});
    row("shell prompt ends recognition", ShellPrompt,
        {{refuse, ""}, {"m $ ", "", {"loggedIn", "msg:m $ "}}, {"login: ", "", {login}}});
    row("no patterns, refused", NoPatterns, {{refuse, "", {"loggedIn"}}, {"login: ", "", {login}}});
    // Each connection is a telnet session of its own; the login flags outlive it.
    const QByteArray asks = hex("fffd18fffb01fffd1f"), answers = hex("fffb18fffe01fffc1f");
    const Step again{kReconnect, kOffers, {"loggedOut"}};
    row("every connection negotiates anew", Defaults,
        {{asks, answers}, again, {asks, answers}, again, {asks, answers}});
    row("command cut off by its connection's end", Defaults,
        {{kReconnect + hex("fffa18"), kOffers, {"loggedOut"}},
         {hex("fffd18") + "abc", hex("fffb18"), {"msg:abc"}}});
    row("login flags outlive the connection", Credentials,
        {{refuse, ""},
         {"login: ", "tech\r\n", {login, required}},
         again,
         {refuse, ""},
         {"login: ", "", {login, required}}});
    row("own login pattern", OwnPattern,
        {{refuse, ""}, {"login: ", "", {login}}, {"Benutzer: ", "\r\n", {"msg:Benutzer: ", required}}});
    row("invalid login pattern finds nothing", InvalidPattern,
        {{refuse, ""}, {"(login: ", "", {"msg:(login: "}}});
    row("no patterns, NULL authentication", NoPatterns,
        {{authSend, authIsNull, {"loggedIn"}}, {"m $ ", "", {"msg:m $ "}}});
}

void TestTelnet::conversation()
{
    QFETCH(int, setup);
    QFETCH(Steps, steps);
    Peer p;
    if (setup == Credentials)
        p.client.setCredentials("tech", "secret");
    if (setup == LateCredentials)
        QObject::connect(&p.client, &telnetlib1::loginRequired,
                         [&p] { p.client.setCredentials("late", "pw"); });
    if (setup == ShellPrompt)
        p.client.setShellPromptExpr(QRegularExpression("\\$ $"));
    if (setup == NoPatterns)
        p.client.setLoginPromptExpr(QRegularExpression()),
            p.client.setPasswordPromptExpr(QRegularExpression());
    if (setup == OwnPattern)
        p.client.setLoginPromptExpr(QRegularExpression("Benutzer:\\s*$"));
    if (setup == InvalidPattern)
        p.client.setLoginPromptExpr(QRegularExpression("("));
    warnings.clear();
    QCOMPARE(p.open().toHex(), kOffers.toHex());
    for (Step step : steps) {
        if (step.in.startsWith("<size ")) {
            const QList<QByteArray> size = step.in.mid(6, step.in.indexOf('>') - 6).split(' ');
            p.client.setTerminalSize(size[0].toInt(), size[1].toInt());
            step.in.remove(0, step.in.indexOf('>') + 1);
        }
        if (step.in.contains(kCut)) {
            for (int at; (at = step.in.indexOf(kCut)) >= 0; step.in.remove(0, at + kCut.size()))
                p.engine->receiveBytes(step.in.left(at));
            p.engine->receiveBytes(std::exchange(step.in, QByteArray()));
        }
        const bool reconnect = step.in.startsWith(kReconnect);
        QCOMPARE((reconnect ? p.reopen(step.in.mid(kReconnect.size())) : p.exchange(step.in)).toHex(),
                 step.out.toHex());
        QStringList events;
        for (const QByteArray &e : step.events)
            events << decoded(e);
        QCOMPARE(p.takeEvents(), events);
    }
    QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('|')));
    QVERIFY(p.engine->storedPassword.isEmpty() || !p.engine->passwordSent);
}

void TestTelnet::sending_data()
{
    QTest::addColumn<int>("control"); // -1: sendData, -2: logout
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("line") << -1 << "sf" << hex("73660d0a");
    QTest::newRow("empty line") << -1 << "" << hex("0d0a");
    QTest::newRow("logout") << -2 << "" << hex("fffd12");
    const char *bytes[] = {"fff9", "fff4", "fff6", "fff5", "fff7", "fff8",
                           "fff3", "ffec", "ffed", "ffee", ""};
    for (int c = 0; c <= 10; ++c)
        QTest::addRow("control %d", c) << c << "" << hex(bytes[c]);
}

void TestTelnet::sending()
{
    QFETCH(int, control);
    QFETCH(QString, text);
    QFETCH(QByteArray, wire);
    Peer p;
    QCOMPARE(p.open(), kOffers);
    const int off = 0; // urgent data out of the stream, told apart from normal bytes
    const auto fd = NativeSocket(p.peer->socketDescriptor());
    setsockopt(fd, SOL_SOCKET, SO_OOBINLINE, reinterpret_cast<const char *>(&off), sizeof off);
    if (control == -1)
        p.client.sendData(text);
    else if (control == -2)
        p.client.logout();
    else
        p.client.sendControl(telnetlib1::Control(control));
    // The synch's DM is urgent data, an exceptional condition for select() on both systems.
    const bool urgent = control >= telnetlib1::IP && control <= telnetlib1::AO;
    fd_set exceptional;
    FD_ZERO(&exceptional);
    FD_SET(fd, &exceptional);
    timeval wait{urgent ? 2 : 0, urgent ? 0 : 50000};
    char byte = 0;
    QCOMPARE(select(int(fd) + 1, nullptr, nullptr, &exceptional, &wait) == 1 &&
                 recv(fd, &byte, 1, MSG_OOB) == 1 && byte == '\xf2',
             urgent);
    QCOMPARE(p.exchange({}).toHex(), wire.toHex());
}

void TestTelnet::closing()
{
    // The server's WONT LOGOUT closes, after the text before it.
    Peer q;
    QCOMPARE(q.open(), kOffers);
    q.peer->write("before" + hex("fffc12fffd18") + "after");
    QTRY_VERIFY(q.peer->state() == QAbstractSocket::UnconnectedState);
    QCOMPARE(q.takeEvents().mid(0, 2), QStringList({"msg:before", "loggedOut"}));
    // A socket replaced while connected asks the server to log out on its way.
    Peer r;
    QCOMPARE(r.open(), kOffers);
    r.client.attachSocket(new QTcpSocket);
    QByteArray last;
    QVERIFY(QTest::qWaitFor([&] {
        last += r.peer->readAll();
        return r.peer->state() == QAbstractSocket::UnconnectedState;
    }));
    QCOMPARE(last.toHex(), QByteArray("fffd12"));
    QVERIFY(r.client.bytesInFlight() < 0 && r.events.isEmpty());
}

// A receiver that reconnects in the middle of a read: the rest of the old connection's bytes is
// neither answered on the new one nor shown.
void TestTelnet::reconnectWhileParsing()
{
    Peer p;
    QCOMPARE(p.open(), kOffers);
    QObject::connect(&p.client, &telnetlib1::message, [&p](const QString &text) {
        if (text == QLatin1String("again")) {
            p.client.close();
            p.client.openConnection(QStringLiteral("127.0.0.1"), p.server.serverPort());
        }
    });
    p.peer->write(QByteArray("again\0", 6) + hex("fffd18") + "old");
    QVERIFY(QTest::qWaitFor([&] { return p.server.hasPendingConnections(); }, 3000));
    std::unique_ptr<QTcpSocket> fresh(p.server.nextPendingConnection());
    QByteArray got;
    (void)QTest::qWaitFor([&] { return (got += fresh->readAll()).size() > kOffers.size(); }, 500);
    QCOMPARE(got.toHex(), kOffers.toHex());
    QCOMPARE(p.takeEvents(), QStringList({"msg:again", "loggedOut", "loggedOut"}));
}

QTEST_GUILESS_MAIN(TestTelnet)
#include "tst_telnet.moc"
