#include "mainwindow.h"
#include "ui_mainwindow.h"

namespace {
bool fineAdjustRunning = false;
} // namespace

// The coarse steps go out at once, one line per click, so that quick clicks
// are not held back by the queue's pace.
void MainWindow::Leerreise_minus_btn_clicked()
{
    sendDirect(QStringLiteral("tu") + QString::number(manualNumber()));
}

void MainWindow::Leerreise_plus_btn_clicked()
{
    sendDirect(QStringLiteral("td") + QString::number(manualNumber()));
}

// Fine adjustment carries no manual number: the key is chosen on the
// instrument itself.
void MainWindow::Leerreise_fein_startstop_btn_clicked()
{
    if (!fineAdjustRunning) {
        queueCommand(QStringLiteral("smna"), Send, 0);
        queueCommand(QStringLiteral("tab"), Send, 0);
        ui->Leerreise_fein_startstop_btn->setText(QStringLiteral("Stop"));
        fineAdjustRunning = true;
    } else {
        queueCommand(QStringLiteral("tas"), Send, 0);
        ui->Leerreise_fein_startstop_btn->setText(QStringLiteral("Start"));
        fineAdjustRunning = false;
    }
}
