#include "mainwindow.h"

// Placeholder bodies until this concern is built.

void MainWindow::telnetLoggedIn() {}
void MainWindow::telnetLoginFailed() {}
void MainWindow::telnetConnectionError(QAbstractSocket::SocketError) {}
void MainWindow::ConnetToHostTimeout() {}
void MainWindow::displayMessage(const QString &) {}
void MainWindow::Trennen_btn_clicked() {}
void MainWindow::Reset_Master_btn_clicked() {}
void MainWindow::startConnection() {}
