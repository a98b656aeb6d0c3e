#include "mainwindow.h"

// Placeholder bodies until this concern is built.

void MainWindow::Settings_senden_btn_clicked() {}
void MainWindow::Settings_spreizm_btn_clicked() {}
void MainWindow::Settings_spreizp_btn_clicked() {}
QString MainWindow::twoDigitValue(const QString &text) { return text; }
