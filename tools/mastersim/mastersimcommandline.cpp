#include "mastersimcommandline.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

bool readInt(const QCommandLineParser &parser, const QString &name, int minimum, int &value, QString &error)
{
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int v = parser.value(name).toInt(&ok);
    if (!ok || v < minimum) {
        error = QStringLiteral("--%1 needs a whole number of at least %2").arg(name).arg(minimum);
        return false;
    }
    value = v;
    return true;
}

bool parseOptions(const QCommandLineParser &parser, MasterSimOptions &o, QHostAddress &address, quint16 &port,
                  QString &error)
{
    if (!address.setAddress(parser.value(QStringLiteral("listen")))) {
        error = QStringLiteral("--listen needs an IP address");
        return false;
    }
    int portValue = 23;
    if (!readInt(parser, QStringLiteral("port"), 0, portValue, error))
        return false;
    if (portValue > 65535) {
        error = QStringLiteral("--port must be 0 to 65535");
        return false;
    }
    port = quint16(portValue);
    if (parser.isSet(QStringLiteral("user")))
        o.user = parser.value(QStringLiteral("user"));
    if (parser.isSet(QStringLiteral("password")))
        o.password = parser.value(QStringLiteral("password"));

    const QString auth = parser.value(QStringLiteral("auth"));
    if (auth == QLatin1String("refuse"))
        o.authMode = MasterSimOptions::AuthMode::Refuse;
    else if (auth == QLatin1String("request"))
        o.authMode = MasterSimOptions::AuthMode::Request;
    else if (auth == QLatin1String("ignore"))
        o.authMode = MasterSimOptions::AuthMode::Ignore;
    else {
        error = QStringLiteral("--auth must be refuse, request or ignore");
        return false;
    }

    const QString prompt = parser.value(QStringLiteral("prompt"));
    if (prompt == QLatin1String("normal"))
        o.promptStyle = MasterSimOptions::PromptStyle::Normal;
    else if (prompt == QLatin1String("capital"))
        o.promptStyle = MasterSimOptions::PromptStyle::CapitalPassword;
    else if (prompt == QLatin1String("split"))
        o.promptStyle = MasterSimOptions::PromptStyle::SplitPrompt;
    else if (prompt == QLatin1String("nul"))
        o.promptStyle = MasterSimOptions::PromptStyle::PromptWithNul;
    else {
        error = QStringLiteral("--prompt must be normal, capital, split or nul");
        return false;
    }

    if (!readInt(parser, QStringLiteral("restart-ms"), 0, o.restartMs, error) ||
        !readInt(parser, QStringLiteral("close-after"), 1, o.closeAfterLines, error) ||
        !readInt(parser, QStringLiteral("delay-ms"), 0, o.answerDelayMs, error) ||
        !readInt(parser, QStringLiteral("flood"), 0, o.floodLines, error) ||
        !readInt(parser, QStringLiteral("line-length"), 0, o.lineLength, error) ||
        !readInt(parser, QStringLiteral("stream"), 1, o.streamRate, error) ||
        !readInt(parser, QStringLiteral("seconds"), 1, o.streamSeconds, error) ||
        !readInt(parser, QStringLiteral("refuse-login"), 0, o.refuseLogins, error))
        return false;
    if (parser.isSet(QStringLiteral("wait-negotiation")))
        o.negotiationTimeoutMs = -1;
    o.refuseConnections = parser.isSet(QStringLiteral("refuse"));
    o.noPasswordPrompt = parser.isSet(QStringLiteral("no-password-prompt"));
    o.lastLoginLine = !parser.isSet(QStringLiteral("no-last-login"));
    o.banner = parser.value(QStringLiteral("banner"));
    o.logFile = parser.value(QStringLiteral("log"));
    return true;
}
} // namespace

