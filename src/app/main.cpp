#include <QApplication>
#include <QTranslator>

#include "mainwindow.h"
#include "startoptions.h"
#include "startoutput.h"

int main(int argc, char *argv[])
{
    QApplication a(argc, argv);
    const StartOptions options = parseStartOptions(QApplication::arguments());
    if (options.exitNow) {
        writeStartOutput(options.output, options.exitCode != 0);
        return options.exitCode;
    }
    QApplication::setStyle(QStringLiteral("Fusion"));

    QTranslator translator;
    // Installed even when loading fails: the interface then shows its source texts.
    (void)translator.load(cataloguePath(options.language));
    a.installTranslator(&translator);

    MainWindow w(options);
    w.show();
    return a.exec();
}
