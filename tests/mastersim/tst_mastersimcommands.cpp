#include "masterstate.h"

#include <QTest>
#include <QTextStream>

// The command interpreter without a connection: state kept per keyboard and shown by the
// queries, errors that change nothing, and what survives a restart.
class TstMasterSimCommands : public QObject
{
    Q_OBJECT

    // Runs the lines and returns the last answer; fails on an answer the service tool would
    // take for a login prompt.
    static QString run(MasterState &state, const QStringList &lines)
    {
        QString last;
        for (const QString &line : lines) {
            last = state.execute(line).text;
            if (last.contains(QLatin1String("login:")) || last.contains(QLatin1String("password:")))
                return QStringLiteral("PROMPT WORD in the answer to ") + line;
        }
        return last;
    }

    // Everything a command may change, in one comparable text.
    static QString snapshot(const MasterState &s)
    {
        QString out;
        QTextStream t(&out);
        for (int k = 1; k <= MasterState::kKeyboards; ++k) {
            const ManualConfig &c = s.manual(k);
            t << c.keyCount << ' ' << c.keyUp.size() << ' ' << c.debounceMs << ' ' << c.spreadPercent << ' '
              << c.preTravelSteps << ' ' << c.startNote << ' ' << c.pianoPart << ' ' << int(s.mode(k)) << ';';
        }
        for (int c = 1; c <= MasterState::kCouplers; ++c)
            t << s.threshold(c) << ',';
        t << s.hardwareVersion() << s.isFineAdjusting() << s.firmwareUpdateKeyboard()
          << s.firmwareUpdateBoard();
        return out;
    }

private slots:
    // A setting is seen in the query that shows it.
    void settingsShowInQueries_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QStringList &lines, const char *expected) {
            QTest::newRow(name) << lines << QString::fromLatin1(expected);
        };
        row("gsm", {"gsm"}, "master software version 4.1.3");
        row("gss on a pedal", {"gss730"}, "slave board 30 of Pedal 1");
        row("sh gh", {"sh1.3.0.0", "gh"}, "master hardware version 1.3.0.0");
        row("sd gd", {"sd05.12.26", "gd"}, "date: 05.12.26");
        row("gv before setup", {"gv3"}, "no keys recognised");
        row("sx gv", {"sx105", "gv1"}, "debounce 05 ms");
        row("ss gv", {"ss199", "gv1"}, "spread 99 %");
        row("sn gv", {"sn136", "gv1"}, "MIDI start note 36");
        row("sv gva", {"sv8127", "gva"}, "8=127");
        row("setup of a manual", {"smca", "tb31", "ts", "smna", "gv3"}, "Manual 3: 61 keys recognised");
        row("setup of a piano", {"sf1l", "sf2s", "smca", "tb11", "ts"}, "88 keys recognised on Manual 1");
        row("smca gv", {"smca", "gv1"}, "configuration mode");
        row("calibration stop", {"tb31", "ts", "smc3", "cm3", "std3", "smn3", "gv3"}, "key  KeyUp  KeyDown");
        row("std resets", {"td1", "std1", "gv1"}, "pre-travel 2.0 mm (standard +0)");
        row("tab tas", {"smna", "tab", "tas"}, "fine pre-travel adjustment ended");
        row("mp+ mp-", {"smca", "mp+712", "mp-"}, "firmware update of board 12 of Pedal 1 ended");
        row("fw saves", {"sx109", "fw1", "gv1"}, "unsaved changes: no");
        row("df", {"df1", "gv1"}, "SD card file: none");
        row("cfa", {"fw1", "fw2", "cfa", "gva"}, "flash configuration: empty");
        row("blanks around", {"  gh "}, "master hardware version");
        row("prompt words echoed", {"login:", "gv1password:", "sx1login:"}, "error");
    }
    void settingsShowInQueries()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, expected);
        MasterState state;
        const QString answer = run(state, lines);
        QVERIFY2(answer.contains(expected), qPrintable(answer));
    }

    // After the prelude, the line gets an error naming what is wrong and changes nothing.
    void errorsChangeNothing_data()
    {
        QTest::addColumn<QStringList>("prelude");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *line, const char *expected, const QStringList &prelude = {"mp+11"}) {
            QTest::newRow(line) << prelude << QString::fromLatin1(line) << QString::fromLatin1(expected);
        };
        row("xyz", "unknown command \"xyz\"");
        row("\xff\xfe", "unknown command");
        row("sx10abc", "debounce time needs exactly two digits");
        row("gv0", "keyboard number must be 1 to 8");
        row("fw12", "only a keyboard number");
        row("sv1128", "threshold of coupler 1 must be a number from 0 to 127");
        row("sv950", "coupler number must be 1 to 8");
        row("sn1128", "start note must be a number from 0 to 127");
        row("mp+19", "board number of Manual 1 must be 1 to 8", {});
        row("mp+831", "board number of Pedal 2 must be 1 to 30", {});
        row("mp+12", "firmware update of board 1 of Manual 1 still running");
        row("tb3", "tb expects a keyboard number followed by 1");
        row("cm3", "no keys recognised on Manual 3", {"smc3"});
        row("tu4", "Manual 4 is not calibrated");
        row("tu1", "already at its minimum",
            QStringLiteral("tu1 ").repeated(MasterState::kMaxPreTravelSteps).split(' ', Qt::SkipEmptyParts));
        row("sh2.0", "hardware version must have four numbers");
        row("sd31.02.26", "date must be a valid dd.MM.yy");
        row("sz24:00", "time must be a valid hh:mm");
        row("gsm1", "gsm takes no argument");
    }
    void errorsChangeNothing()
    {
        QFETCH(QStringList, prelude);
        QFETCH(QString, line);
        QFETCH(QString, expected);
        MasterState state;
        run(state, prelude);
        const QString before = snapshot(state);
        const auto clockBefore = state.clock();
        const MasterState::Reply reply = state.execute(line);
        QVERIFY2(reply.text.startsWith(QLatin1String("error: ")) ||
                     reply.text.startsWith(QLatin1String("unknown")),
                 qPrintable(reply.text));
        QVERIFY2(reply.text.contains(expected), qPrintable(reply.text));
        QCOMPARE(reply.action, MasterState::Action::None);
        QCOMPARE(snapshot(state), before);
        QVERIFY(qAbs(state.clock().secsTo(clockBefore)) <= 1);
    }

    void restartKeepsOnlyWhatWasSaved_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("debounce");
        QTest::addColumn<int>("keys");
        QTest::newRow("unsaved change lost") << QStringList{"sx107"} << 5 << 61;
        QTest::newRow("fw saves") << QStringList{"sx107", "fw1"} << 7 << 61;
        QTest::newRow("change after fw lost") << QStringList{"sx107", "fw1", "sx108"} << 7 << 61;
        QTest::newRow("flash wins over SD") << QStringList{"sx107", "sc1", "sx108", "fw1"} << 8 << 61;
        QTest::newRow("fc falls back to SD") << QStringList{"sx107", "fw1", "fc1"} << 5 << 61;
        QTest::newRow("df deletes the file") << QStringList{"sx107", "sc1", "df1"} << 5 << 0;
        QTest::newRow("error saves nothing") << QStringList{"sx107", "fw9"} << 5 << 61;
    }
    void restartKeepsOnlyWhatWasSaved()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, debounce);
        QFETCH(int, keys);
        MasterState state;
        run(state, lines);
        state.restart();
        QCOMPARE(state.manual(1).debounceMs, debounce);
        QCOMPARE(state.manual(1).keyCount, keys);
    }

    void restartResetsModesAndKeepsDevice()
    {
        MasterState state;
        run(state, {"sv150", "sco", "sv290", "sh1.3.0.0", "sd01.02.30", "smca", "tb31", "tab", "mp+11"});
        state.restart();
        QCOMPARE(state.threshold(1), 50);
        QCOMPARE(state.threshold(2), 40);
        QCOMPARE(state.hardwareVersion(), QStringLiteral("1.3.0.0"));
        QCOMPARE(state.clock().date(), QDate(2030, 2, 1));
        QCOMPARE(state.mode(1), MasterState::Mode::Playing);
        QCOMPARE(state.manual(3).keyCount, 0);
        QVERIFY(!state.isFineAdjusting());
        QCOMPARE(state.firmwareUpdateKeyboard(), 0);
    }
};

QTEST_GUILESS_MAIN(TstMasterSimCommands)
#include "tst_mastersimcommands.moc"
