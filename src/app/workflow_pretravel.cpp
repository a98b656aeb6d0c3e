#include "mainwindow.h"

// Placeholder bodies until this concern is built.

void MainWindow::Leerreise_minus_btn_clicked() {}
void MainWindow::Leerreise_plus_btn_clicked() {}
void MainWindow::Leerreise_fein_startstop_btn_clicked() {}
