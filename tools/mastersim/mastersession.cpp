#include "mastersession.h"

#include "floodwriter.h"
#include "masterstate.h"
#include "telnetserverprotocol.h"

#include <QTcpSocket>
#include <QTimer>

namespace {
const QByteArray kLoginPrompt = "login: ";
const QByteArray kPasswordPrompt = "password: ";
const QByteArray kCapitalPasswordPrompt = "Password: ";
const QByteArray kShellPrompt = "tastarello> ";
const QByteArray kGreeting =
    "\r\nTastarello master module (simulated)\r\n"
    "Service commands are accepted now; q ends the session, rm restarts the module.\r\n";

QByteArray withCrLf(const QString &text)
{
    QByteArray bytes = text.toLatin1();
    bytes.replace("\n", "\r\n");
    return bytes + "\r\n";
}
} // namespace

MasterSession::MasterSession(QTcpSocket *socket, const MasterSimOptions &options, MasterState &state,
                             QObject *parent)
    : QObject(parent), m_socket(socket), m_options(options), m_state(state),
      m_protocol(new TelnetServerProtocol(options.authMode, this)), m_negotiationTimer(new QTimer(this))
{
    m_socket->setParent(this);
    // Kept now: the socket forgets its peer once disconnected, and the log names it afterwards.
    m_peerAddress = m_socket->peerAddress().toString();
    m_peer = QStringLiteral("%1:%2").arg(m_peerAddress).arg(m_socket->peerPort());
    // Prompt halves must leave as separate segments, and answers should not wait for ACKs.
    m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(m_socket, &QTcpSocket::readyRead, this, [this] { m_protocol->receive(m_socket->readAll()); });
    connect(m_socket, &QTcpSocket::disconnected, this, &MasterSession::finished);
    connect(m_protocol, &TelnetServerProtocol::output, this, &MasterSession::write);
    connect(m_protocol, &TelnetServerProtocol::lineReceived, this, &MasterSession::lineReceived);
    connect(m_protocol, &TelnetServerProtocol::settled, this, &MasterSession::sendLoginPrompt);
    connect(m_protocol, &TelnetServerProtocol::logoutRequested, this, [this] {
        emit note(QStringLiteral("logout requested by the client"));
        closeConnection();
    });
    m_negotiationTimer->setSingleShot(true);
    connect(m_negotiationTimer, &QTimer::timeout, this, &MasterSession::sendLoginPrompt);
}

MasterSession::~MasterSession()
{
    m_socket->disconnect(this);
}

void MasterSession::start()
{
    m_protocol->start();
    // A negative time-out waits for the answers as long as it takes, as many daemons do.
    if (m_options.negotiationTimeoutMs >= 0)
        m_negotiationTimer->start(m_options.negotiationTimeoutMs);
}

void MasterSession::abort()
{
    m_stage = Stage::Closing;
    m_socket->abort();
}

void MasterSession::write(const QByteArray &bytes)
{
    if (m_stage == Stage::Closing && m_socket->state() != QAbstractSocket::ConnectedState)
        return;
    if (!m_flood) {
        m_socket->write(bytes);
    } else if (!m_behindFlood.isEmpty() && m_behindFlood.last().floodLines == 0) {
        m_behindFlood.last().bytes += bytes;
    } else {
        m_behindFlood.append({bytes, 0});
    }
}

void MasterSession::sendText(const QByteArray &text)
{
    m_protocol->sendText(text);
}

void MasterSession::later(const std::function<void()> &action)
{
    if (m_options.answerDelayMs > 0)
        QTimer::singleShot(m_options.answerDelayMs, this, action);
    else
        action();
}

void MasterSession::sendPrompt(const QByteArray &prompt)
{
    switch (m_options.promptStyle) {
    case MasterSimOptions::PromptStyle::SplitPrompt: {
        const int half = prompt.size() / 2;
        sendText(prompt.left(half));
        m_socket->flush();
        const QByteArray rest = prompt.mid(half);
        QTimer::singleShot(kSplitPromptDelayMs, this, [this, rest] { sendText(rest); });
        break;
    }
    case MasterSimOptions::PromptStyle::PromptWithNul:
        sendText(prompt + QByteArray(1, '\0'));
        break;
    case MasterSimOptions::PromptStyle::Normal:
    case MasterSimOptions::PromptStyle::CapitalPassword:
        sendText(prompt);
        break;
    }
}

void MasterSession::sendLoginPrompt()
{
    m_negotiationTimer->stop();
    if (m_stage == Stage::Negotiating) {
        m_stage = Stage::User;
        if (!m_options.banner.isEmpty())
            sendText(m_options.banner.toUtf8() + "\r\n");
        sendPrompt(kLoginPrompt);
    }
}

