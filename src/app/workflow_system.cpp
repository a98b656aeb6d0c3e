#include "mainwindow.h"

// Placeholder bodies until this concern is built.

void MainWindow::Alle_Werte_anzeigen_btn_clicked() {}
void MainWindow::Sw_version_master_read_btn_clicked() {}
void MainWindow::Sw_version_slave_read_btn_clicked() {}
void MainWindow::Hw_version_master_read_btn_clicked() {}
void MainWindow::Hw_version_master_write_btn_clicked() {}
void MainWindow::Midi_startnote_setzen_btn_clicked() {}
void MainWindow::Master_datum_lesen_btn_clicked() {}
void MainWindow::Master_datum_setzen_btn_clicked() {}
void MainWindow::Firmware_startstop_btn_clicked() {}
void MainWindow::Write_Flash_configuration_btn_clicked() {}
void MainWindow::Clear_all_Flash_configs_btn_clicked() {}
void MainWindow::Clear_Flash_config_btn_clicked() {}
