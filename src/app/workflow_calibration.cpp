#include "mainwindow.h"

// Placeholder bodies until this concern is built.

void MainWindow::Kalibrieren_Start_Stop_btn_clicked() {}
