#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "dialoglogin.h"

#include <QLineEdit>
#include <QMessageBox>

#include <algorithm>

#include <cstdio>
#include <cstdlib>

namespace {

const int kResetCountdownSeconds = 10;

// The fatal paths may run inside the constructor or inside nested event loops,
// with half-built objects around: nothing may be destroyed on the way out, so the
// process ends without unwinding, static destructors or atexit handlers, which
// also guarantees the exit code.
[[noreturn]] void endProgramAfterFatalError()
{
    std::fflush(nullptr);
    std::_Exit(1);
}

} // namespace

void MainWindow::startConnection()
{
    DialogLogin dialog(nullptr);
    dialog.setModal(true);
    if (!startHost.isNull())
        dialog.findChild<QLineEdit *>(QStringLiteral("lineEditIP"))->setText(startHost);
    if (dialog.exec() == QDialog::Accepted) {
        loginData.host = dialog.IPAddress;
        loginData.user = dialog.Username;
        loginData.password = dialog.Password;
    }

    // Started even without a connection attempt: an empty host ends the program
    // through the time-out.
    connectTimeoutTimer.start(kConnectTimeoutMs);

    if (!loginData.host.trimmed().isEmpty()) {
        showStatus(QStringLiteral("Trying") + QStringLiteral("IP:") + loginData.host, Black);
        telnet.openConnection(loginData.host, telnetPort);
    } else {
        showStatus(QStringLiteral("hostname is empty"), Black);
    }
}

// Every text is shown; only a prompt at the end of what the connection has sent
// so far is answered, each once per connection.
void MainWindow::displayMessage(const QString &Text)
{
    emit setDisplayMessage(Text);

    switch (prompts.take(Text)) {
    case LoginPrompts::User:
        telnet.sendData(loginData.user);
        emit setDisplayMessage(loginData.user + QStringLiteral("\r\n"));
        break;
    case LoginPrompts::Password:
        telnet.sendData(loginData.password);
        emit setDisplayMessage(loginData.password + QStringLiteral("\r\n"));
        queueCommand(QStringLiteral("online"), Status, Green);
        // A master refuses a login within moments; until then the first login
        // may still fail.
        if (loginPending == 1)
            firstLoginTrial.start(kConnectTimeoutMs);
        loginPending = 0;
        connectTimeoutTimer.stop();
        queueCommand(QStringLiteral("gua"), Send, 0);
        setEnabled(true);
        break;
    case LoginPrompts::Refused:
        loginRefused();
        break;
    case LoginPrompts::Nothing:
        break;
    }
}

// The master asks for the login again after the password: the credentials were
// wrong. Answering again would only repeat them, so the prompt stays in the pane
// for the technician, who may log in by hand in the command line.
void MainWindow::loginRefused()
{
    // What the refused login queued would land at the master's login prompt.
    commandQueue.erase(std::remove_if(commandQueue.begin(), commandQueue.end(),
                                      [](const CommandEntry &entry) {
                                          return (entry.kind == Send && entry.text == QLatin1String("gua")) ||
                                                 (entry.kind == Status &&
                                                  entry.text == QLatin1String("online"));
                                      }),
                       commandQueue.end());
    showStatus(QObject::tr("Anmeldung abgelehnt"), Red);
    if (firstLoginTrial.isActive()) {
        QMessageBox::critical(this, QStringLiteral("Connection error"), QStringLiteral("login refused"));
        endProgramAfterFatalError();
    }
}

void MainWindow::telnetConnectionEnded()
{
    prompts.reset();
    firstLoginTrial.stop();
}

void MainWindow::telnetConnectionError(QAbstractSocket::SocketError)
{
    queueCommand(QStringLiteral("offline"), Status, Red);
    telnet.close();
    if (loginPending == 1) {
        QMessageBox::critical(this, QStringLiteral("Connection error"),
                              QStringLiteral("error connecting to host"));
        endProgramAfterFatalError();
    }
}

void MainWindow::ConnetToHostTimeout()
{
    QMessageBox::critical(this, QStringLiteral("Connection error"),
                          QStringLiteral("timeout connecting to host"));
    endProgramAfterFatalError();
}

void MainWindow::telnetLoggedIn()
{
    showStatus(QStringLiteral("Logged in"), Black);
}

void MainWindow::telnetLoginFailed()
{
    showStatus(QStringLiteral("Login failed"), Black);
}

void MainWindow::Trennen_btn_clicked()
{
    // One flag for the whole program, following the button's clicks only: a
    // connection error or a reset does not touch it.
    static bool userDisconnected = false;

    if (!userDisconnected) {
        // The master closes the connection on "q"; the resulting socket error
        // shows "offline".
        queueCommand(QStringLiteral("q"), Send, 0);
        ui->Trennen_btn->setText(QObject::tr("Verbinden"));
        userDisconnected = true;
    } else {
        showStatus(QStringLiteral("Trying:") + loginData.host, Black);
        telnet.openConnection(loginData.host, telnetPort);
        ui->Trennen_btn->setText(QObject::tr("Trennen"));
        userDisconnected = false;
    }
}

void MainWindow::Reset_Master_btn_clicked()
{
    queueCommand(QStringLiteral("rm"), Send, 0);
    queueCommand(QString(), Disconnect, 0);
    // Each status entry takes one tick, so the countdown counts real seconds
    // while the master restarts.
    for (int seconds = kResetCountdownSeconds; seconds >= 1; --seconds)
        queueCommand(QStringLiteral("getting online in ") + QString::number(seconds) +
                         QStringLiteral(" seconds"),
                     Status, Black);
    queueCommand(QString(), Reconnect, 0);
}
