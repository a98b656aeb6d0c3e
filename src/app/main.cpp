#include <QApplication>
#include <QTranslator>

#include "mainwindow.h"

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));

    QTranslator translator;
    // Installed even when loading fails: the interface then shows its source texts.
    (void)translator.load(QStringLiteral(":/language/spieltool_de"));
    a.installTranslator(&translator);

    MainWindow w;
    w.show();
    return a.exec();
}
