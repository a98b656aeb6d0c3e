#ifndef MASTERSIM_H
#define MASTERSIM_H

#include <QDateTime>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>

#include <memory>

class CommandLog;
class MasterSession;
class MasterState;
class QTcpServer;
class QTimer;

// Settings of the master module simulator; every fault switch is off by default.
struct MasterSimOptions
{
    enum class AuthMode { Refuse, Request, Ignore };
    enum class PromptStyle { Normal, CapitalPassword, SplitPrompt, PromptWithNul };

    QString user = QStringLiteral("tastarello");
    QString password = QStringLiteral("kantor");
    AuthMode authMode = AuthMode::Refuse;
    PromptStyle promptStyle = PromptStyle::Normal;
    int restartMs = 5000;     // "rm": connections refused for this long
    int closeAfterLines = -1; // fault: close the connection at the Nth command line after login (-1: never)
    int answerDelayMs = 0;    // fault: delay every answer
    bool refuseConnections = false; // fault: close every connection at once
    bool noPasswordPrompt = false;  // fault: never send the password prompt
    int floodLines = 0;             // fault: "gva" answers with this many lines (0: normal answer)
    int lineLength = -1;            // characters of a flood or stream line (-1 usual, 0 no line end)
    int streamRate = 0;             // "gva" answers with lines at this many bytes a second (0: off)
    int streamSeconds = 10;         // for this long
    QString banner;                 // sent before the login prompt, as daemons send an issue text
    bool lastLoginLine = true;      // greet a login with "Last login: ...", as Linux daemons do
    int refuseLogins = 0;           // fault: refuse this many logins first, right credentials or not
    QString logFile;                // "-" for standard output, empty for no log
    int negotiationTimeoutMs = 500; // the login prompt waits this long at most for option answers
                                    // (negative: until every request is answered)
};

// A stand-in for the master module: a telnet server that logs in by prompts and
// answers the service command lines from a plausible per-keyboard state.
class MasterSim : public QObject
{
    Q_OBJECT
public:
    struct ReceivedLine
    {
        QDateTime time;
        QString text;
    };

    explicit MasterSim(const MasterSimOptions &options = MasterSimOptions(), QObject *parent = nullptr);
    ~MasterSim() override;

    bool listen(const QHostAddress &address, quint16 port);
    quint16 serverPort() const;
    void close();

    // Every command line received after login, in order of arrival, with its time.
    QList<ReceivedLine> receivedLines() const;
    void clearReceivedLines();
    bool isClientConnected() const;
    bool isLoggedIn() const;
    MasterSimOptions &options();

    // True while "rm" keeps the port closed.
    bool isRestarting() const;
    // The simulated device, for tests that check state behind the answers.
    const MasterState &state() const;

signals:
    void clientConnected();
    void clientDisconnected();
    void loggedIn();
    void lineReceived(const QString &line);
    // The restart time after "rm" is over and connections are accepted again.
    void restarted();

private:
    void acceptConnections();
    void sessionFinished();
    void beginRestart();
    void finishRestart();
    void log(const QString &marker, const QString &text);

    MasterSimOptions m_options;
    std::unique_ptr<MasterState> m_state;
    std::unique_ptr<CommandLog> m_log;
    QTcpServer *m_server = nullptr;
    QTimer *m_restartTimer = nullptr;
    MasterSession *m_session = nullptr;
    QList<ReceivedLine> m_received;
    QHostAddress m_address;
    quint16 m_port = 0;
    bool m_restarting = false;
};

#endif // MASTERSIM_H
