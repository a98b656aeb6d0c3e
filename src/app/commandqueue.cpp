#include "mainwindow.h"

#include "commandhistory.h"

#include <QTcpSocket>

namespace {

// The socket hands written bytes to the system only when the event loop comes
// round again; pushed out at once, a line leaves at its tick even when laying
// out a flood of text in the terminal pane keeps the event loop busy.
void pushOut(telnetlib1 &client)
{
    if (QTcpSocket *socket = client.tcpSocket())
        socket->flush();
}

} // namespace

void MainWindow::queueCommand(const QString &text, int kind, int param)
{
    commandQueue.append(CommandEntry{text, kind, param});
}

void MainWindow::commandtimerupdate()
{
    if (commandQueue.isEmpty())
        return;

    const CommandEntry entry = commandQueue.takeFirst();
    // Re-armed from now: after a tick that came late because the event loop
    // was busy (a flood of text laid out in the terminal pane), the next tick
    // would otherwise keep the old schedule and two commands could reach the
    // master almost together. This keeps at least one interval between them.
    commandTimer->start();
    switch (entry.kind) {
    case Send:
        emit setDisplayMessage(entry.text);
        if (closeWhenSent)
            countLineOnClosing();
        telnet.sendData(entry.text);
        pushOut(telnet);
        break;
    case Status:
        showStatus(entry.text, entry.param);
        break;
    case SetInterval: {
        bool ok = false;
        const int interval = entry.text.toInt(&ok, 10);
        // A negative interval would stop the timer for good and with it the queue.
        commandTimer->setInterval(ok && interval >= 0 ? interval : 0);
        break;
    }
    case Reconnect:
        telnet.openConnection(loginData.host, telnetPort);
        break;
    case Disconnect:
        telnet.close();
        break;
    default:
        // A pause: the entry only uses up its tick.
        break;
    }
    if (closeWhenSent && waitingCommandLines() == 0)
        finishClosing();
}

void MainWindow::Befehl_edit_changed(QString text)
{
    commandText = text;
}

void MainWindow::Senden_btn_clicked()
{
    commandHistory->add(commandText);
    sendDirect(commandText);
}

void MainWindow::sendDirect(const QString &line)
{
    emit setDisplayMessage(line);
    telnet.sendData(line);
    pushOut(telnet);
}
