#ifndef TELNETSERVERPROTOCOL_H
#define TELNETSERVERPROTOCOL_H

#include "mastersim.h"

#include <QByteArray>
#include <QObject>
#include <QSize>

#include <array>

// The server side of the telnet protocol, free of sockets so that it can be fed byte by byte:
// it negotiates options with the RFC 1143 "Q method" (so a request of ours is never confirmed
// twice and crossing requests do not loop), removes every command sequence from the data
// stream and cuts the rest into lines.
class TelnetServerProtocol : public QObject
{
    Q_OBJECT
public:
    enum : uchar {
        SE = 240,
        NOP = 241,
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
        IAC = 255
    };
    enum : uchar {
        OptEcho = 1,
        OptSuppressGoAhead = 3,
        OptStatus = 5,
        OptLogout = 18,
        OptTerminalType = 24,
        OptNaws = 31,
        OptLinemode = 34,
        OptAuthentication = 37
    };

    static constexpr int kMaxLineLength = 1024;
    static constexpr int kMaxSubnegotiation = 512;

    explicit TelnetServerProtocol(MasterSimOptions::AuthMode authMode, QObject *parent = nullptr);

    // Sends the opening requests of a typical telnet daemon.
    void start();
    void receive(const QByteArray &bytes);
    // Text to the client: CR LF line ends are the caller's business, IAC bytes are doubled here.
    void sendText(const QByteArray &text);

    // While off, typed characters are not echoed even if the client let us echo (password entry).
    void setEchoInput(bool on) { m_echoInput = on; }

    bool isSettled() const;
    bool isLocalEnabled(uchar option) const { return m_us[option] == Yes; }
    bool isRemoteEnabled(uchar option) const { return m_him[option] == Yes; }
    QByteArray terminalType() const { return m_terminalType; }
    QSize windowSize() const { return m_windowSize; }
    bool isAuthenticated() const { return m_authenticated; }
    // True once a line overflowed kMaxLineLength; the line is delivered cut and the flag reset by it.
    bool lastLineTruncated() const { return m_lastLineTruncated; }

    static QByteArray escapeIac(const QByteArray &text);

signals:
    void output(const QByteArray &bytes);
    void lineReceived(const QByteArray &line);
    // Every request of ours has been answered and every sub-negotiation we asked for arrived.
    void settled();
    // The client asked us to log it out (DO LOGOUT, confirmed with WILL LOGOUT).
    void logoutRequested();

private:
    enum Q : uchar { No, Yes, WantNo, WantYes };
    enum class State { Data, Iac, Option, Sb, SbIac };

    void dataByte(uchar c);
    void commandByte(uchar c);
    void endLine();
    void handleOption(uchar verb, uchar option);
    void handleSubnegotiation();
    void remoteEnabled(uchar option);
    bool acceptsLocal(uchar option) const;
    bool acceptsRemote(uchar option) const;
    void sendCommand(uchar verb, uchar option);
    void requestLocal(uchar option);
    void requestRemote(uchar option);
    void checkSettled();

    MasterSimOptions::AuthMode m_authMode;
    std::array<Q, 256> m_us{};
    std::array<Q, 256> m_him{};
    State m_state = State::Data;
    uchar m_verb = 0;
    QByteArray m_sbBody;
    bool m_sbOverflow = false;
    QByteArray m_line;
    bool m_lineOverflow = false;
    bool m_lastLineTruncated = false;
    bool m_afterCr = false;
    bool m_echoInput = true;
    bool m_awaitingTerminalType = false;
    bool m_awaitingAuthReply = false;
    bool m_settledReported = false;
    bool m_authenticated = false;
    QByteArray m_terminalType;
    QSize m_windowSize{-1, -1};
};

#endif // TELNETSERVERPROTOCOL_H
