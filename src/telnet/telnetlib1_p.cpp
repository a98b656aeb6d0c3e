// Receive loop, option negotiation and sub-negotiation of the telnet engine.

#include "telnetlib1_p.h"

#include <QTcpSocket>
#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <utility>

#ifdef Q_OS_WIN
#include <winsock2.h>
#else
#include <arpa/inet.h>
#endif

using namespace Telnet;

void telnetlib1Private::socketReadyRead()
{
#ifdef Q_OS_WIN
    // Windows hands out timer messages only when no other message waits, and a
    // master that never pauses keeps socket messages coming: read from a timer
    // instead, so that the socket's bounded buffer fills, Qt stops listening to it
    // and the window's own timers (the connect time-out, the command queue) run.
    if (!readTimer.isActive())
        readTimer.start(kReadTimerMs);
#else
    receiveBytes(tcpSocket->readAll());
#endif
}

void telnetlib1Private::receiveBytes(const char *data, int size)
{
    if (parsing) {
        deferred.append(data, size);
        return;
    }
    parsing = true;
    consume(data, size);
    while (!deferred.isEmpty()) {
        const QByteArray next = std::exchange(deferred, QByteArray());
        consume(next.constData(), next.size());
    }
    parsing = false;
}

// Parses held-back bytes and the new ones as one stream. Only an unfinished
// command sequence is ever held back, so the copies here stay small unless the
// new read itself is large, and then they are one pass over it.
void telnetlib1Private::consume(const char *data, int size)
{
    const quint32 current = session;
    if (pending.isEmpty()) {
        const int used = processBuffers(data, size);
        if (session == current && used < size)
            pending = QByteArray(data + used, size - used);
    } else {
        // Taken out while it is parsed: a new connection started from a receiver
        // of our signals empties pending under the parse.
        QByteArray work = std::exchange(pending, QByteArray());
        work.append(data, size);
        const int used = processBuffers(work.constData(), work.size());
        if (session == current)
            pending = work.mid(used);
    }
    if (pending.isEmpty())
        pendingSearched = 0;
}

int telnetlib1Private::processBuffers(const char *data, int size)
{
    const quint32 current = session;
    seSearchedTo = data + pendingSearched;
    int i = 0;
    while (i < size) {
        if (session != current) {
            // The rest belongs to a connection that has gone.
            seSearchedTo = nullptr;
            return size;
        }
        const uchar c = uchar(data[i]);
        int used;
        if (c == DM)
            used = 1;
        else if (c == IAC)
            used = parseIAC(data + i, size - i);
        else
            used = handleText(data + i, size - i);
        if (used <= 0)
            break;
        i += used;
    }
    pendingSearched = int(std::max<std::ptrdiff_t>(0, seSearchedTo - (data + i)));
    seSearchedTo = nullptr;
    return i;
}

// A run ends at the first NUL (consumed) or at the first IAC that does not stand
// for the data byte 255 (left for parseIAC). The run is decoded straight from the
// receive buffer; only a run with doubled IACs in it is copied to undo them.
int telnetlib1Private::handleText(const char *data, int size)
{
    const char *const end = data + size;
    const char *segment = data;
    const char *p = data;
    QByteArray unescaped;
    for (;;) {
        while (p < end && *p != 0 && uchar(*p) != IAC)
            ++p;
        if (p + 1 < end && uchar(p[0]) == IAC && uchar(p[1]) == IAC) {
            unescaped.append(segment, int(p + 1 - segment));
            p += 2;
            segment = p;
            continue;
        }
        break;
    }
    QString text;
    if (unescaped.isEmpty()) {
        text = QString::fromLocal8Bit(segment, int(p - segment));
    } else {
        unescaped.append(segment, int(p - segment));
        text = QString::fromLocal8Bit(unescaped);
    }
    const int used = int(p - data) + (p < end && *p == 0 ? 1 : 0);

    recognizeLogin(text);
    if (!text.isEmpty())
        emit owner->message(text);
    return used;
}

int telnetlib1Private::parseIAC(const char *data, int size)
{
    if (size < 2)
        return 0;
    const uchar verb = uchar(data[1]);
    switch (verb) {
    case WILL:
    case WONT:
    case DO:
    case DONT:
        if (size < 3)
            return 0;
        negotiate(verb, uchar(data[2]));
        return 3;
    case IAC:
        return handleText(data, size);
    case SB: {
        const int length = extractSubnegotiation(data, size);
        if (length == 0)
            return 0;
        if (length < 0)
            return 2;
        handleSubnegotiation(QByteArray(data + 2, length - 4));
        return length;
    }
    default:
        // DM and every command the client does not act on (NOP, GA, AYT, ...).
        return 2;
    }
}

