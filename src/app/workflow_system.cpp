#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QDateTime>

namespace {
bool firmwareUpdateRunning = false;
} // namespace

void MainWindow::Alle_Werte_anzeigen_btn_clicked()
{
    sendDirect(QStringLiteral("gva"));
}

void MainWindow::Sw_version_master_read_btn_clicked()
{
    sendDirect(QStringLiteral("gsm"));
}

void MainWindow::Sw_version_slave_read_btn_clicked()
{
    // Fixed text: it does not follow the selected keyboard or board.
    sendDirect(QStringLiteral("gss11"));
}

void MainWindow::Hw_version_master_read_btn_clicked()
{
    sendDirect(QStringLiteral("gh"));
}

void MainWindow::Master_datum_lesen_btn_clicked()
{
    sendDirect(QStringLiteral("gd"));
}

void MainWindow::Hw_version_master_write_btn_clicked()
{
    queueCommand(QStringLiteral("sh") + ui->Hw_version_select_box->currentText(), Send, 0);
}

void MainWindow::Midi_startnote_setzen_btn_clicked()
{
    queueCommand(QStringLiteral("sn") + QString::number(manualNumber()) +
                     QString::number(ui->Startnote_select_box->value()),
                 Send, 0);
}

void MainWindow::Master_datum_setzen_btn_clicked()
{
    // Read at the click: the master gets the time of the click, not of sending.
    // One reading for both, so that a click at midnight cannot pair the old
    // day's time with the new day's date.
    const QDateTime now = QDateTime::currentDateTime();
    const QString time = now.time().toString(QStringLiteral("hh:mm"));
    const QString date = now.date().toString(QStringLiteral("dd.MM.yy"));
    queueCommand(QStringLiteral("sd") + date, Send, 0);
    // The pause gives the master a second tick between the two lines.
    queueCommand(QString(), Pause, 0);
    queueCommand(QStringLiteral("sz") + time, Send, 0);
}

void MainWindow::Firmware_startstop_btn_clicked()
{
    if (!firmwareUpdateRunning) {
        queueCommand(QStringLiteral("smca"), Send, 0);
        queueCommand(QStringLiteral("mp+") + QString::number(manualNumber()) +
                         QString::number(ui->Boardnr_select_box->value()),
                     Send, 0);
        ui->Firmware_startstop_btn->setText(QStringLiteral("Stop"));
        firmwareUpdateRunning = true;
    } else {
        queueCommand(QStringLiteral("mp-"), Send, 0);
        ui->Firmware_startstop_btn->setText(QStringLiteral("Start"));
        firmwareUpdateRunning = false;
    }
}

void MainWindow::Write_Flash_configuration_btn_clicked()
{
    queueCommand(QStringLiteral("fw") + QString::number(manualNumber()), Send, 0);
}

void MainWindow::Clear_Flash_config_btn_clicked()
{
    queueCommand(QStringLiteral("fc") + QString::number(manualNumber()), Send, 0);
}

void MainWindow::Clear_all_Flash_configs_btn_clicked()
{
    // No confirmation, as for the other flash functions.
    queueCommand(QStringLiteral("cfa"), Send, 0);
}
