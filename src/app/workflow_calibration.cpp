#include "mainwindow.h"
#include "ui_mainwindow.h"

namespace {
bool calibrationRunning = false;
} // namespace

void MainWindow::Kalibrieren_Start_Stop_btn_clicked()
{
    // The number is read at each click: a stop after a change of selection
    // addresses the newly selected keyboard.
    const QString manual = QString::number(manualNumber());
    if (!calibrationRunning) {
        queueCommand(QStringLiteral("smc") + manual, Send, 0);
        queueCommand(QStringLiteral("cm") + manual, Send, 0);
        ui->Kalibrieren_Start_Stop_btn->setText(QStringLiteral("Stop"));
        calibrationRunning = true;
    } else {
        // The two queries let the technician compare the values before and
        // after the calibration is closed.
        queueCommand(QStringLiteral("gv") + manual, Send, 0);
        queueCommand(QStringLiteral("std") + manual, Send, 0);
        queueCommand(QStringLiteral("smn") + manual, Send, 0);
        queueCommand(QStringLiteral("gv") + manual, Send, 0);
        ui->Kalibrieren_Start_Stop_btn->setText(QStringLiteral("Start"));
        calibrationRunning = false;
    }
}
