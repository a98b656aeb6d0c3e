// The client's public operations and, on the engine side, the connection,
// prompt login, authentication and the urgent synch.

#include "telnetlib1.h"

#include "telnetlib1_p.h"
#include "telnetlib1auth.h"

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTcpSocket>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <winsock2.h>
// After winsock2.h, which it builds on.
#include <mstcpip.h>
#else
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/types.h>
#ifdef Q_OS_LINUX
#include <linux/sockios.h>
#endif
#endif

using namespace Telnet;

namespace {

// A pulled cable or a master without power sends neither FIN nor RST: without
// these the connection would look alive for many minutes while lines vanish
// into it. Idle, the probes notice a dead link within kKeepAliveIdleS +
// kKeepAliveIntervalS * kKeepAliveProbes; with data in flight, the
// retransmissions give up after kUnacknowledgedTimeoutMs. A master that answers
// slowly still acknowledges, so it is not affected.
constexpr int kKeepAliveIdleS = 2;
constexpr int kKeepAliveIntervalS = 1;
constexpr int kKeepAliveProbes = 4;
constexpr int kUnacknowledgedTimeoutMs = 5000;

void detectDeadLink(qintptr descriptor)
{
#ifdef Q_OS_WIN
    // Windows sends ten probes: 1 s idle and 0.8 s apart stay within 10 s.
    tcp_keepalive values = {1, 1000, 800};
    DWORD returned = 0;
    WSAIoctl(SOCKET(descriptor), SIO_KEEPALIVE_VALS, &values, sizeof values, nullptr, 0, &returned, nullptr,
             nullptr);
    // TCP_MAXRT of ws2ipdef.h (Vista and later; older MinGW headers lack it): how
    // long, in whole seconds, retransmissions wait for an acknowledgement.
    constexpr int kTcpMaxRt = 5;
    const DWORD unacknowledgedTimeoutS = kUnacknowledgedTimeoutMs / 1000;
    setsockopt(SOCKET(descriptor), IPPROTO_TCP, kTcpMaxRt,
               reinterpret_cast<const char *>(&unacknowledgedTimeoutS), sizeof unacknowledgedTimeoutS);
#else
    const int fd = int(descriptor);
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
#if defined(TCP_KEEPIDLE) && defined(TCP_KEEPINTVL) && defined(TCP_KEEPCNT)
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &kKeepAliveIdleS, sizeof kKeepAliveIdleS);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &kKeepAliveIntervalS, sizeof kKeepAliveIntervalS);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &kKeepAliveProbes, sizeof kKeepAliveProbes);
#endif
#ifdef TCP_USER_TIMEOUT
    const unsigned int timeout = kUnacknowledgedTimeoutMs;
    setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &timeout, sizeof timeout);
#endif
#endif
}

// Bytes the system has accepted from the socket but the peer has not
// acknowledged; 0 where the system does not tell.
qint64 unacknowledgedBytes(qintptr descriptor)
{
#if defined(Q_OS_WIN) && defined(SIO_TCP_INFO)
    DWORD version = 0;
    TCP_INFO_v0 info{};
    DWORD returned = 0;
    if (WSAIoctl(SOCKET(descriptor), SIO_TCP_INFO, &version, sizeof version, &info, sizeof info, &returned,
                 nullptr, nullptr) == 0)
        return qint64(info.BytesInFlight);
#elif defined(SIOCOUTQ)
    int queued = 0;
    if (ioctl(int(descriptor), SIOCOUTQ, &queued) == 0)
        return queued;
#else
    Q_UNUSED(descriptor)
#endif
    return 0;
}

} // namespace

// Their $ would also match before a final newline, which \s* takes in anyway:
// they find the same prompts as the end-anchored patterns they always were.
telnetlib1Private::telnetlib1Private(telnetlib1 *client)
    : QObject(client), owner(client), loginExpr(QRegularExpression(QStringLiteral("ogin:\\s*$"))),
      passwordExpr(QRegularExpression(QStringLiteral("assword:\\s*$")))
{
    attachSocket(new QTcpSocket(this));
#ifdef Q_OS_WIN
    readTimer.setSingleShot(true);
    connect(&readTimer, &QTimer::timeout, this, &telnetlib1Private::readTurn);
#endif
}

#ifdef Q_OS_WIN
// Qt's Windows event dispatcher hands the timer's event out only once no message
// waits, and by then the socket may hold all of kMaxReadBytes: decoded and shown
// in one go, that held the window for seconds (minutes under Wine once the pane
// was full), the connect time-out and the boxes' own timers with it. In turns of
// kReadTurnMs the window's timers run between two turns, however much is waiting.
void telnetlib1Private::readTurn()
{
    QElapsedTimer turn;
    turn.start();
    while (tcpSocket && tcpSocket->bytesAvailable() > 0 && turn.elapsed() < kReadTurnMs)
        receiveBytes(tcpSocket->read(kReadPieceBytes));
    // No new data, no readyRead: what is left asks for the next turn itself.
    if (tcpSocket && tcpSocket->bytesAvailable() > 0)
        readTimer.start(kReadTimerMs);
}
#endif

