#include "mainwindow.h"

// Placeholder bodies until this concern is built.

void MainWindow::Qrgel_cnf_save_btn_clicked() {}
void MainWindow::Schwelle1_set_btn_clicked() {}
void MainWindow::Schwelle2_set_btn_clicked() {}
void MainWindow::Schwelle3_set_btn_clicked() {}
void MainWindow::Schwelle4_set_btn_clicked() {}
void MainWindow::Schwelle5_set_btn_clicked() {}
void MainWindow::Schwelle6_set_btn_clicked() {}
void MainWindow::Schwelle7_set_btn_clicked() {}
void MainWindow::Schwelle8_set_btn_clicked() {}