// Length of the sub-negotiation at `data` through the first IAC SE, 0 while that
// has yet to arrive, -1 once it cannot arrive within kMaxSubnegotiation bytes.
// Doubled IACs in the body are not undone: the first IAC SE pair ends it.
int telnetlib1Private::extractSubnegotiation(const char *data, int size)
{
    const char *const end = data + std::min(size, kMaxSubnegotiation);
    const char *k = std::max(data + 3, seSearchedTo);
    while (k < end) {
        k = static_cast<const char *>(std::memchr(k, SE, size_t(end - k)));
        if (!k)
            break;
        if (uchar(k[-1]) == IAC)
            return int(k - data) + 1;
        ++k;
    }
    seSearchedTo = std::max(seSearchedTo, end);
    return size >= kMaxSubnegotiation ? -1 : 0;
}

void telnetlib1Private::handleSubnegotiation(const QByteArray &body)
{
    if (body.isEmpty())
        return;
    switch (uchar(body.at(0))) {
    case Naws:
        break;
    case Authentication:
        handleAuthentication(body);
        break;
    case TerminalType:
        answerTerminalType(body);
        break;
    default:
        qWarning("telnetlib1Private::parseIAC: unknown suboption %d", uchar(body.at(0)));
        break;
    }
}

void telnetlib1Private::negotiate(uchar verb, uchar option)
{
    if (verb == WONT && option == Logout) {
        owner->close();
        return;
    }
    if (verb == DONT && option == Authentication)
        authenticationRefused();
    if (!needsReply(verb, option))
        return;

    const bool accepted = acceptsOption(verb, option);
    uchar reply;
    switch (verb) {
    case DO:
        reply = accepted ? WILL : WONT;
        break;
    case DONT:
        reply = WONT;
        break;
    case WILL:
        reply = accepted ? DO : DONT;
        break;
    default:
        reply = DONT;
        break;
    }
    const char command[] = {char(IAC), char(reply), char(option)};
    writeCommand(command, 3);
    if (verb == DO || verb == DONT)
        recordRequest(verb, option);
}

bool telnetlib1Private::needsReply(uchar operation, uchar option) const
{
    switch (operation) {
    case DO:
        return !serverDoes(option);
    case DONT:
        return serverDoes(option);
    default:
        return true;
    }
}

bool telnetlib1Private::acceptsOption(int, int option) const
{
    switch (option) {
    case SuppressGoAhead:
    case Status:
    case Logout:
    case TerminalType:
    case Linemode:
    case Authentication:
        return true;
    case Naws:
        return owner->hasTerminalSize();
    default:
        return false;
    }
}

// Records what the server asked for, not what was answered: a DO that was
// refused still counts as DO.
void telnetlib1Private::recordRequest(uchar operation, uchar option)
{
    serverDo[char(option)] = operation == DO;
    if (option == Naws && serverDoes(Naws))
        writeTerminalSize();
}

// A three-byte command equal to one sent before is taken as the peer's answer
// to it and swallowed, so that the client never confirms its own requests.
void telnetlib1Private::writeCommand(const QByteArray &command)
{
    writeCommand(command.constData(), command.size());
}

// Does the work without wrapping the bytes first: replies are written per
// received command, and an allocation each would be most of their cost.
void telnetlib1Private::writeCommand(const char *data, int length)
{
    if (!linkUp || length <= 0)
        return;
    if (length == 3) {
        const QPair<uchar, uchar> pair{uchar(data[1]), uchar(data[2])};
        if (sentCommands.removeAll(pair) > 0)
            return;
        sentCommands.append(pair);
    }
    tcpSocket->write(data, length);
}

void telnetlib1Private::writeText(const QString &text)
{
    if (linkUp && !text.isEmpty())
        tcpSocket->write(text.toLocal8Bit());
}

void telnetlib1Private::sendOffers()
{
    static const char offers[][3] = {
        {char(IAC), char(WILL), char(Authentication)},
        {char(IAC), char(DO), char(SuppressGoAhead)},
        {char(IAC), char(WILL), char(Linemode)},
        {char(IAC), char(DO), char(Status)},
    };
    for (const auto &offer : offers)
        writeCommand(offer, 3);
    if (owner->hasTerminalSize()) {
        const char naws[] = {char(IAC), char(WILL), char(Naws)};
        writeCommand(naws, 3);
    }
}

void telnetlib1Private::writeTerminalSize()
{
    if (!serverDoes(Naws) || !owner->hasTerminalSize())
        return;
    const quint16 w = htons(quint16(width));
    const quint16 h = htons(quint16(height));
    char report[9] = {char(IAC), char(SB), char(Naws), 0, 0, 0, 0, char(IAC), char(SE)};
    std::memcpy(report + 3, &w, 2);
    std::memcpy(report + 5, &h, 2);
    writeCommand(report, 9);
}

void telnetlib1Private::answerTerminalType(const QByteArray &body)
{
    if (body.size() < 2 || uchar(body.at(1)) != SEND)
        return;
    const char is[] = {char(IAC), char(SB), char(TerminalType), char(IS)};
    const char se[] = {char(IAC), char(SE)};
    writeCommand(is, 4);
    writeText(QStringLiteral("UNKNOWN"));
    writeCommand(se, 2);
}