telnetlib1Private::~telnetlib1Private()
{
    // A socket torn down while connected still reports it; the client is
    // going away, so nobody must hear of it.
    if (tcpSocket)
        tcpSocket->disconnect(this);
    delete tcpSocket;
    delete oobNotifier;
    delete method;
}

void telnetlib1Private::attachSocket(QTcpSocket *socket)
{
    if (socket == tcpSocket)
        return;
    if (tcpSocket) {
        owner->logout();
        tcpSocket->flush();
        tcpSocket->disconnect(this);
        delete tcpSocket;
    }
    delete oobNotifier;
    oobNotifier = nullptr;
    tcpSocket = socket;
    linkUp = false;
    if (!socket)
        return;
    socket->setReadBufferSize(kMaxReadBytes);
    connect(socket, SIGNAL(connected()), this, SLOT(socketConnected()));
    connect(socket, SIGNAL(disconnected()), this, SLOT(socketConnectionClosed()));
    connect(socket, SIGNAL(readyRead()), this, SLOT(socketReadyRead()));
    // Qt 6 renamed the socket's error signal; Qt 5 keeps listening to the one
    // it always did.
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    connect(socket, SIGNAL(error(QAbstractSocket::SocketError)), this,
            SLOT(socketError(QAbstractSocket::SocketError)));
#else
    connect(socket, SIGNAL(errorOccurred(QAbstractSocket::SocketError)), this,
            SLOT(socketError(QAbstractSocket::SocketError)));
#endif
}

// Telnet options are agreed per connection: a daemon that waits for answers
// to its requests before it prompts gets them on every connection, and our
// offers go out again. The login flags are not the connection's: they stay.
void telnetlib1Private::startSession()
{
    ++session;
    pending.clear();
    pendingSearched = 0;
    deferred.clear();
    serverDo.clear();
    sentCommands.clear();
}

void telnetlib1Private::socketConnected()
{
    linkUp = true;
    startSession();
    delete oobNotifier;
    oobNotifier = new QSocketNotifier(tcpSocket->socketDescriptor(), QSocketNotifier::Exception, this);
    // The signal both Qt 5.15 and Qt 6 have; the arguments are not needed.
    connect(oobNotifier, SIGNAL(activated(QSocketDescriptor, QSocketNotifier::Type)), this,
            SLOT(socketException()));
    detectDeadLink(tcpSocket->socketDescriptor());
    sendOffers();
}

void telnetlib1Private::socketConnectionClosed()
{
    delete oobNotifier;
    oobNotifier = nullptr;
    linkUp = false;
    emit owner->loggedOut();
}

void telnetlib1Private::socketError(QAbstractSocket::SocketError error)
{
    emit owner->connectionError(error);
}

// Urgent data from the server is noticed and ignored.
void telnetlib1Private::socketException() {}

void telnetlib1Private::askForCredentials(QString &text)
{
    emit owner->message(text);
    text.clear();
    emit owner->loginRequired();
    noPromptYet = false;
}

// Each answer goes out once per setCredentials; a prompt seen again only asks
// the application, which may supply new credentials from loginRequired().
void telnetlib1Private::recognizeLogin(QString &text)
{
    if (loginDone || !promptLogin)
        return;
    if (shellExpr.matches(text)) {
        emit owner->loggedIn();
        loginDone = true;
        return;
    }
    if (loginExpr.matches(text)) {
        if (userSent || noPromptYet)
            askForCredentials(text);
        if (!userSent) {
            owner->sendData(userName);
            userSent = true;
        }
    }
    if (passwordExpr.matches(text)) {
        if (passwordSent || noPromptYet) {
            askForCredentials(text);
            if (passwordSent)
                return;
        }
        owner->sendData(storedPassword);
        passwordSent = true;
        storedPassword.fill(QLatin1Char(' '));
        storedPassword.resize(0);
    }
}

void telnetlib1Private::authenticationRefused()
{
    if (loginExpr.isEmpty() && passwordExpr.isEmpty())
        emit owner->loggedIn();
    promptLogin = true;
}

// Whatever types the server lists, the client answers with NULL and leaves the
// login to the prompts.
void telnetlib1Private::handleAuthentication(const QByteArray &body)
{
    const bool noPatterns = loginExpr.isEmpty() && passwordExpr.isEmpty();
    if (!method) {
        if (body.size() < 2 || uchar(body.at(1)) != SEND)
            return;
        method = new telnetlib1AuthNull;
        promptLogin = true;
        if (noPatterns)
            loginDone = true;
    }
    const QByteArray reply = method->respond(body);
    if (!reply.isEmpty())
        writeCommand(reply);
    switch (method->state) {
    case telnetlib1Auth::Failed:
        emit owner->loginFailed();
        break;
    case telnetlib1Auth::Succeeded:
        if (noPatterns)
            emit owner->loggedIn();
        if (!promptLogin)
            loginDone = true;
        break;
    default:
        break;
    }
}

