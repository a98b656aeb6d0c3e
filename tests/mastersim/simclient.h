#ifndef SIMCLIENT_H
#define SIMCLIENT_H

#include <QByteArray>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTest>

#include <functional>

// A deliberately dumb peer: a plain socket that records every byte the simulator sends, so that
// tests see the wire rather than an interpretation of it. The simulator runs in the same thread,
// hence all waiting spins the event loop.
class SimClient
{
public:
    static constexpr int kTimeoutMs = 3000;

    SimClient()
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { received += socket.readAll(); });
        QObject::connect(&socket, &QTcpSocket::connected, [this] { wasConnected = true; });
    }

    static bool waitUntil(const std::function<bool()> &condition, int timeoutMs = kTimeoutMs)
    {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > timeoutMs)
                return false;
            QTest::qWait(2);
        }
        return true;
    }

    bool connectTo(quint16 port)
    {
        socket.connectToHost(QHostAddress::LocalHost, port);
        // The simulator may close a refused connection before the state is polled.
        return waitUntil([this] { return wasConnected; });
    }

    // Text with every telnet command sequence taken out, as a telnet client would show it.
    static QByteArray textOf(const QByteArray &bytes)
    {
        QByteArray text;
        for (int i = 0; i < bytes.size(); ++i) {
            const auto c = static_cast<uchar>(bytes.at(i));
            if (c != 0xff) {
                text.append(char(c));
            } else if (i + 1 < bytes.size() && static_cast<uchar>(bytes.at(i + 1)) == 0xff) {
                text.append(char(0xff));
                ++i;
            } else if (i + 1 < bytes.size() && static_cast<uchar>(bytes.at(i + 1)) == 0xfa) {
                const int end = bytes.indexOf("\xff\xf0", i);
                i = end < 0 ? bytes.size() : end + 1;
            } else if (i + 1 < bytes.size() && static_cast<uchar>(bytes.at(i + 1)) >= 0xfb) {
                i += 2;
            } else {
                ++i;
            }
        }
        return text;
    }

    QByteArray text() const { return textOf(received); }

    bool waitForText(const QByteArray &needle, int timeoutMs = kTimeoutMs)
    {
        return waitUntil([&] { return text().contains(needle); }, timeoutMs);
    }

    bool waitClosed(int timeoutMs = kTimeoutMs)
    {
        return waitUntil([this] { return socket.state() == QAbstractSocket::UnconnectedState; }, timeoutMs);
    }

    void send(const QByteArray &bytes)
    {
        socket.write(bytes);
        socket.flush();
    }
    void sendLine(const QByteArray &line) { send(line + "\r\n"); }

    bool login(const QByteArray &user = "tastarello", const QByteArray &password = "kantor")
    {
        if (!waitForText("login: "))
            return false;
        sendLine(user);
        if (!waitForText("password: "))
            return false;
        sendLine(password);
        return waitForText("tastarello> ");
    }

    // Sends one command line and returns the answer text up to (without) the next shell prompt.
    QByteArray command(const QByteArray &line)
    {
        received.clear();
        sendLine(line);
        if (!waitForText("tastarello> "))
            return QByteArray("<no prompt> ") + text();
        const QByteArray all = text();
        return all.left(all.indexOf("tastarello> "));
    }

    QTcpSocket socket;
    QByteArray received;
    bool wasConnected = false;
};

#endif // SIMCLIENT_H
