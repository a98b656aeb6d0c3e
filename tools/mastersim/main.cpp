#include "mastersim.h"
#include "mastersimcommandline.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("mastersim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TASTARELLO_VERSION));

    const MasterSimCommandLine command = parseMasterSimCommandLine(QCoreApplication::arguments());
    if (command.exitNow) {
        std::fputs(qPrintable(command.output), command.exitCode == 0 ? stdout : stderr);
        return command.exitCode;
    }
    const MasterSimOptions &options = command.options;
    if (!options.logFile.isEmpty() && options.logFile != QLatin1String("-")) {
        QFile probe(options.logFile);
        if (!probe.open(QIODevice::Append)) {
            std::fprintf(stderr, "mastersim: cannot write the log %s: %s\n", qPrintable(options.logFile),
                         qPrintable(probe.errorString()));
            return MasterSimCommandLine::kUsageError;
        }
    }

    MasterSim sim(options);
    if (!sim.listen(command.address, command.port)) {
        std::fprintf(stderr, "mastersim: cannot listen on %s port %u\n",
                     qPrintable(command.address.toString()), command.port);
        return 1;
    }
    QTextStream out(stdout);
    out << "mastersim: listening on " << command.address.toString() << " port " << sim.serverPort()
        << " (user " << options.user << ")" << Qt::endl;
    return app.exec();
}