telnetlib1::telnetlib1(QObject *parent) : QObject(parent), d(new telnetlib1Private(this)) {}

telnetlib1::~telnetlib1()
{
    delete d;
}

void telnetlib1::openConnection(const QString &host, quint16 port)
{
    if (d->linkUp)
        return;
    d->tcpSocket->connectToHost(host, port, QIODevice::ReadWrite, QAbstractSocket::AnyIPProtocol);
    if (d->tcpSocket->waitForConnected(500))
        qDebug("Connected!");
}

void telnetlib1::attachSocket(QTcpSocket *socket)
{
    d->attachSocket(socket);
}

QTcpSocket *telnetlib1::tcpSocket() const
{
    return d->tcpSocket;
}

void telnetlib1::setLoginPromptExpr(const QRegularExpression &pattern)
{
    d->loginExpr = PromptPattern(pattern);
}

void telnetlib1::setPasswordPromptExpr(const QRegularExpression &pattern)
{
    d->passwordExpr = PromptPattern(pattern);
}

void telnetlib1::setShellPromptExpr(const QRegularExpression &pattern)
{
    d->shellExpr = PromptPattern(pattern);
}

#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
void telnetlib1::setLoginPromptExpr(const QRegExp &pattern)
{
    d->loginExpr = PromptPattern(pattern);
}

void telnetlib1::setPasswordPromptExpr(const QRegExp &pattern)
{
    d->passwordExpr = PromptPattern(pattern);
}

void telnetlib1::setShellPromptExpr(const QRegExp &pattern)
{
    d->shellExpr = PromptPattern(pattern);
}
#endif

void telnetlib1::setCredentials(const QString &user, const QString &password)
{
    d->userSent = false;
    d->passwordSent = false;
    d->userName = user;
    d->storedPassword = password;
}

void telnetlib1::setTerminalSize(int width, int height)
{
    const bool wasValid = hasTerminalSize();
    d->width = width;
    d->height = height;
    const bool isValid = hasTerminalSize();
    if (wasValid && isValid) {
        d->writeTerminalSize();
    } else if (wasValid != isValid) {
        const char command[] = {char(IAC), char(isValid ? WILL : WONT), char(Naws)};
        d->writeCommand(command, 3);
    }
}

void telnetlib1::setTerminalSize(const QSize &size)
{
    setTerminalSize(size.width(), size.height());
}

// The size counts only while the server's last word on NAWS was DO.
QSize telnetlib1::terminalSize() const
{
    return d->serverDoes(Naws) ? QSize(d->width, d->height) : QSize(-1, -1);
}

bool telnetlib1::hasTerminalSize() const
{
    const QSize size = terminalSize();
    return size.width() >= 0 && size.height() >= 0;
}

qint64 telnetlib1::bytesInFlight() const
{
    if (!d->linkUp)
        return -1;
    return d->tcpSocket->bytesToWrite() + unacknowledgedBytes(d->tcpSocket->socketDescriptor());
}

void telnetlib1::close()
{
    if (!d->linkUp)
        return;
    delete d->oobNotifier;
    d->oobNotifier = nullptr;
    d->linkUp = false;
    d->tcpSocket->close();
    emit loggedOut();
}

void telnetlib1::logout()
{
    const char command[] = {char(IAC), char(DO), char(Logout)};
    d->writeCommand(command, 3);
}

void telnetlib1::sendControl(Control ctrl)
{
    // Telnet:: is spelt out: inside the class the bare names are the Control values.
    static const uchar commands[] = {Telnet::GA, Telnet::IP,  Telnet::AYT,       Telnet::AO,   Telnet::EC,
                                     Telnet::EL, Telnet::BRK, Telnet::EndOfFile, Telnet::SUSP, Telnet::ABORT};
    const int index = int(ctrl);
    if (index < 0 || index >= int(sizeof commands))
        return;
    const char command[] = {char(IAC), char(commands[index])};
    d->writeCommand(command, 2);
    if (ctrl == IP || ctrl == AYT || ctrl == AO)
        sendSync();
}

// Bytes are sent as they are, IAC included: the lines are plain ASCII.
void telnetlib1::sendData(const QString &data)
{
    if (!d->linkUp)
        return;
    d->tcpSocket->write(data.toLocal8Bit());
    d->tcpSocket->write("\r\n", 2);
}

// The synch: DM as one byte of TCP urgent data, after everything written so far.
void telnetlib1::sendSync()
{
    if (!d->linkUp)
        return;
    d->tcpSocket->flush();
    const char dm = char(Telnet::DM);
#ifdef Q_OS_WIN
    ::send(SOCKET(d->tcpSocket->socketDescriptor()), &dm, 1, MSG_OOB);
#else
    int flags = MSG_OOB;
#ifdef MSG_NOSIGNAL
    // A peer gone meanwhile must not kill the program with SIGPIPE.
    flags |= MSG_NOSIGNAL;
#endif
    ::send(int(d->tcpSocket->socketDescriptor()), &dm, 1, flags);
#endif
}
