#include "mainwindow.h"

// Placeholder bodies until this concern is built.

void MainWindow::Setup_Start_Stop_btn_clicked() {}
void MainWindow::Delete_manual_file_btn_clicked() {}
void MainWindow::Konfiguration_speichern_btn_clicked() {}
void MainWindow::Werte_ansehen_btn_clicked() {}
