#ifndef TELNETPEER_H
#define TELNETPEER_H

// A telnet client connected over loopback to a server socket that the test
// drives byte by byte, with every signal of the client written down in order.

#include "telnetlib1.h"
#include "telnetlib1_p.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

#include <memory>

inline QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

// A byte string literal with its NUL bytes kept.
template <int N> QByteArray raw(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

// TERMINAL-TYPE SEND is answered without touching any state, so its answer
// marks the point up to which the client has parsed what the peer sent.
inline const QByteArray kPing = hex("fffa1801fff0");
inline const QByteArray kPingReply = hex("fffa1800") + "UNKNOWN" + hex("fff0");
inline const QByteArray kOffers = hex("fffb25fffd03fffb22fffd05");

class TelnetPeer
{
public:
    TelnetPeer()
    {
        QObject::connect(&client, &telnetlib1::message, [this](const QString &t) { events << "msg:" + t; });
        QObject::connect(&client, &telnetlib1::loginRequired, [this] { events << "loginRequired"; });
        QObject::connect(&client, &telnetlib1::loginFailed, [this] { events << "loginFailed"; });
        QObject::connect(&client, &telnetlib1::loggedIn, [this] { events << "loggedIn"; });
        QObject::connect(&client, &telnetlib1::loggedOut, [this] { events << "loggedOut"; });
        QObject::connect(&client, &telnetlib1::connectionError,
                         [this](QAbstractSocket::SocketError e) { events << QString("error:%1").arg(e); });
    }

    // Connects and returns what the client sent right away.
    QByteArray open()
    {
        if (!server.isListening() && !server.listen(QHostAddress::LocalHost))
            return "listen failed";
        client.openConnection(QStringLiteral("127.0.0.1"), server.serverPort());
        if (!server.waitForNewConnection(2000))
            return "no connection";
        peer.reset(server.nextPendingConnection());
        return collectFor(50, kOffers.size());
    }

    // Sends bytes plus the ping and returns the client's answers to the bytes.
    QByteArray exchange(const QByteArray &bytes)
    {
        peer->write(bytes + kPing);
        QByteArray got;
        QElapsedTimer timer;
        timer.start();
        while (!got.endsWith(kPingReply) && timer.elapsed() < 5000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            got += peer->readAll();
        }
        return got.endsWith(kPingReply) ? got.chopped(kPingReply.size()) : got + "<no ping reply>";
    }

    QByteArray collectFor(int ms, int enough = INT_MAX)
    {
        QByteArray got;
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms && got.size() < enough) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            got += peer->readAll();
        }
        return got;
    }

    QStringList takeEvents() { return std::exchange(events, QStringList()); }

    telnetlib1 client;
    telnetlib1Private *engine = telnetlib1Private::get(&client);
    QTcpServer server;
    std::unique_ptr<QTcpSocket> peer;
    QStringList events;
};

#endif // TELNETPEER_H
