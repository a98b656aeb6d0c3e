#include "mainwindow.h"

void MainWindow::queueCommand(const QString &text, int kind, int param)
{
    commandQueue.append(CommandEntry{text, kind, param});
}

void MainWindow::commandtimerupdate()
{
    if (commandQueue.isEmpty())
        return;

    const CommandEntry entry = commandQueue.takeFirst();
    switch (entry.kind) {
    case Send:
        emit setDisplayMessage(entry.text);
        telnet.sendData(entry.text);
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
        telnet.openConnection(loginData.host, kTelnetPort);
        break;
    case Disconnect:
        telnet.close();
        break;
    default:
        // A pause: the entry only uses up its tick.
        break;
    }
}

void MainWindow::Befehl_edit_changed(QString text)
{
    commandText = text;
}

void MainWindow::Senden_btn_clicked()
{
    sendDirect(commandText);
}

void MainWindow::sendDirect(const QString &line)
{
    emit setDisplayMessage(line);
    telnet.sendData(line);
}
