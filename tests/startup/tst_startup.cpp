// Start options, the command line's history and the Italian catalogue.

#include <QtTest>
#include <QtWidgets>

#include "catalogues.h"
#include "commandhistory.h"
#include "startoptions.h"

using Args = QStringList;

template <typename... T> void row(const char *name, const T &...values)
{
    (QTest::newRow(name) << ... << values);
}

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void options_data()
    {
        QTest::addColumn<Args>("arguments");
        QTest::addColumn<int>("exitCode");     // -1: the program runs
        QTest::addColumn<QString>("expected"); // host|port|language, or the start of the output
        const QString port = QStringLiteral("tastarello: --port must be a number from 1 to 65535, not ");
        row("none", Args(), -1, "|23|de");
        row("port", Args{"--port=1", "--port", "65535"}, -1, "|65535|de");
        row("it", Args{"--language=it", "--host", "h"}, -1, "h|23|it");
        row("help", Args{"--help"}, 0, "Usage: ");
        row("-v", Args{"-v"}, 0, "tastarello " TASTARELLO_VERSION "\n");
        row("unknown", Args{"--colour"}, 2, "tastarello: Unknown option 'colour'.\n");
        row("positional", Args{"h"}, 2, "tastarello: unexpected argument 'h'\n");
        row("no value", Args{"--host"}, 2, "tastarello: Missing value after '--host'.\n");
        row("port 0", Args{"--port", "0"}, 2, port + "'0'\n");
        row("port 65536", Args{"--port", "65536"}, 2, port + "'65536'\n");
        row("language", Args{"--language", "EN"}, 2,
            "tastarello: --language must be de, en or it, not 'EN'\n");
        row("Qt's own options", Args{"-platform", "offscreen", "--style=fusion", "-reverse", "--host", "h"},
            -1, "h|23|de");
        row("Qt's option without its value", Args{"--port", "1", "-style"}, 2,
            "tastarello: Unknown options: s, t");
    }
    void options()
    {
        QFETCH(Args, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        const StartOptions o = parseStartOptions(withoutQtGuiOptions(Args("tastarello") + arguments));
        QCOMPARE(o.exitNow ? o.exitCode : -1, exitCode);
        if (exitCode != -1)
            QVERIFY2(o.output.startsWith(expected), qPrintable(o.output));
        else
            QCOMPARE(Args({o.host, QString::number(o.port), o.language}).join(QLatin1Char('|')), expected);
        // Null without --host: the login dialog then keeps its own address.
        QCOMPARE(exitCode == -1 && o.host.isNull(), expected.startsWith(QLatin1Char('|')));
    }

    // The real binary where no display can be opened at all: the option's error on standard error.
    void program()
    {
        QTemporaryDir runtime; // keeps Qt's note about a missing runtime directory off standard error
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        for (const char *display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(display));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(TASTARELLO_BINARY), Args{"--host", "127.0.0.1", "--port", "x"});
        // A window would wait for the login dialog and never end on its own.
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 2);
        QCOMPARE(p.readAllStandardOutput(), QByteArray());
        QCOMPARE(p.readAllStandardError(),
                 QByteArray("tastarello: --port must be a number from 1 to 65535, not 'x'\n"));
    }

    void history_data()
    {
        QTest::addColumn<Args>("sent");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("keys"); // U: Up, D: Down
        QTest::addColumn<QString>("shown");
        const Args abc{"a", "b", "c"};
        row("nothing sent", Args(), "x", "UD", "x");
        row("back to typed", abc, "ga", "UUDD", "ga");
        row("sent line shown", abc, "c", "U", "b");
        row("only line shown", Args{"a"}, "a", "UDU", "a");
        row("repeat once", Args{"a", "b", "b", "b"}, "", "UU", "a");
        row("older repeat", Args{"a", "b", "a"}, "", "UU", "b");
        row("empty line", Args{"a", ""}, "", "U", "a");
        Args many;
        for (int i = 0; i < 205; ++i)
            many << QStringLiteral("gv%1").arg(i);
        row("200 kept", many, "", QString(250, QLatin1Char('U')), "gv5");
        row("200, back", many, "", QString(199, QLatin1Char('U')) + "D", "gv7");
    }
    void history()
    {
        QFETCH(Args, sent);
        QFETCH(QString, typed);
        QFETCH(QString, keys);
        QLineEdit edit;
        CommandHistory history(&edit);
        for (const QString &line : sent)
            history.add(line);
        edit.setText(typed);
        for (QChar key : keys)
            QTest::keyClick(&edit, key == QLatin1Char('U') ? Qt::Key_Up : Qt::Key_Down);
        QTEST(edit.text(), "shown");
    }

    // Every message of the German catalogue has its Italian translation.
    void italianCatalogueComplete()
    {
        const auto read = [](const char *language) {
            QFile file(
                QStringLiteral(TASTARELLO_SOURCE_DIR "/resources/language/spieltool_%1.ts").arg(language));
            return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
        };
        const QString it = read("it");
        QCOMPARE(it.count("<message>"), read("de").count("<message>"));
        QCOMPARE(it.count(QRegularExpression("<translation>[^<]+</translation>")), it.count("<message>"));
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
