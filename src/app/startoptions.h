#ifndef STARTOPTIONS_H
#define STARTOPTIONS_H

#include <QString>
#include <QStringList>

// What the command line asks for. Without options: the German catalogue, the login
// dialog's own address and the telnet port.
struct StartOptions
{
    QString host; // typed into the login dialog's address field unless null
    quint16 port = 23;
    QString language = QStringLiteral("de");

    // Set when the program ends before any window: --help, --version or bad input.
    bool exitNow = false;
    int exitCode = 0;
    QString output; // one text for standard output (exit code 0) or standard error
};

// Reads the arguments as QCoreApplication::arguments() gives them (program name first).
StartOptions parseStartOptions(const QStringList &arguments);

// The arguments without Qt's own options for GUI programs (-platform, -style, ...), which
// the QApplication takes for itself: read before it exists, they are no error.
QStringList withoutQtGuiOptions(const QStringList &arguments);

// The resource path of the catalogue for a language code.
QString cataloguePath(const QString &language);

#endif // STARTOPTIONS_H
