#include <QApplication>

#include "catalogues.h"
#include "displayscaling.h"
#include "mainwindow.h"
#include "startoptions.h"
#include "startoutput.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

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

#ifdef Q_OS_WIN
    // The installer and the uninstaller look for this name and wait while it exists, so that
    // they never replace or delete the files of a running program. Windows removes it with the
    // process; Global: seen from every session of the machine.
    CreateMutexW(nullptr, FALSE, L"Global\\TastarelloServiceRunning");
#endif
    QApplication a(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const Catalogues catalogues(options.language);

    MainWindow w(options);
    w.show();
    return a.exec();
}
