#include <QApplication>

#include "catalogues.h"
#include "displayscaling.h"
#include "mainwindow.h"
#include "startoptions.h"
#include "startoutput.h"

int main(int argc, char *argv[])
{
    // Before any application object, the one that reads the options included.
    enableDisplayScaling();

    // Read before the QApplication exists, which would end the program at once
    // where no display can be opened: --help, --version and a bad option reach a
    // console without one.
    StartOptions options;
    {
        QCoreApplication arguments(argc, argv);
        options = parseStartOptions(withoutQtGuiOptions(QCoreApplication::arguments()));
    }
    if (options.exitNow) {
        writeStartOutput(options.output, options.exitCode != 0);
        return options.exitCode;
    }

    QApplication a(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const Catalogues catalogues(options.language);

    MainWindow w(options);
    w.show();
    return a.exec();
}
