#include "mastersim.h"

#include "commandlog.h"
#include "mastersession.h"
#include "masterstate.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {
constexpr int kRelistenRetryMs = 1000;
const QByteArray kBusyText =
    "Another technician is connected to this master module; only one connection at a "
    "time is served. Try again later.\r\n";
const QByteArray kRefusedText = "Connection refused by the master module (simulated fault).\r\n";
} // namespace

MasterSim::MasterSim(const MasterSimOptions &options, QObject *parent)
    : QObject(parent), m_options(options), m_state(new MasterState), m_log(new CommandLog),
      m_server(new QTcpServer(this)), m_restartTimer(new QTimer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &MasterSim::acceptConnections);
    m_restartTimer->setSingleShot(true);
    // A coarse timer may fire 5 % early, and the port must stay closed for the whole restart time.
    m_restartTimer->setTimerType(Qt::PreciseTimer);
    connect(m_restartTimer, &QTimer::timeout, this, &MasterSim::finishRestart);
}

MasterSim::~MasterSim()
{
    if (m_session) {
        m_session->disconnect(this);
        delete m_session;
    }
}

bool MasterSim::listen(const QHostAddress &address, quint16 port)
{
    if (!m_options.logFile.isEmpty() && !m_log->isOpen() && !m_log->open(m_options.logFile))
        qWarning("mastersim: cannot open log %s: %s", qPrintable(m_options.logFile),
                 qPrintable(m_log->errorString()));
    m_restartTimer->stop();
    m_restarting = false;
    m_server->close();
    if (!m_server->listen(address, port))
        return false;
    m_address = address;
    m_port = m_server->serverPort();
    log(QStringLiteral("*"), QStringLiteral("listening on %1 port %2").arg(address.toString()).arg(m_port));
    return true;
}

quint16 MasterSim::serverPort() const
{
    return m_port;
}

void MasterSim::close()
{
    m_restartTimer->stop();
    m_restarting = false;
    m_server->close();
    if (m_session)
        m_session->abort();
}

QList<MasterSim::ReceivedLine> MasterSim::receivedLines() const
{
    return m_received;
}

void MasterSim::clearReceivedLines()
{
    m_received.clear();
}

bool MasterSim::isClientConnected() const
{
    return m_session != nullptr;
}

bool MasterSim::isLoggedIn() const
{
    return m_session && m_session->isLoggedIn();
}

MasterSimOptions &MasterSim::options()
{
    return m_options;
}

bool MasterSim::isRestarting() const
{
    return m_restarting;
}

const MasterState &MasterSim::state() const
{
    return *m_state;
}

void MasterSim::log(const QString &marker, const QString &text)
{
    m_log->write(marker, text);
}

void MasterSim::acceptConnections()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        const QString peer =
            QStringLiteral("%1:%2").arg(socket->peerAddress().toString()).arg(socket->peerPort());
        if (m_options.refuseConnections || m_session) {
            log(QStringLiteral("*"),
                QStringLiteral("connection from %1 refused (%2)")
                    .arg(peer, m_session ? QStringLiteral("busy") : QStringLiteral("fault switch")));
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            socket->write(m_session ? kBusyText : kRefusedText);
            socket->disconnectFromHost();
            continue;
        }
        m_session = new MasterSession(socket, m_options, *m_state, this);
        connect(m_session, &MasterSession::finished, this, &MasterSim::sessionFinished);
        connect(m_session, &MasterSession::loggedIn, this, &MasterSim::loggedIn);
        connect(m_session, &MasterSession::note, this,
                [this](const QString &text) { log(QStringLiteral("*"), text); });
        connect(m_session, &MasterSession::restartRequested, this, &MasterSim::beginRestart);
        connect(m_session, &MasterSession::commandLineReceived, this, [this](const QString &line) {
            m_received.append({QDateTime::currentDateTime(), line});
            log(QStringLiteral(">"), line);
            emit lineReceived(line);
        });
        log(QStringLiteral("*"), QStringLiteral("client %1 connected").arg(peer));
        m_session->start();
        emit clientConnected();
    }
}

void MasterSim::sessionFinished()
{
    auto *session = qobject_cast<MasterSession *>(sender());
    if (!session || session != m_session)
        return;
    log(QStringLiteral("*"), QStringLiteral("client %1 disconnected").arg(session->peer()));
    m_session = nullptr;
    session->deleteLater();
    emit clientDisconnected();
}

void MasterSim::beginRestart()
{
    m_server->close();
    m_restarting = true;
    log(QStringLiteral("*"),
        QStringLiteral("restarting: connections refused for %1 ms").arg(m_options.restartMs));
    m_restartTimer->start(qMax(0, m_options.restartMs));
}

void MasterSim::finishRestart()
{
    m_state->restart();
    if (!m_server->listen(m_address, m_port)) {
        log(QStringLiteral("*"), QStringLiteral("cannot listen again: %1").arg(m_server->errorString()));
        m_restartTimer->start(kRelistenRetryMs);
        return;
    }
    m_restarting = false;
    log(QStringLiteral("*"), QStringLiteral("restart finished, listening again on port %1").arg(m_port));
    emit restarted();
}
