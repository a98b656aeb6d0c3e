#include "telnetserverprotocol.h"

namespace {
constexpr uchar kIs = 0;
constexpr uchar kSend = 1;
constexpr uchar kAuthTypeNull = 0;
constexpr uchar kBackspace = 0x08;
constexpr uchar kDelete = 0x7f;
} // namespace

TelnetServerProtocol::TelnetServerProtocol(MasterSimOptions::AuthMode authMode, QObject *parent)
    : QObject(parent), m_authMode(authMode)
{
    m_us.fill(No);
    m_him.fill(No);
}

void TelnetServerProtocol::start()
{
    requestRemote(OptTerminalType);
    requestLocal(OptEcho);
    requestLocal(OptSuppressGoAhead);
    requestRemote(OptNaws);
}

bool TelnetServerProtocol::isSettled() const
{
    if (m_awaitingTerminalType || m_awaitingAuthReply)
        return false;
    for (int i = 0; i < 256; ++i) {
        if (m_us[i] == WantYes || m_us[i] == WantNo || m_him[i] == WantYes || m_him[i] == WantNo)
            return false;
    }
    return true;
}

QByteArray TelnetServerProtocol::escapeIac(const QByteArray &text)
{
    if (!text.contains(char(IAC)))
        return text;
    QByteArray escaped = text;
    escaped.replace(QByteArray(1, char(IAC)), QByteArray(2, char(IAC)));
    return escaped;
}

void TelnetServerProtocol::sendText(const QByteArray &text)
{
    if (!text.isEmpty())
        emit output(escapeIac(text));
}

void TelnetServerProtocol::receive(const QByteArray &bytes)
{
    for (const char ch : bytes) {
        const auto c = static_cast<uchar>(ch);
        switch (m_state) {
        case State::Data:
            if (c == IAC)
                m_state = State::Iac;
            else
                dataByte(c);
            break;
        case State::Iac:
            commandByte(c);
            break;
        case State::Option:
            m_state = State::Data;
            handleOption(m_verb, c);
            break;
        case State::Sb:
            if (c == IAC) {
                m_state = State::SbIac;
            } else if (m_sbBody.size() < kMaxSubnegotiation) {
                m_sbBody.append(char(c));
            } else {
                m_sbOverflow = true;
            }
            break;
        case State::SbIac:
            if (c == SE) {
                m_state = State::Data;
                if (!m_sbOverflow)
                    handleSubnegotiation();
            } else if (c == IAC) {
                m_state = State::Sb;
                if (m_sbBody.size() < kMaxSubnegotiation)
                    m_sbBody.append(char(IAC));
                else
                    m_sbOverflow = true;
            } else {
                // A sub-negotiation that is never closed must not swallow the rest of the session:
                // the unexpected command ends it and is then taken as a command of its own.
                commandByte(c);
            }
            break;
        }
    }
}

void TelnetServerProtocol::commandByte(uchar c)
{
    m_state = State::Data;
    switch (c) {
    case IAC:
        dataByte(IAC);
        break;
    case WILL:
    case WONT:
    case DO:
    case DONT:
        m_verb = c;
        m_state = State::Option;
        break;
    case SB:
        m_sbBody.clear();
        m_sbOverflow = false;
        m_state = State::Sb;
        break;
    case EC:
        if (!m_line.isEmpty())
            m_line.chop(1);
        break;
    case EL:
    case IP:
        m_line.clear();
        m_lineOverflow = false;
        break;
    case AYT:
        emit output("\r\n[Yes]\r\n");
        break;
    default:
        // NOP, DM, BRK, AO, GA, SE out of place and unknown commands carry no data.
        break;
    }
}

void TelnetServerProtocol::dataByte(uchar c)
{
    const bool echo = m_echoInput && isLocalEnabled(OptEcho);
    if (c == '\r' || (c == '\n' && !m_afterCr)) {
        m_afterCr = (c == '\r');
        if (echo)
            emit output("\r\n");
        endLine();
        return;
    }
    if (m_afterCr) {
        m_afterCr = false;
        if (c == '\n' || c == 0)
            return; // second half of CR LF or CR NUL
    }
    if (c == 0)
        return;
    if (c == kBackspace || c == kDelete) {
        if (!m_line.isEmpty()) {
            m_line.chop(1);
            if (echo)
                emit output("\b \b");
        }
        return;
    }
    if (m_line.size() >= kMaxLineLength) {
        m_lineOverflow = true;
        return;
    }
    m_line.append(char(c));
    if (echo)
        emit output(escapeIac(QByteArray(1, char(c))));
}

void TelnetServerProtocol::endLine()
{
    const QByteArray line = m_line;
    m_lastLineTruncated = m_lineOverflow;
    m_line.clear();
    m_lineOverflow = false;
    emit lineReceived(line);
}

bool TelnetServerProtocol::acceptsLocal(uchar option) const
{
    return option == OptEcho || option == OptSuppressGoAhead || option == OptStatus || option == OptLogout;
}

