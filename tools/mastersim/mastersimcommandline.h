#ifndef MASTERSIMCOMMANDLINE_H
#define MASTERSIMCOMMANDLINE_H

#include "mastersim.h"

#include <QHostAddress>
#include <QStringList>

// The simulator's command line, read into its options.
struct MasterSimCommandLine
{
    // Exit code for an unusable command line, apart from 1 for a port that cannot be opened.
    static constexpr int kUsageError = 2;

    MasterSimOptions options;
    QHostAddress address;
    quint16 port = 23;
    // Set when the program ends at once: --help, --version or bad input.
    bool exitNow = false;
    int exitCode = 0;
    QString output; // for standard output (exit code 0) or standard error
};

// Reads the arguments as QCoreApplication::arguments() gives them (program name first).
MasterSimCommandLine parseMasterSimCommandLine(const QStringList &arguments);

#endif // MASTERSIMCOMMANDLINE_H
