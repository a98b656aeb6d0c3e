#ifndef TELNETLIB1_H
#define TELNETLIB1_H

#include <QAbstractSocket>
#include <QObject>
#include <QRegularExpression>
#include <QSize>
#include <QString>
#include <QtGlobal>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QRegExp>
#endif

class QTcpSocket;
class telnetlib1Private;

// Telnet client for the master module: one TCP connection, a small fixed option
// set, line sending and login by the server's prompts. All of it runs on the
// thread that owns the object; every signal is delivered synchronously.
class telnetlib1 : public QObject
{
    Q_OBJECT
public:
    // Control functions of sendControl. The value 7 is the telnet EOF command;
    // it is not called EOF because that is a macro of the C library.
    enum Control { GA, IP, AYT, AO, EC, EL, BRK, EndOfFile, SUSP, ABORT };
    Q_ENUM(Control)

    explicit telnetlib1(QObject *parent = nullptr);
    ~telnetlib1() override;

    void openConnection(const QString &host, quint16 port);
    void attachSocket(QTcpSocket *socket);
    QTcpSocket *tcpSocket() const;

    // A pattern with an empty text is no pattern: that prompt is not looked for.
    void setLoginPromptExpr(const QRegularExpression &pattern);
    void setPasswordPromptExpr(const QRegularExpression &pattern);
    void setShellPromptExpr(const QRegularExpression &pattern);
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Kept for Qt 5 callers; each pattern is searched with QRegExp::indexIn.
    void setLoginPromptExpr(const QRegExp &pattern);
    void setPasswordPromptExpr(const QRegExp &pattern);
    void setShellPromptExpr(const QRegExp &pattern);
#endif
    void setCredentials(const QString &user, const QString &password);

    void setTerminalSize(int width, int height);
    void setTerminalSize(const QSize &size);
    QSize terminalSize() const;
    bool hasTerminalSize() const;

    // Bytes written that the peer has not acknowledged yet: those still in the
    // socket's buffer and, where the system tells, those sent but unacknowledged.
    // -1 while not connected.
    qint64 bytesInFlight() const;

signals:
    void loginRequired();
    void loginFailed();
    void loggedIn();
    void loggedOut();
    void connectionError(QAbstractSocket::SocketError error);
    void message(const QString &data);

public slots:
    void close();
    void logout();
    void sendControl(Control ctrl);
    void sendData(const QString &data);
    void sendSync();

private:
    friend class telnetlib1Private;
    telnetlib1Private *d;
};

#endif // TELNETLIB1_H
