#include "rawmaster.h"

#include <QDateTime>

#include <random>

RawMaster::RawMaster(QObject *parent) : QObject(parent)
{
    connect(&server, &QTcpServer::newConnection, this, &RawMaster::accept);
    connect(&streamTimer, &QTimer::timeout, this, &RawMaster::streamTick);
}

QList<RawMaster::Step> RawMaster::loginSteps()
{
    return {send("\r\nlogin: "), waitLines(1), send("password: "), waitLines(1), send("\r\nwelcome\r\n> ")};
}

bool RawMaster::listen(const QHostAddress &address, quint16 port)
{
    return server.listen(address, port);
}

void RawMaster::extendScript(const QList<Step> &steps)
{
    script.append(steps);
    if (connection && !busy && waitFor < 0)
        advance();
}

void RawMaster::accept()
{
    QTcpSocket *socket = server.nextPendingConnection();
    if (connection) {
        // One peer at a time, like the device.
        socket->abort();
        socket->deleteLater();
        return;
    }
    connection = socket;
    connect(socket, &QTcpSocket::readyRead, this, [this] {
        received += connection->readAll();
        if (waitFor >= 0 && linesReceived() >= waitFor) {
            waitFor = -1;
            advance();
        }
    });
    advance();
}

void RawMaster::advance()
{
    while (connection && next < script.size()) {
        const Step step = script.at(next++);
        switch (step.kind) {
        case Step::Send:
            connection->write(step.data);
            break;
        case Step::WaitLines:
            // Counted from now: the answer cannot come before the prompt.
            waitFor = linesReceived() + step.count;
            return;
        case Step::Sleep:
            busy = true;
            QTimer::singleShot(step.count, this, [this] {
                busy = false;
                advance();
            });
            return;
        case Step::Close:
            connection->disconnectFromHost();
            break;
        case Step::Stream:
            busy = true;
            streamPattern = step.data;
            streamEnd = QDateTime::currentMSecsSinceEpoch() + step.count;
            streamTimer.start(10);
            return;
        }
    }
}

void RawMaster::streamTick()
{
    if (!connection || QDateTime::currentMSecsSinceEpoch() >= streamEnd) {
        streamTimer.stop();
        busy = false;
        advance();
        return;
    }
    // Keep the socket's own buffer short so that the pace follows the reader.
    if (connection->bytesToWrite() < 4 * streamPattern.size())
        connection->write(streamPattern);
}

QByteArray noise(int size, unsigned seed)
{
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = char(byte(generator));
    return data;
}
