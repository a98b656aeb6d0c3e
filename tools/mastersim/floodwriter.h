#ifndef FLOODWRITER_H
#define FLOODWRITER_H

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QTcpSocket;

// Writes a very long answer without building it in memory first and without holding up the
// event loop. A flood is a number of lines, topped up whenever the socket has sent enough; a
// stream is lines at a fixed rate of bytes per second for a given time, each line carrying the
// moment it was made, so that a reader can tell how long a line took to reach it.
class FloodWriter : public QObject
{
    Q_OBJECT
public:
    static constexpr int kChunkBytes = 64 * 1024;
    static constexpr qint64 kHighWaterBytes = 256 * 1024;
    // A flood "line" with no line end (length 0) is this much text.
    static constexpr int kUnendedLineChars = 1024 * 1024;
    static constexpr int kStreamTickMs = 10;
    static constexpr int kStreamLineChars = 58; // with CR LF 60 bytes a line

    // lineLength: characters before the line end; -1 the usual answer lines, 0 no line end at all.
    FloodWriter(QTcpSocket *socket, int lines, int lineLength, QObject *parent = nullptr);
    // bytesPerSecond for seconds; lineLength <= 0 takes kStreamLineChars.
    static FloodWriter *stream(QTcpSocket *socket, int bytesPerSecond, int seconds, int lineLength,
                               QObject *parent = nullptr);
    void start();

    static QByteArray line(int index, int total, int lineLength = -1);
    // "s<index> t<microseconds of the monotonic clock>" padded to lineLength, with CR LF.
    static QByteArray streamLine(qint64 index, qint64 microseconds, int lineLength);
    static qint64 monotonicMicroseconds();
    // The line that ends a stream of this many lines.
    static QByteArray streamEnd(qint64 lines);

signals:
    void finished();

private:
    void topUp();
    void streamTick();

    QTcpSocket *m_socket;
    int m_total;
    int m_lineLength;
    int m_next = 0;
    // Stream only.
    int m_rate = 0;
    int m_seconds = 0;
    qint64 m_sentBytes = 0;
    qint64 m_sentLines = 0;
    QElapsedTimer m_clock;
    QTimer m_tick;
};

#endif // FLOODWRITER_H
