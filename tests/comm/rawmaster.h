#ifndef RAWMASTER_H
#define RAWMASTER_H

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A misbehaving master module: a bare TCP server that plays a script of raw
// bytes to the first connection, with no telnet handling of its own.
class RawMaster : public QObject
{
    Q_OBJECT
public:
    struct Step
    {
        enum Kind { Send, WaitLines, Sleep, Close, Stream };
        Kind kind;
        QByteArray data; // Send: the bytes; Stream: the pattern repeated
        int count;       // WaitLines: further CR LF pairs to wait for; Sleep and Stream: ms
    };
    static Step send(const QByteArray &bytes) { return {Step::Send, bytes, 0}; }
    static Step waitLines(int n) { return {Step::WaitLines, QByteArray(), n}; }
    static Step sleep(int ms) { return {Step::Sleep, QByteArray(), ms}; }
    static Step close() { return {Step::Close, QByteArray(), 0}; }
    // Writes the pattern about every 10 ms for the given time.
    static Step stream(const QByteArray &pattern, int ms) { return {Step::Stream, pattern, ms}; }
    // The usual prompts, each answered with one line.
    static QList<Step> loginSteps();

    explicit RawMaster(QObject *parent = nullptr);
    bool listen(const QHostAddress &address, quint16 port);
    void setScript(const QList<Step> &steps) { script = steps; }
    // Appends steps to the running script (after it ended, they run at once).
    void extendScript(const QList<Step> &steps);
    bool scriptDone() const { return connection && next >= script.size() && !busy; }
    bool isConnected() const { return connection && connection->state() == QAbstractSocket::ConnectedState; }

    QByteArray received;
    int linesReceived() const { return received.count("\r\n"); }

private:
    void accept();
    void advance();
    void streamTick();

    QTcpServer server;
    QPointer<QTcpSocket> connection;
    QList<Step> script;
    int next = 0;
    bool busy = false;
    int waitFor = -1;
    QTimer streamTimer;
    qint64 streamEnd = 0;
    QByteArray streamPattern;
};

// Reproducible noise: every byte value, IAC and NUL included.
QByteArray noise(int size, unsigned seed);

#endif // RAWMASTER_H