void MasterSession::lineReceived(const QByteArray &bytes)
{
    // Latin-1 maps every byte to one character, so odd bytes reach the log unchanged.
    const QString line = QString::fromLatin1(bytes);
    switch (m_stage) {
    case Stage::Negotiating:
    case Stage::Stuck:
    case Stage::Closing:
        break;
    case Stage::User:
    case Stage::Password:
        loginLine(line);
        break;
    case Stage::Shell:
        commandLine(line);
        break;
    }
}

void MasterSession::loginLine(const QString &line)
{
    const QString text = line.trimmed();
    if (m_stage == Stage::User) {
        // The service tool's telnet client sends bare CR LF of its own next to the real answers.
        if (text.isEmpty())
            return;
        m_user = text;
        if (m_options.noPasswordPrompt) {
            m_stage = Stage::Stuck;
            emit note(QStringLiteral("user name received, password prompt withheld (fault switch)"));
            return;
        }
        m_stage = Stage::Password;
        m_protocol->setEchoInput(false);
        later([this] {
            sendPrompt(m_options.promptStyle == MasterSimOptions::PromptStyle::CapitalPassword
                           ? kCapitalPasswordPrompt
                           : kPasswordPrompt);
        });
        return;
    }
    if (text.isEmpty() && !m_options.password.isEmpty())
        return;
    m_protocol->setEchoInput(true);
    const bool admitted = m_state.admitLogin(m_options.refuseLogins);
    if (admitted && m_user == m_options.user && text == m_options.password) {
        m_stage = Stage::Shell;
        emit note(QStringLiteral("logged in as \"%1\"").arg(m_user));
        emit loggedIn();
        const QByteArray lastLogin =
            m_options.lastLoginLine ? "\r\n" + m_state.lastLoginLine(m_peerAddress).toLatin1() : QByteArray();
        later([this, lastLogin] { sendText(lastLogin + kGreeting + kShellPrompt); });
        return;
    }
    emit note(QStringLiteral("login as \"%1\" rejected%2")
                  .arg(m_user, admitted ? QString() : QStringLiteral(" (fault switch)")));
    m_stage = Stage::User;
    later([this] {
        sendText("\r\nLogin incorrect\r\n");
        sendPrompt(kLoginPrompt);
    });
}

void MasterSession::commandLine(const QString &line)
{
    if (line.trimmed().isEmpty())
        return;
    emit commandLineReceived(line);
    ++m_commandLines;
    if (m_options.closeAfterLines >= 0 && m_commandLines >= m_options.closeAfterLines) {
        emit note(QStringLiteral("closing after %1 lines (fault switch)").arg(m_commandLines));
        closeConnection();
        return;
    }
    if ((m_options.floodLines > 0 || m_options.streamRate > 0) && line.trimmed() == QLatin1String("gva")) {
        const int lines = m_options.floodLines;
        later([this, lines] { startFlood(lines); });
        return;
    }
    const MasterState::Reply reply =
        m_protocol->lastLineTruncated()
            ? MasterState::Reply{QStringLiteral("error: line too long (at most %1 characters)")
                                     .arg(TelnetServerProtocol::kMaxLineLength)}
            : m_state.execute(line);
    later([this, reply] {
        if (m_stage == Stage::Closing)
            return;
        switch (reply.action) {
        case MasterState::Action::None:
            sendText(withCrLf(reply.text) + kShellPrompt);
            break;
        case MasterState::Action::Quit:
            sendText(withCrLf(reply.text));
            closeConnection();
            break;
        case MasterState::Action::Restart:
            sendText(withCrLf(reply.text));
            closeConnection();
            emit restartRequested();
            break;
        }
    });
}

void MasterSession::startFlood(int lines)
{
    if (m_stage == Stage::Closing)
        return;
    if (m_flood) {
        m_behindFlood.append({QByteArray(), qMax(lines, 1)});
        return;
    }
    m_flood = m_options.streamRate > 0
                  ? FloodWriter::stream(m_socket, m_options.streamRate, m_options.streamSeconds,
                                        m_options.lineLength, this)
                  : new FloodWriter(m_socket, lines, m_options.lineLength, this);
    connect(m_flood, &FloodWriter::finished, this, &MasterSession::floodFinished, Qt::QueuedConnection);
    m_flood->start();
}

void MasterSession::floodFinished()
{
    if (!m_flood)
        return;
    m_flood->deleteLater();
    m_flood = nullptr;
    if (m_stage == Stage::Shell)
        sendText(kShellPrompt);
    // What was answered during the flood goes out in order; a further flood takes over again.
    while (!m_behindFlood.isEmpty() && !m_flood) {
        const Output next = m_behindFlood.takeFirst();
        if (next.floodLines > 0)
            startFlood(next.floodLines);
        else
            write(next.bytes);
    }
}

void MasterSession::closeConnection()
{
    if (m_stage == Stage::Closing)
        return;
    m_stage = Stage::Closing;
    if (m_flood) {
        m_flood->deleteLater();
        m_flood = nullptr;
    }
    m_behindFlood.clear();
    m_socket->disconnectFromHost();
}
