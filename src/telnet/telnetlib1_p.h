#ifndef TELNETLIB1_P_H
#define TELNETLIB1_P_H

// Engine of the telnet client. Not part of the public interface: only the client
// itself, its tests, the fuzzer and the benchmark include this header.

#include "telnetlib1.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>
#include <QTimer>

#include "promptpattern.h"

class QSocketNotifier;
class QTcpSocket;
class telnetlib1Auth;

// Byte values of RFC 854 and the option codes the engine knows. Scoped so that
// none of them can meet a macro of the same name from a system header.
namespace Telnet {
enum Command : uchar {
    EndOfFile = 236,
    SUSP = 237,
    ABORT = 238,
    SE = 240,
    DM = 242,
    BRK = 243,
    IP = 244,
    AO = 245,
    AYT = 246,
    EC = 247,
    EL = 248,
    GA = 249,
    SB = 250,
    WILL = 251,
    WONT = 252,
    DO = 253,
    DONT = 254,
    IAC = 255,
};
enum Qualifier : uchar { IS = 0, SEND = 1 };
enum Option : uchar {
    SuppressGoAhead = 3,
    Status = 5,
    Logout = 18,
    TerminalType = 24,
    Naws = 31,
    Linemode = 34,
    Authentication = 37,
};
} // namespace Telnet

// Longest sub-negotiation, IAC SB through IAC SE, that is waited for. Real ones
// are a few dozen bytes; past this an IAC SB without its end is dropped, so a
// broken or hostile server can neither stall the client nor grow its memory.
constexpr int kMaxSubnegotiation = 4096;

// Most bytes the socket holds for us between two reads. A master that sends faster
// than the window shows it is held back by TCP itself, and no read is so large
// that decoding and showing it would stall the window.
constexpr qint64 kMaxReadBytes = 4096 * 1024;

// Members are public, as usual for the private half of a Qt class: the client
// is the only user outside tests.
class telnetlib1Private : public QObject
{
    Q_OBJECT
public:
    explicit telnetlib1Private(telnetlib1 *client);
    ~telnetlib1Private() override;

    static telnetlib1Private *get(telnetlib1 *client) { return client->d; }

    // The one entry for bytes from the server, fed by socketReadyRead. The
    // bytes need not outlive the call.
    void receiveBytes(const char *data, int size);
    void receiveBytes(const QByteArray &bytes) { receiveBytes(bytes.constData(), bytes.size()); }

    int processBuffers(const char *data, int size);
    int handleText(const char *data, int size);
    int parseIAC(const char *data, int size);
    int extractSubnegotiation(const char *data, int size);
    void handleSubnegotiation(const QByteArray &body);

    void negotiate(uchar verb, uchar option);
    bool needsReply(uchar operation, uchar option) const;
    bool acceptsOption(int operation, int option) const;
    void recordRequest(uchar operation, uchar option);

    void writeCommand(const QByteArray &command);
    void writeCommand(const char *data, int length);
    void writeText(const QString &text);
    void sendOffers();
    void writeTerminalSize();
    void answerTerminalType(const QByteArray &body);

    void attachSocket(QTcpSocket *socket);
    // Forgets everything the last connection negotiated or left unparsed.
    void startSession();
    void recognizeLogin(QString &text);
    void askForCredentials(QString &text);
    void authenticationRefused();
    void handleAuthentication(const QByteArray &body);

    bool serverDoes(uchar option) const { return serverDo.value(char(option), false); }

public slots:
    void socketConnected();
    void socketConnectionClosed();
    void socketReadyRead();
    void socketError(QAbstractSocket::SocketError error);
    void socketException();

public:
    QMap<char, bool> serverDo;
    QList<QPair<uchar, uchar>> sentCommands;
    telnetlib1 *owner;
    QTcpSocket *tcpSocket = nullptr;
    // Held-back bytes: never more than one unfinished command sequence.
    QByteArray pending;
    QSocketNotifier *oobNotifier = nullptr;
    int width = -1;
    int height = -1;
    bool linkUp = false;

    bool loginDone = false;
    bool userSent = false;
    bool passwordSent = false;
    bool noPromptYet = true;
    telnetlib1Auth *method = nullptr;
    bool promptLogin = false;
    PromptPattern loginExpr;
    PromptPattern passwordExpr;
    PromptPattern shellExpr;
    QString userName;
    QString storedPassword;

private:
    void consume(const char *data, int size);

    // A receiver of our signals may spin the event loop and so bring the next
    // read in while one is being parsed; that read waits here for its turn.
    bool parsing = false;
    QByteArray deferred;
    // Counts connections: a parse that sees it change stops, so that nothing of
    // an old connection is parsed, answered or shown once a new one is up.
    quint32 session = 0;
#ifdef Q_OS_WIN
    // Reads what the socket holds, piece by piece, for at most kReadTurnMs and
    // then leaves the rest to the next turn of readTimer.
    void readTurn();
    static constexpr int kReadTimerMs = 1;
    static constexpr int kReadTurnMs = 25;
    static constexpr int kReadPieceBytes = 4096;
    QTimer readTimer;
#endif
    // How far the search for IAC SE has got, so that a held-back sub-negotiation
    // is never searched again from its start: a position in the buffer being
    // parsed, and between reads the count of held-back bytes already searched.
    const char *seSearchedTo = nullptr;
    int pendingSearched = 0;
};

#endif // TELNETLIB1_P_H
