#include "mainwindow.h"

// Placeholder bodies until this concern is built.

void MainWindow::queueCommand(const QString &, int, int) {}
void MainWindow::commandtimerupdate() {}
void MainWindow::Befehl_edit_changed(QString) {}
void MainWindow::Senden_btn_clicked() {}
void MainWindow::sendDirect(const QString &) {}
