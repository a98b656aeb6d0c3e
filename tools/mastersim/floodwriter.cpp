#include "floodwriter.h"

#include <QTcpSocket>

FloodWriter::FloodWriter(QTcpSocket *socket, int lines, QObject *parent)
    : QObject(parent), m_socket(socket), m_total(lines)
{
}

void FloodWriter::start()
{
    connect(m_socket, &QTcpSocket::bytesWritten, this, &FloodWriter::topUp);
    topUp();
}

QByteArray FloodWriter::line(int index, int total)
{
    const int keyboard = index % 8 + 1;
    const int key = index % 61 + 1;
    return QStringLiteral("gva %1/%2: keyboard %3 key %4 KeyUp %5 KeyDown %6\r\n")
        .arg(index + 1)
        .arg(total)
        .arg(keyboard)
        .arg(key)
        .arg(80 + index % 60)
        .arg(860 + index % 120)
        .toLatin1();
}

void FloodWriter::topUp()
{
    while (m_next < m_total && m_socket->bytesToWrite() < kHighWaterBytes) {
        QByteArray chunk;
        const int end = qMin(m_total, m_next + kLinesPerChunk);
        for (; m_next < end; ++m_next)
            chunk += line(m_next, m_total);
        m_socket->write(chunk);
    }
    if (m_next >= m_total) {
        disconnect(m_socket, nullptr, this, nullptr);
        emit finished();
    }
}
