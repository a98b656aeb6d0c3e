#ifndef MASTERSESSION_H
#define MASTERSESSION_H

#include "mastersim.h"

#include <QByteArray>
#include <QList>
#include <QObject>

#include <functional>

class FloodWriter;
class MasterState;
class QTcpSocket;
class QTimer;
class TelnetServerProtocol;

// One technician connection: telnet negotiation, login by prompts, then command lines answered
// from the shared master state, with the fault switches of the options applied.
class MasterSession : public QObject
{
    Q_OBJECT
public:
    static constexpr int kSplitPromptDelayMs = 100;

    // Takes ownership of the socket. The options are read live, so tests may change them while a
    // session runs.
    MasterSession(QTcpSocket *socket, const MasterSimOptions &options, MasterState &state,
                  QObject *parent = nullptr);
    ~MasterSession() override;

    void start();
    bool isLoggedIn() const { return m_stage == Stage::Shell; }
    void abort();
    QString peer() const { return m_peer; }

signals:
    void loggedIn();
    void commandLineReceived(const QString &line);
    void note(const QString &text); // for the log: login attempts and the like
    void restartRequested();
    void finished();

private:
    enum class Stage { Negotiating, User, Password, Stuck, Shell, Closing };

    void lineReceived(const QByteArray &line);
    void loginLine(const QString &line);
    void commandLine(const QString &line);
    void sendLoginPrompt();
    void sendPrompt(const QByteArray &prompt);
    void sendText(const QByteArray &text);
    void write(const QByteArray &bytes);
    void later(const std::function<void()> &action);
    void startFlood(int lines);
    void floodFinished();
    void closeConnection();

    QTcpSocket *m_socket;
    const MasterSimOptions &m_options;
    MasterState &m_state;
    TelnetServerProtocol *m_protocol;
    QTimer *m_negotiationTimer;
    FloodWriter *m_flood = nullptr;
    struct Output
    {
        QByteArray bytes;
        int floodLines; // > 0: a flood to start at this place, bytes unused
    };
    QList<Output> m_behindFlood;
    Stage m_stage = Stage::Negotiating;
    QString m_peer;
    QString m_peerAddress;
    QString m_user;
    int m_commandLines = 0;
};

#endif // MASTERSESSION_H
