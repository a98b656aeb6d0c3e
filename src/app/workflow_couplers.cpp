#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QLineEdit>

namespace {
// The threshold goes out as typed: the master module judges the value.
QString thresholdLine(int coupler, const QLineEdit *field)
{
    return QStringLiteral("sv") + QString::number(coupler) + field->text();
}
} // namespace

void MainWindow::Schwelle1_set_btn_clicked()
{
    queueCommand(thresholdLine(1, ui->Schwelle1_edit), Send, 0);
}

void MainWindow::Schwelle2_set_btn_clicked()
{
    queueCommand(thresholdLine(2, ui->Schwelle2_edit), Send, 0);
}

void MainWindow::Schwelle3_set_btn_clicked()
{
    queueCommand(thresholdLine(3, ui->Schwelle3_edit), Send, 0);
}

void MainWindow::Schwelle4_set_btn_clicked()
{
    queueCommand(thresholdLine(4, ui->Schwelle4_edit), Send, 0);
}

void MainWindow::Schwelle5_set_btn_clicked()
{
    queueCommand(thresholdLine(5, ui->Schwelle5_edit), Send, 0);
}

void MainWindow::Schwelle6_set_btn_clicked()
{
    queueCommand(thresholdLine(6, ui->Schwelle6_edit), Send, 0);
}

void MainWindow::Schwelle7_set_btn_clicked()
{
    queueCommand(thresholdLine(7, ui->Schwelle7_edit), Send, 0);
}

void MainWindow::Schwelle8_set_btn_clicked()
{
    queueCommand(thresholdLine(8, ui->Schwelle8_edit), Send, 0);
}

void MainWindow::Qrgel_cnf_save_btn_clicked()
{
    sendDirect(QStringLiteral("sco"));
}
