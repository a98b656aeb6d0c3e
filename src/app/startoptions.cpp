#include "startoptions.h"

#include <QCommandLineParser>

namespace {

// Exit code for an unusable command line, apart from 1 for the fatal connection paths.
constexpr int kUsageError = 2;

StartOptions failure(const QString &problem)
{
    StartOptions o;
    o.exitNow = true;
    o.exitCode = kUsageError;
    o.output = QStringLiteral("tastarello: %1\n").arg(problem);
    return o;
}

} // namespace

StartOptions parseStartOptions(const QStringList &arguments)
{
    // Printed before any catalogue is installed (the language is one of the options),
    // so these texts stay untranslated, like Qt's own parser messages.
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Service tool for the Tastarello key-sensor system of organs."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption host(QStringLiteral("host"),
                                  QStringLiteral("Master module address, typed into the login dialog."),
                                  QStringLiteral("address"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("TCP port of the master module (default 23)."),
                                  QStringLiteral("n"));
    const QCommandLineOption language(QStringLiteral("language"),
                                      QStringLiteral("Interface language: de (default), en or it."),
                                      QStringLiteral("code"));
    parser.addOptions({host, port, language});

    if (!parser.parse(arguments))
        return failure(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return failure(QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first()));

    StartOptions o;
    if (parser.isSet(help) || parser.isSet(version)) {
        o.exitNow = true;
        o.output =
            parser.isSet(help) ? parser.helpText() : QStringLiteral("tastarello " TASTARELLO_VERSION "\n");
        return o;
    }
    if (parser.isSet(host))
        o.host = parser.value(host);
    if (parser.isSet(port)) {
        bool ok = false;
        const uint value = parser.value(port).toUInt(&ok, 10);
        if (!ok || value < 1 || value > 65535)
            return failure(
                QStringLiteral("--port must be a number from 1 to 65535, not '%1'").arg(parser.value(port)));
        o.port = quint16(value);
    }
    if (parser.isSet(language)) {
        o.language = parser.value(language);
        if (!QStringList{QStringLiteral("de"), QStringLiteral("en"), QStringLiteral("it")}.contains(
                o.language))
            return failure(QStringLiteral("--language must be de, en or it, not '%1'").arg(o.language));
    }
    return o;
}

QStringList withoutQtGuiOptions(const QStringList &arguments)
{
    static const QStringList withValue{QStringLiteral("platform"),
                                       QStringLiteral("platformpluginpath"),
                                       QStringLiteral("platformtheme"),
                                       QStringLiteral("plugin"),
                                       QStringLiteral("qwindowgeometry"),
                                       QStringLiteral("geometry"),
                                       QStringLiteral("qwindowtitle"),
                                       QStringLiteral("title"),
                                       QStringLiteral("qwindowicon"),
                                       QStringLiteral("icon"),
                                       QStringLiteral("session"),
                                       QStringLiteral("style"),
                                       QStringLiteral("stylesheet"),
                                       QStringLiteral("display"),
                                       QStringLiteral("name")};
    static const QStringList flags{QStringLiteral("reverse"),     QStringLiteral("testability"),
                                   QStringLiteral("qdevel"),      QStringLiteral("qdebug"),
                                   QStringLiteral("widgetcount"), QStringLiteral("sync")};
    QStringList kept;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        // Qt takes -option and --option alike, and -style=... and -stylesheet=...
        const QString name = argument.startsWith(QLatin1String("--")) ? argument.mid(2)
                             : argument.startsWith(QLatin1Char('-'))  ? argument.mid(1)
                                                                      : QString();
        if (i > 0 && withValue.contains(name) && i + 1 < arguments.size())
            ++i;
        else if (i > 0 && (flags.contains(name) || name.startsWith(QLatin1String("style=")) ||
                           name.startsWith(QLatin1String("stylesheet="))))
            continue;
        else
            kept << argument;
    }
    return kept;
}

QString cataloguePath(const QString &language)
{
    return QStringLiteral(":/language/spieltool_") + language;
}
