#include "floodwriter.h"

#include <QTcpSocket>

#include <chrono>

namespace {
// Filler whose every position differs from its neighbours, so that a lost or doubled
// piece shows.
void pad(QByteArray &text, int length)
{
    static const QByteArray alphabet = "abcdefghijklmnopqrstuvwxyz";
    if (text.size() > length)
        text.truncate(length);
    text.reserve(length + 2);
    while (text.size() < length) {
        const int at = int(text.size()) % 26;
        text.append(alphabet.constData() + at, qMin(26 - at, length - int(text.size())));
    }
}
} // namespace

FloodWriter::FloodWriter(QTcpSocket *socket, int lines, int lineLength, QObject *parent)
    : QObject(parent), m_socket(socket), m_total(lines), m_lineLength(lineLength)
{
}

FloodWriter *FloodWriter::stream(QTcpSocket *socket, int bytesPerSecond, int seconds, int lineLength,
                                 QObject *parent)
{
    auto *writer = new FloodWriter(socket, 0, lineLength > 0 ? lineLength : kStreamLineChars, parent);
    writer->m_rate = bytesPerSecond;
    writer->m_seconds = seconds;
    return writer;
}

void FloodWriter::start()
{
    if (m_rate > 0) {
        m_clock.start();
        connect(&m_tick, &QTimer::timeout, this, &FloodWriter::streamTick);
        m_tick.start(kStreamTickMs);
        return;
    }
    connect(m_socket, &QTcpSocket::bytesWritten, this, &FloodWriter::topUp);
    topUp();
}

QByteArray FloodWriter::line(int index, int total, int lineLength)
{
    // Built by hand: a flood is made as fast as a link carries it, so the simulator does
    // not hold back what it is there to measure.
    QByteArray text;
    text.reserve(64);
    text.append("gva ").append(QByteArray::number(index + 1)).append('/').append(QByteArray::number(total));
    text.append(": keyboard ").append(QByteArray::number(index % 8 + 1));
    text.append(" key ").append(QByteArray::number(index % 61 + 1));
    text.append(" KeyUp ").append(QByteArray::number(80 + index % 60));
    text.append(" KeyDown ").append(QByteArray::number(860 + index % 120));
    if (lineLength == 0) {
        pad(text, kUnendedLineChars);
        return text;
    }
    if (lineLength > 0)
        pad(text, lineLength);
    return text + "\r\n";
}

qint64 FloodWriter::monotonicMicroseconds()
{
    // The steady clock is the system's monotonic one, the same in every process.
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QByteArray FloodWriter::streamLine(qint64 index, qint64 microseconds, int lineLength)
{
    QByteArray text = "s" + QByteArray::number(index) + " t" + QByteArray::number(microseconds) + " ";
    pad(text, lineLength);
    return text + "\r\n";
}

QByteArray FloodWriter::streamEnd(qint64 lines)
{
    return "stream end " + QByteArray::number(lines) + "\r\n";
}

void FloodWriter::topUp()
{
    while (m_next < m_total && m_socket->bytesToWrite() < kHighWaterBytes) {
        QByteArray chunk;
        while (m_next < m_total && chunk.size() < kChunkBytes)
            chunk += line(m_next++, m_total, m_lineLength);
        m_socket->write(chunk);
    }
    if (m_next >= m_total) {
        disconnect(m_socket, nullptr, this, nullptr);
        emit finished();
    }
}

// Lines are made when they are due, whether or not the reader keeps up: a reader that falls
// behind sees it in the age of the lines it gets.
void FloodWriter::streamTick()
{
    const qint64 elapsedMs = qMin<qint64>(m_clock.elapsed(), qint64(m_seconds) * 1000);
    const qint64 due = qint64(m_rate) * elapsedMs / 1000;
    QByteArray chunk;
    const qint64 now = monotonicMicroseconds();
    while (m_sentBytes < due) {
        const QByteArray next = streamLine(m_sentLines++, now, m_lineLength);
        m_sentBytes += next.size();
        chunk += next;
    }
    if (!chunk.isEmpty())
        m_socket->write(chunk);
    if (elapsedMs >= qint64(m_seconds) * 1000) {
        m_tick.stop();
        m_socket->write(streamEnd(m_sentLines));
        emit finished();
    }
}
