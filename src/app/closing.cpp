#include "mainwindow.h"

#include <QCloseEvent>
#include <QMessageBox>

#include <algorithm>

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
    showStatus(QObject::tr("Das Programm endet nach dem Senden"), Black);
    event->ignore();
}
