#include "mainwindow.h"

#include <QCloseEvent>
#include <QMessageBox>

#include <algorithm>

namespace {
// How often the end of quitting looks for the master's acknowledgement.
constexpr int kDeliveryCheckMs = 50;
} // namespace

int MainWindow::waitingCommandLines() const
{
    return int(std::count_if(commandQueue.cbegin(), commandQueue.cend(),
                             [](const CommandEntry &entry) { return entry.kind == Send; }));
}

// "Konfiguration speichern" queues its lines a tick apart: a technician who
// quits right after it must not lose the second line unknowingly.
void MainWindow::closeEvent(QCloseEvent *event)
{
    const int waiting = waitingCommandLines();
    // A second request while the lines go out, and the one made once they
    // are out, close at once.
    if (closeWhenSent || waiting == 0) {
        event->accept();
        return;
    }
    const auto answer = QMessageBox::question(
        this, QObject::tr("Beenden"),
        QObject::tr("Befehlszeilen warten noch auf das Senden: %1.\nErst senden und dann beenden?")
            .arg(waiting),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) {
        event->accept();
        return;
    }
    // The queue keeps its pace; commandtimerupdate closes the window after the
    // last line has gone out.
    closeWhenSent = true;
    linesNotSent = 0;
    linesUnconfirmed = 0;
    showStatus(QObject::tr("Das Programm endet nach dem Senden"), Black);
    event->ignore();
}

// A line "sent" while the link is down is dropped by the client, and one written
// into a link that has died silently never arrives: neither may pass for sent.
// Lines count as delivered once the master has acknowledged every byte.
void MainWindow::countLineOnClosing()
{
    const qint64 inFlight = telnet.bytesInFlight();
    if (inFlight < 0) {
        linesNotSent += linesUnconfirmed + 1;
        linesUnconfirmed = 0;
        return;
    }
    if (inFlight == 0)
        linesUnconfirmed = 0;
    ++linesUnconfirmed;
}

void MainWindow::finishClosing()
{
    if (!closeWhenSent)
        return;
    const qint64 inFlight = telnet.bytesInFlight();
    if (inFlight > 0) {
        // Acknowledged within moments on a live link; a dead one ends in a
        // connection error within seconds.
        deliveryCheck.start(kDeliveryCheckMs);
        return;
    }
    if (inFlight < 0)
        linesNotSent += linesUnconfirmed;
    closeWhenSent = false;
    const int notSent = linesNotSent;
    linesNotSent = linesUnconfirmed = 0;
    if (notSent == 0) {
        close();
        return;
    }
    // The lines are gone from the queue: the next "Beenden" closes without
    // asking about them again.
    showStatus(QStringLiteral("offline"), Red);
    QMessageBox::warning(
        this, QObject::tr("Beenden"),
        QObject::tr("Keine Verbindung: %1 Befehlszeilen wurden nicht gesendet.").arg(notSent));
}
