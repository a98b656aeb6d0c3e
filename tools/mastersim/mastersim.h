#ifndef MASTERSIM_H
#define MASTERSIM_H

#include <QDateTime>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>

// Settings of the master module simulator; every fault switch is off by default.
struct MasterSimOptions
{
    enum class AuthMode { Refuse, Request, Ignore };
    enum class PromptStyle { Normal, CapitalPassword, SplitPrompt, PromptWithNul };

    QString user = QStringLiteral("tastarello");
    QString password = QStringLiteral("kantor");
    AuthMode authMode = AuthMode::Refuse;
    PromptStyle promptStyle = PromptStyle::Normal;
    int restartMs = 5000;       // "rm": connections refused for this long
    int closeAfterLines = -1;   // fault: close the connection after N received lines (-1: never)
    int answerDelayMs = 0;      // fault: delay every answer
    bool refuseConnections = false; // fault: close every connection at once
    bool noPasswordPrompt = false;  // fault: never send the password prompt
    int floodLines = 0;         // fault: "gva" answers with this many lines (0: normal answer)
    QString logFile;            // "-" for standard output, empty for no log
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

signals:
    void clientConnected();
    void clientDisconnected();
    void loggedIn();
    void lineReceived(const QString &line);
};

#endif // MASTERSIM_H