bool TelnetServerProtocol::acceptsRemote(uchar option) const
{
    if (option == OptAuthentication)
        return m_authMode == MasterSimOptions::AuthMode::Request;
    return option == OptTerminalType || option == OptNaws;
}

void TelnetServerProtocol::sendCommand(uchar verb, uchar option)
{
    const char bytes[3] = {char(IAC), char(verb), char(option)};
    emit output(QByteArray(bytes, 3));
}

void TelnetServerProtocol::requestLocal(uchar option)
{
    if (m_us[option] != No)
        return;
    m_us[option] = WantYes;
    sendCommand(WILL, option);
}

void TelnetServerProtocol::requestRemote(uchar option)
{
    if (m_him[option] != No)
        return;
    m_him[option] = WantYes;
    sendCommand(DO, option);
}

void TelnetServerProtocol::handleOption(uchar verb, uchar option)
{
    switch (verb) {
    case WILL:
        switch (m_him[option]) {
        case No:
            if (option == OptAuthentication && m_authMode == MasterSimOptions::AuthMode::Ignore)
                break;
            if (acceptsRemote(option)) {
                m_him[option] = Yes;
                sendCommand(DO, option);
                remoteEnabled(option);
            } else {
                sendCommand(DONT, option);
            }
            break;
        case WantYes:
            m_him[option] = Yes;
            remoteEnabled(option);
            break;
        case WantNo:
            m_him[option] = No;
            break;
        case Yes:
            break;
        }
        break;
    case WONT:
        if (m_him[option] == Yes)
            sendCommand(DONT, option);
        m_him[option] = No;
        if (option == OptTerminalType)
            m_awaitingTerminalType = false;
        if (option == OptAuthentication)
            m_awaitingAuthReply = false;
        break;
    case DO:
        switch (m_us[option]) {
        case No:
            if (acceptsLocal(option)) {
                m_us[option] = Yes;
                sendCommand(WILL, option);
                if (option == OptLogout)
                    emit logoutRequested();
            } else {
                sendCommand(WONT, option);
            }
            break;
        case WantYes:
            m_us[option] = Yes;
            break;
        case WantNo:
            m_us[option] = No;
            break;
        case Yes:
            break;
        }
        break;
    case DONT:
        if (m_us[option] == Yes)
            sendCommand(WONT, option);
        m_us[option] = No;
        break;
    }
    checkSettled();
}

void TelnetServerProtocol::remoteEnabled(uchar option)
{
    if (option == OptTerminalType) {
        m_awaitingTerminalType = true;
        const char bytes[] = {char(IAC), char(SB), char(OptTerminalType), char(kSend), char(IAC), char(SE)};
        emit output(QByteArray(bytes, sizeof bytes));
    } else if (option == OptAuthentication) {
        m_awaitingAuthReply = true;
        // Offers the NULL method only (type 0, modifiers 0): no secrets cross the wire.
        const char bytes[] = {
            char(IAC), char(SB), char(OptAuthentication), char(kSend), char(kAuthTypeNull), char(0),
            char(IAC), char(SE)};
        emit output(QByteArray(bytes, sizeof bytes));
    }
}

void TelnetServerProtocol::handleSubnegotiation()
{
    if (m_sbBody.isEmpty())
        return;
    const auto option = static_cast<uchar>(m_sbBody.at(0));
    const uchar qualifier = m_sbBody.size() > 1 ? static_cast<uchar>(m_sbBody.at(1)) : 0xff;
    switch (option) {
    case OptTerminalType:
        if (qualifier == kIs) {
            m_terminalType = m_sbBody.mid(2);
            m_awaitingTerminalType = false;
        }
        break;
    case OptNaws:
        if (m_sbBody.size() == 5) {
            const auto at = [this](int i) { return static_cast<uchar>(m_sbBody.at(i)); };
            m_windowSize = QSize(at(1) << 8 | at(2), at(3) << 8 | at(4));
        }
        break;
    case OptAuthentication:
        if (qualifier == kIs && m_awaitingAuthReply) {
            m_awaitingAuthReply = false;
            m_authenticated = m_sbBody.size() > 2 && static_cast<uchar>(m_sbBody.at(2)) == kAuthTypeNull;
        }
        break;
    case OptStatus:
        if (qualifier == kSend && isLocalEnabled(OptStatus)) {
            QByteArray reply;
            reply.append(char(IAC)).append(char(SB)).append(char(OptStatus)).append(char(kIs));
            for (int i = 0; i < 255; ++i) {
                if (m_us[i] == Yes)
                    reply.append(char(WILL)).append(char(i));
                if (m_him[i] == Yes)
                    reply.append(char(DO)).append(char(i));
            }
            reply.append(char(IAC)).append(char(SE));
            emit output(reply);
        }
        break;
    default:
        break;
    }
    checkSettled();
}

void TelnetServerProtocol::checkSettled()
{
    if (!m_settledReported && isSettled()) {
        m_settledReported = true;
        emit settled();
    }
}
