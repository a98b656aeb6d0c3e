#ifndef FLOODWRITER_H
#define FLOODWRITER_H

#include <QObject>

class QTcpSocket;

// Writes a very long answer without building it in memory first and without holding up the
// event loop: a chunk of lines at a time, topped up whenever the socket has sent enough.
class FloodWriter : public QObject
{
    Q_OBJECT
public:
    static constexpr int kLinesPerChunk = 512;
    static constexpr qint64 kHighWaterBytes = 256 * 1024;

    FloodWriter(QTcpSocket *socket, int lines, QObject *parent = nullptr);
    void start();
    bool isFinished() const { return m_next >= m_total; }

    static QByteArray line(int index, int total);

signals:
    void finished();

private:
    void topUp();

    QTcpSocket *m_socket;
    int m_total;
    int m_next = 0;
};

#endif // FLOODWRITER_H
