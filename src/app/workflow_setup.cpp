#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QMessageBox>

namespace {
// Program-wide and independent of the connection: a reset or reconnect in the
// middle of a setup leaves it running.
bool setupRunning = false;
} // namespace

void MainWindow::Setup_Start_Stop_btn_clicked()
{
    if (!setupRunning) {
        const int manual = manualNumber();
        if (pianoSelected) {
            queueCommand(QStringLiteral("sf") + QString::number(manual) + QStringLiteral("l"), Send, 0);
            queueCommand(QStringLiteral("sf") + QString::number(manual + 1) + QStringLiteral("s"), Send, 0);
        }
        queueCommand(QStringLiteral("smca"), Send, 0);
        queueCommand(QStringLiteral("tb") + QString::number(manual) + QStringLiteral("1"), Send, 0);
        ui->Setup_Start_Stop_btn->setText(QObject::tr("complete setup"));
        setupRunning = true;
    } else {
        queueCommand(QStringLiteral("ts"), Send, 0);
        queueCommand(QStringLiteral("smna"), Send, 0);
        ui->Setup_Start_Stop_btn->setText(QObject::tr("setup new manual"));
        setupRunning = false;
    }
}

void MainWindow::Delete_manual_file_btn_clicked()
{
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, QString(), QStringLiteral("Really delete manual file and restart Master ?"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;

    // Read after the box: the selection may have changed while it was open.
    const QString manual = QString::number(manualNumber());
    queueCommand(QStringLiteral("fc") + manual, Send, 0);
    queueCommand(QStringLiteral("df") + manual, Send, 0);
    Reset_Master_btn_clicked();
}

void MainWindow::Konfiguration_speichern_btn_clicked()
{
    const QString manual = QString::number(manualNumber());
    queueCommand(QStringLiteral("fw") + manual, Send, 0);
    queueCommand(QStringLiteral("sc") + manual, Send, 0);
}

void MainWindow::Werte_ansehen_btn_clicked()
{
    sendDirect(QStringLiteral("gv") + QString::number(manualNumber()));
}