MasterSimCommandLine parseMasterSimCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Simulates the master module of the Tastarello key-sensor system: a telnet server that logs in by\n"
        "prompts and answers the service command lines, with switches for faults to test against."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("listen"), QStringLiteral("Address to listen on (default 127.0.0.1)."),
         QStringLiteral("address"), QStringLiteral("127.0.0.1")},
        {QStringLiteral("port"), QStringLiteral("TCP port (default 23; 0 picks a free one)."),
         QStringLiteral("n"), QStringLiteral("23")},
        {QStringLiteral("user"), QStringLiteral("Accepted user name (default tastarello)."),
         QStringLiteral("name")},
        {QStringLiteral("password"), QStringLiteral("Accepted password (default kantor)."),
         QStringLiteral("text")},
        {QStringLiteral("auth"),
         QStringLiteral(
             "Answer to the client's WILL AUTHENTICATION: refuse (DONT, default), request (ask for "
             "NULL authentication) or ignore."),
         QStringLiteral("mode"), QStringLiteral("refuse")},
        {QStringLiteral("prompt"),
         QStringLiteral(
             "Prompt style: normal, capital (\"Password: \"), split (each prompt in two packets) or nul "
             "(prompt followed by a NUL byte)."),
         QStringLiteral("style"), QStringLiteral("normal")},
        {QStringLiteral("restart-ms"),
         QStringLiteral("How long \"rm\" keeps the port closed (default 5000)."), QStringLiteral("ms")},
        {QStringLiteral("close-after"), QStringLiteral("Fault: close the connection after N command lines."),
         QStringLiteral("n")},
        {QStringLiteral("delay-ms"), QStringLiteral("Fault: delay every answer by this many milliseconds."),
         QStringLiteral("ms")},
        {QStringLiteral("wait-negotiation"),
         QStringLiteral("Prompt only once the client has answered every option request, however long "
                        "that takes (default: at most 500 ms).")},
        {QStringLiteral("refuse"), QStringLiteral("Fault: close every connection at once.")},
        {QStringLiteral("no-password-prompt"), QStringLiteral("Fault: never send the password prompt.")},
        {QStringLiteral("refuse-login"),
         QStringLiteral(
             "Fault: refuse the first N logins with \"Login incorrect\" and a new prompt, even with "
             "the right user name and password."),
         QStringLiteral("n")},
        {QStringLiteral("no-last-login"),
         QStringLiteral("Greet a login without the \"Last login: ...\" line that Linux daemons print.")},
        {QStringLiteral("flood"), QStringLiteral("Fault: answer \"gva\" with N lines."), QStringLiteral("n")},
        {QStringLiteral("line-length"),
         QStringLiteral("Characters of each flood or stream line (0: flood lines of a mebibyte with no line "
                        "end)."),
         QStringLiteral("n")},
        {QStringLiteral("stream"),
         QStringLiteral("Fault: answer \"gva\" with lines at this many bytes a second, each carrying the "
                        "moment it was made."),
         QStringLiteral("bytes")},
        {QStringLiteral("seconds"), QStringLiteral("How long the stream runs (default 10)."),
         QStringLiteral("t")},
        {QStringLiteral("banner"),
         QStringLiteral("Text sent before the login prompt (for example markup, to see that the program "
                        "shows it verbatim)."),
         QStringLiteral("text")},
        {QStringLiteral("log"),
         QStringLiteral("Record every received command line with a timestamp (- for "
                        "standard output)."),
         QStringLiteral("file")},
    });
    MasterSimCommandLine c;
    c.exitNow = true;
    c.exitCode = MasterSimCommandLine::kUsageError;
    if (!parser.parse(arguments)) {
        c.output = QStringLiteral("mastersim: %1\n").arg(parser.errorText());
        return c;
    }
    if (parser.isSet(help) || parser.isSet(version)) {
        c.exitCode = 0;
        c.output = parser.isSet(help)
                       ? parser.helpText()
                       : QStringLiteral("mastersim %1\n").arg(QCoreApplication::applicationVersion());
        return c;
    }
    if (!parser.positionalArguments().isEmpty()) {
        c.output =
            QStringLiteral("mastersim: unexpected argument %1\n").arg(parser.positionalArguments().first());
        return c;
    }
    QString error;
    if (!parseOptions(parser, c.options, c.address, c.port, error)) {
        c.output = QStringLiteral("mastersim: %1\n").arg(error);
        return c;
    }
    c.exitNow = false;
    c.exitCode = 0;
    return c;
}
