// The client's public operations: connecting, sending, control functions with
// the urgent synch, closing, errors and the window size.

#include "telnetpeer.h"

#include <QtTest>

#include <poll.h>
#include <sys/socket.h>

class tst_TelnetClient : public QObject
{
    Q_OBJECT
private slots:
    void sendData_data();
    void sendData();
    void sendControl_data();
    void sendControl();
    void writesDroppedWhileIdle();
    void closeEmitsLoggedOut();
    void closeWhileConnectingDoesNothing();
    void refusedPortReportsError();
    void openWhileConnectedDoesNothing();
    void stateOutlivesConnection();
    void terminalSize();
};

// Qt receives urgent data inline; taken out of the stream it can be told apart
// from normal bytes and read before the normal stream passes its mark.
static void keepUrgentApart(QTcpSocket *peer)
{
    const int off = 0;
    setsockopt(int(peer->socketDescriptor()), SOL_SOCKET, SO_OOBINLINE, &off, sizeof off);
}

static QByteArray urgentByte(QTcpSocket *peer, int timeoutMs)
{
    pollfd pfd{int(peer->socketDescriptor()), POLLPRI, 0};
    if (poll(&pfd, 1, timeoutMs) != 1)
        return {};
    char byte;
    return recv(pfd.fd, &byte, 1, MSG_OOB) == 1 ? QByteArray(1, byte) : QByteArray();
}

void tst_TelnetClient::sendData_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("wire");
    QTest::newRow("line") << "sf" << hex("73660d0a");
    QTest::newRow("empty") << "" << hex("0d0a");
    QTest::newRow("IAC not doubled") << QString::fromLatin1("\xff")
                                     << QString::fromLatin1("\xff").toLocal8Bit() + "\r\n";
}

void tst_TelnetClient::sendData()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, wire);
    TelnetPeer p;
    QCOMPARE(p.open(), kOffers);
    p.client.sendData(text);
    QCOMPARE(p.exchange({}).toHex(), wire.toHex());
}

void tst_TelnetClient::sendControl_data()
{
    QTest::addColumn<int>("control");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<bool>("urgent");
    const char *bytes[] = {"fff9", "fff4", "fff6", "fff5", "fff7", "fff8",
                           "fff3", "ffec", "ffed", "ffee", ""};
    const QMetaEnum names = QMetaEnum::fromType<telnetlib1::Control>();
    for (int c = 0; c <= 10; ++c)
        QTest::addRow("%d %s", c, c < 10 ? names.valueToKey(c) : "none")
            << c << hex(bytes[c]) << (c >= telnetlib1::IP && c <= telnetlib1::AO);
}

void tst_TelnetClient::sendControl()
{
    QFETCH(int, control);
    QFETCH(QByteArray, wire);
    QFETCH(bool, urgent);
    TelnetPeer p;
    QCOMPARE(p.open(), kOffers);
    keepUrgentApart(p.peer.get());
    p.client.sendControl(telnetlib1::Control(control));
    QCOMPARE(urgentByte(p.peer.get(), urgent ? 2000 : 50), urgent ? hex("f2") : QByteArray());
    QCOMPARE(p.exchange({}).toHex(), wire.toHex());
}

void tst_TelnetClient::writesDroppedWhileIdle()
{
    telnetlib1 client;
    client.sendData(QStringLiteral("x"));
    client.sendControl(telnetlib1::IP);
    client.sendSync();
    client.logout();
    client.setTerminalSize(80, 24);
    QCOMPARE(client.tcpSocket()->bytesToWrite(), 0);
    QVERIFY(telnetlib1Private::get(&client)->sentCommands.isEmpty());
}

void tst_TelnetClient::closeEmitsLoggedOut()
{
    TelnetPeer p;
    QCOMPARE(p.open(), kOffers);
    p.client.close();
    QVERIFY(p.events.contains("loggedOut"));
    QTRY_COMPARE(p.peer->state(), QAbstractSocket::UnconnectedState);
    p.takeEvents();
    p.client.close();
    QVERIFY(p.events.isEmpty());
}

void tst_TelnetClient::closeWhileConnectingDoesNothing()
{
    TelnetPeer p;
    QVERIFY(p.server.listen(QHostAddress::LocalHost));
    p.client.tcpSocket()->connectToHost(QHostAddress::LocalHost, p.server.serverPort());
    p.client.close();
    QVERIFY(p.server.waitForNewConnection(2000));
    p.peer.reset(p.server.nextPendingConnection());
    QCOMPARE(p.collectFor(100), kOffers);
    QVERIFY(p.events.isEmpty());
}

void tst_TelnetClient::refusedPortReportsError()
{
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    TelnetPeer p;
    p.client.openConnection(QStringLiteral("127.0.0.1"), port);
    QTRY_COMPARE(p.events, QStringList{QString("error:%1").arg(QAbstractSocket::ConnectionRefusedError)});
}

void tst_TelnetClient::openWhileConnectedDoesNothing()
{
    TelnetPeer p;
    QCOMPARE(p.open(), kOffers);
    p.client.openConnection(QStringLiteral("127.0.0.1"), p.server.serverPort());
    QVERIFY(!p.server.waitForNewConnection(100));
    QCOMPARE(p.exchange(hex("fffd18")).toHex(), QByteArray("fffb18"));
}

// Nothing is reset by a new connection: the offers of the first are still on
// record, so the second sends none, and a prompt already answered stays so.
void tst_TelnetClient::stateOutlivesConnection()
{
    TelnetPeer p;
    QCOMPARE(p.open(), kOffers);
    QCOMPARE(p.exchange(hex("fffe25") + "login: "), QByteArray("\r\n"));
    p.client.close();
    QTRY_COMPARE(p.peer->state(), QAbstractSocket::UnconnectedState);
    p.takeEvents();
    QCOMPARE(p.open(), QByteArray());
    QCOMPARE(p.exchange("login: "), QByteArray());
    QCOMPARE(p.takeEvents(), QStringList({"msg:login: ", "loginRequired"}));
}

void tst_TelnetClient::terminalSize()
{
    TelnetPeer p;
    QCOMPARE(p.open(), kOffers);
    p.client.setTerminalSize(80, 24);
    QVERIFY(!p.client.hasTerminalSize());
    // Refused, as the size does not count yet, yet reported once the DO is on record.
    QCOMPARE(p.exchange(hex("fffd1f")).toHex(), QByteArray("fffc1ffffa1f00500018fff0"));
    QCOMPARE(p.client.terminalSize(), QSize(80, 24));
    p.client.setTerminalSize(QSize(65536 + 100, 300));
    QCOMPARE(p.exchange({}).toHex(), QByteArray("fffa1f0064012cfff0"));
    p.client.setTerminalSize(-1, 24);
    QCOMPARE(p.client.terminalSize(), QSize(-1, 24));
    QCOMPARE(p.exchange({}).toHex(), QByteArray());
    p.client.setTerminalSize(80, 25);
    QCOMPARE(p.exchange({}).toHex(), QByteArray("fffb1f"));
}

QTEST_GUILESS_MAIN(tst_TelnetClient)
#include "tst_telnetclient.moc"
