#include "masterstate.h"

#include <QTest>

// The command interpreter without a connection: every family of service lines, the error paths
// and what survives a restart.
class TstMasterSimCommands : public QObject
{
    Q_OBJECT

    static QString run(MasterState &state, const QStringList &lines)
    {
        QString last;
        for (const QString &line : lines)
            last = state.execute(line).text;
        return last;
    }

    // Everything a command may change, in one comparable text.
    static QString snapshot(const MasterState &s)
    {
        QString out;
        for (int k = 1; k <= MasterState::kKeyboards; ++k) {
            const ManualConfig &c = s.manual(k);
            out += QStringLiteral("%1:%2,%3,%4,%5,%6,%7,%8,%9;")
                       .arg(k)
                       .arg(c.keyCount)
                       .arg(c.keyUp.size())
                       .arg(c.debounceMs)
                       .arg(c.spreadPercent)
                       .arg(c.preTravelSteps)
                       .arg(c.startNote)
                       .arg(c.pianoPart.isNull() ? QChar('-') : c.pianoPart)
                       .arg(int(s.mode(k)));
        }
        for (int c = 1; c <= MasterState::kCouplers; ++c)
            out += QString::number(s.threshold(c)) + QLatin1Char(',');
        out += s.hardwareVersion() + QString::number(s.isFineAdjusting()) +
               QString::number(s.firmwareUpdateKeyboard()) + QString::number(s.firmwareUpdateBoard());
        return out;
    }

private slots:
    void answers_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QStringList &lines, const char *expected) {
            QTest::newRow(name) << lines << QString::fromLatin1(expected);
        };
        row("gsm", {"gsm"}, "master software version 4.1.3");
        row("gss11", {"gss11"}, "slave board 1 of Manual 1\nsoftware version 1.4.2");
        row("gss on pedal board 30", {"gss730"}, "slave board 30 of Pedal 1");
        row("gss on keyboard not set up", {"gss31"}, "no answer (keyboard not set up)");
        row("gh", {"gh"}, "master hardware version 2.0.0.0");
        row("sh then gh", {"sh1.3.0.0", "gh"}, "master hardware version 1.3.0.0");
        row("sd then gd", {"sd05.12.26", "gd"}, "date: 05.12.26\ntime: ");
        row("sz then gd", {"sz14:07", "gd"}, "time: 14:07:");
        row("gv of a calibrated manual", {"gv1"}, "Manual 1: 61 keys recognised, playing mode");
        row("gv shows KeyUp/KeyDown", {"gv2"}, "key  KeyUp  KeyDown  trigger\n    1");
        row("gv of a pedal", {"gv7"}, "Pedal 1: 30 keys recognised");
        row("gv before setup", {"gv3"}, "no keys recognised: run the setup first");
        row("sx", {"sx105", "gv1"}, "debounce 05 ms");
        row("ss", {"ss199", "gv1"}, "spread 99 %");
        row("sx confirmation", {"sx142"}, "ok: debounce time of Manual 1 set to 42 ms");
        row("sn", {"sn6127"}, "ok: MIDI start note of Manual 6 set to 127");
        row("sn shown by gv", {"sn136", "gv1"}, "MIDI start note 36");
        row("sv", {"sv8127", "gva"}, "8=127");
        row("sv zero", {"sv10"}, "ok: threshold of coupler 1 set to 0");
        row("sco", {"sco"}, "ok: coupler settings saved");
        row("mp+ manual", {"mp+18"}, "ok: board 8 of Manual 1 in firmware update mode");
        row("mp+ pedal", {"mp+830"}, "ok: board 30 of Pedal 2 in firmware update mode");
        row("mp- ends", {"smca", "mp+712", "mp-"}, "ok: firmware update of board 12 of Pedal 1 ended");
        row("setup of a manual", {"smca", "tb31", "ts", "smna", "gv3"}, "Manual 3: 61 keys recognised");
        row("setup answer", {"smca", "tb41"}, "ok: setup of Manual 4 started");
        row("setup of a pedal", {"tb81", "ts"}, "ok: setup finished: 30 keys recognised on Pedal 2");
        row("setup of a piano", {"sf1l", "sf2s", "smca", "tb11", "ts"}, "88 keys recognised on Manual 1");
        row("smca", {"smca", "gv1"}, "configuration mode");
        row("smna", {"smca", "smna", "gv1"}, "playing mode");
        row("calibration", {"tb31", "ts", "smc3", "cm3", "gv3"}, "calibration mode, recording KeyUp/KeyDown");
        row("calibration stop", {"tb31", "ts", "smc3", "cm3", "gv3", "std3", "smn3", "gv3"},
            "key  KeyUp  KeyDown  trigger");
        row("smn ends recording", {"smc1", "cm1", "smn1"},
            "ok: Manual 1 in playing mode, calibration recording ended");
        row("std", {"std1"}, "ok: standard pre-travel set on Manual 1: 2.0 mm");
        row("tu", {"tu1"}, "ok: pre-travel of Manual 1 now 1.9 mm");
        row("td", {"td1", "td1"}, "ok: pre-travel of Manual 1 now 2.2 mm");
        row("std resets pre-travel", {"td1", "std1", "gv1"}, "pre-travel 2.0 mm (standard +0)");
        row("tab", {"smna", "tab"}, "ok: fine pre-travel adjustment active");
        row("tas", {"tab", "tas"}, "ok: fine pre-travel adjustment ended");
        row("fw", {"fw1", "gv1"}, "flash configuration: written");
        row("sc", {"sc3"}, "ok: configuration of Manual 3 saved to manual3.cnf");
        row("unsaved changes", {"sx109", "gv1"}, "unsaved changes: yes");
        row("saved changes", {"sx109", "fw1", "gv1"}, "unsaved changes: no");
        row("fc", {"fw2", "fc2", "gv2"}, "flash configuration: empty");
        row("df", {"df1", "gv1"}, "SD card file: none");
        row("cfa", {"fw1", "fw2", "cfa", "gva"}, "flash configuration: empty");
        row("gva", {"gva"}, "coupler thresholds: 1=20 2=40");
        row("gva lists keyboards", {"gva"}, "Pedal 2: not set up");
        row("gua", {"gua"}, "Manual 1: 61 keys on 8 boards, calibrated");
        row("q", {"q"}, "bye");
        row("rm", {"rm"}, "restarting master module");
        row("surrounding blanks", {"  gh "}, "master hardware version");
        // Errors: a clear text, the argument named by its role.
        row("unknown word", {"xyz"}, "unknown command \"xyz\"");
        row("upper case", {"GSM"}, "unknown command");
        row("no letters", {"1234"}, "unknown command");
        row("sx with letters", {"sx10abc"}, "error: debounce time needs exactly two digits");
        row("sx one digit", {"sx10"}, "error: debounce time needs exactly two digits");
        row("ss three digits", {"ss1100"}, "error: spread needs exactly two digits");
        row("keyboard 0", {"gv0"}, "error: keyboard number must be 1 to 8");
        row("keyboard 9", {"fw9"}, "error: keyboard number must be 1 to 8");
        row("keyboard missing", {"gv"}, "error: keyboard number missing");
        row("trailing junk", {"fw12"}, "error: only a keyboard number");
        row("threshold 128", {"sv1128"}, "error: threshold of coupler 1 must be a number from 0 to 127");
        row("threshold empty", {"sv1"}, "error: threshold of coupler 1 missing");
        row("threshold text", {"sv3abc"}, "error: threshold of coupler 3 must be a number");
        row("coupler 9", {"sv950"}, "error: coupler number must be 1 to 8");
        row("start note 128", {"sn1128"}, "error: start note must be a number from 0 to 127");
        row("board 9 on a manual", {"mp+19"}, "error: board number of Manual 1 must be 1 to 8");
        row("board 31 on a pedal", {"mp+831"}, "error: board number of Pedal 2 must be 1 to 30");
        row("board 0", {"gss70"}, "error: board number of Pedal 1 must be 1 to 30");
        row("second mp+", {"mp+11", "mp+12"}, "error: firmware update of board 1 of Manual 1 still running");
        row("mp- alone", {"mp-"}, "error: no firmware update running");
        row("tb without 1", {"tb3"}, "error: tb expects a keyboard number followed by 1");
        row("ts without setup", {"ts"}, "error: no setup running");
        row("sf bad part", {"sf1x"}, "error: sf expects a keyboard number followed by l or s");
        row("cm before setup", {"smc3", "cm3"}, "error: no keys recognised on Manual 3");
        row("cm outside calibration mode", {"cm1"}, "error: Manual 1 is not in calibration mode");
        row("tu not calibrated", {"tu4"}, "error: Manual 4 is not calibrated");
        row("tas without tab", {"tas"}, "error: fine pre-travel adjustment is not active");
        row("sh malformed", {"sh2.0"}, "error: hardware version must have four numbers");
        row("sd impossible date", {"sd31.02.26"}, "error: date must be a valid dd.MM.yy");
        row("sd four-digit year", {"sd05.12.2026"}, "error: date must be a valid dd.MM.yy");
        row("sz 24:00", {"sz24:00"}, "error: time must be a valid hh:mm");
        row("argument on a bare word", {"gsm1"}, "error: gsm takes no argument");
    }
    void answers()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, expected);
        MasterState state;
        const QString answer = run(state, lines);
        if (!answer.contains(expected))
            QFAIL(qPrintable(QStringLiteral("answer was:\n") + answer));
    }

    void errorsChangeNothing_data()
    {
        QTest::addColumn<QString>("line");
        for (const char *line :
             {"sx10abc", "sx1",  "ss9 5", "sv1128", "sv1",  "sv9 1", "sn1128",     "sn1",     "mp+19",
              "mp+831",  "mp+7", "tb3",   "tb32",   "sf1x", "sh2",   "sd32.01.26", "sz12:60", "fw9",
              "sc0",     "tu4",  "cm1",   "std3",   "gsm1", "smca1", "xyz",        "s",       "\xff\xfe"})
            QTest::newRow(line) << QString::fromLatin1(line);
    }
    void errorsChangeNothing()
    {
        QFETCH(QString, line);
        MasterState state;
        run(state, {"mp+11"});
        const QString before = snapshot(state);
        const auto clockBefore = state.clock();
        const MasterState::Reply reply = state.execute(line);
        QVERIFY2(reply.text.startsWith(QLatin1String("error: ")) ||
                     reply.text.startsWith(QLatin1String("unknown")),
                 qPrintable(reply.text));
        QCOMPARE(reply.action, MasterState::Action::None);
        QCOMPARE(snapshot(state), before);
        QVERIFY(qAbs(state.clock().secsTo(clockBefore)) <= 1);
    }

    void preTravelStopsAtItsLimits()
    {
        MasterState state;
        const int standard = MasterState::triggerValue(state.manual(1), 1);
        for (int i = 0; i < MasterState::kMaxPreTravelSteps; ++i)
            QVERIFY(state.execute("tu1").text.startsWith("ok"));
        const int shortest = MasterState::triggerValue(state.manual(1), 1);
        QVERIFY(shortest < standard);
        QVERIFY(
            state.execute("tu1").text.startsWith("error: pre-travel of Manual 1 is already at its minimum"));
        QCOMPARE(MasterState::triggerValue(state.manual(1), 1), shortest);
        QCOMPARE(state.manual(1).preTravelSteps, -MasterState::kMaxPreTravelSteps);
    }

    void restartKeepsOnlyWhatWasSaved_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("debounce");
        QTest::addColumn<int>("keys");
        QTest::newRow("unsaved change lost") << QStringList{"sx107"} << 5 << 61;
        QTest::newRow("fw saves") << QStringList{"sx107", "fw1"} << 7 << 61;
        QTest::newRow("sc saves") << QStringList{"sx107", "sc1"} << 7 << 61;
        QTest::newRow("fw and sc") << QStringList{"sx107", "fw1", "sc1"} << 7 << 61;
        QTest::newRow("change after fw lost") << QStringList{"sx107", "fw1", "sx108"} << 7 << 61;
        QTest::newRow("flash wins over SD") << QStringList{"sx107", "sc1", "sx108", "fw1"} << 8 << 61;
        QTest::newRow("fc falls back to SD") << QStringList{"sx107", "fw1", "fc1"} << 5 << 61;
        QTest::newRow("cfa falls back to SD") << QStringList{"sx107", "fw1", "cfa"} << 5 << 61;
        QTest::newRow("df deletes the file") << QStringList{"sx107", "sc1", "df1"} << 5 << 0;
        QTest::newRow("fc df: manual forgotten") << QStringList{"fc1", "df1"} << 5 << 0;
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
        run(state,
            {"sv150", "sv270", "sco", "sv290", "sh1.3.0.0", "sd01.02.30", "smca", "tb31", "tab", "mp+11"});
        state.restart();
        QCOMPARE(state.threshold(1), 50);
        QCOMPARE(state.threshold(2), 70);
        QCOMPARE(state.hardwareVersion(), QStringLiteral("1.3.0.0"));
        QCOMPARE(state.clock().date(), QDate(2030, 2, 1));
        QCOMPARE(state.mode(1), MasterState::Mode::Playing);
        QCOMPARE(state.mode(3), MasterState::Mode::Playing);
        QCOMPARE(state.manual(3).keyCount, 0);
        QVERIFY(!state.isFineAdjusting());
        QCOMPARE(state.firmwareUpdateKeyboard(), 0);
    }

    // The service tool answers these words wherever they appear in what the master sends.
    void noAnswerContainsAPromptWord()
    {
        MasterState state;
        const QStringList lines = {"gua",    "gva",       "gv1",          "gv3",        "gsm",       "gss11",
                                   "gh",     "gd",        "smca",         "tb31",       "ts",        "smc3",
                                   "cm3",    "std3",      "smn3",         "smna",       "tab",       "tas",
                                   "sx105",  "ss110",     "tu1",          "td1",        "sv164",     "sco",
                                   "sn136",  "sh2.0.0.0", "sd05.12.26",   "sz14:07",    "mp+712",    "mp-",
                                   "fw1",    "sc1",       "fc1",          "df1",        "cfa",       "sf1l",
                                   "login:", "xlogin:",   "gv1password:", "password: ", "sx1login:", "q",
                                   "rm"};
        for (const QString &line : lines) {
            const QString answer = state.execute(line).text;
            QVERIFY2(!answer.contains("login:") && !answer.contains("password:"),
                     qPrintable(line + " -> " + answer));
        }
    }
};

QTEST_GUILESS_MAIN(TstMasterSimCommands)
#include "tst_mastersimcommands.moc"
