// The command lines each click builds, read off the queue right after the click (no waiting for
// ticks): manual numbers read at the click, board ranges and start notes, two-digit values
// written back, the spread buttons, the direct path's echo.

#include <QApplication>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "commfixture.h"

using namespace commtest;

class TestCommVocabulary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void queuedLines_data();
    void queuedLines();
    void keySettingsWriteTheTwoDigitValuesBack_data();
    void keySettingsWriteTheTwoDigitValuesBack();
    void spreadButtons_data();
    void spreadButtons();
    void boardRangeFollowsTheSelection();
    void clientLoginSignalsOnlyShowAStatus();
    void cleanupTestCase() { session.reset(); }

private:
    QStringList clickAndTake(const QStringList &steps);
    std::unique_ptr<CommSession> session;
};

void TestCommVocabulary::initTestCase()
{
    installGermanCatalogue();
    session = std::make_unique<CommSession>();
    QVERIFY2(session->start(), qPrintable(session->error));
}

// What the steps sent at once (">" and the line, from the echo in the terminal pane) and the
// lines of the Send entries they appended to the queue.
QStringList TestCommVocabulary::clickAndTake(const QStringList &steps)
{
    QTextDocument *pane = session->widget<QTextEdit>("Display")->document();
    const int blocks = pane->blockCount();
    const int before = session->window()->pendingCommands().size();
    const QString problem = session->perform(steps);
    if (!problem.isEmpty())
        return {QStringLiteral("ERROR: ") + problem};
    QStringList lines;
    for (QTextBlock b = pane->findBlockByNumber(blocks); b.isValid(); b = b.next())
        lines << QStringLiteral(">") + b.text();
    const auto &queue = session->window()->pendingCommands();
    for (int i = before; i < queue.size(); ++i)
        lines << (queue[i].kind == Send && queue[i].param == 0
                      ? queue[i].text
                      : QStringLiteral("KIND %1").arg(queue[i].kind));
    return lines;
}

void TestCommVocabulary::queuedLines_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("lines");
    const auto row = [](const char *name, const QStringList &steps, const QStringList &lines) {
        QTest::newRow(name) << steps << lines;
    };
    // Piano: every manual number is 1; only the setup start differs.
    row("piano setup", {"select:8", "click:Setup_Start_Stop_btn", "click:Setup_Start_Stop_btn"},
        {"sf1l", "sf2s", "smca", "tb11", "ts", "smna"});
    row("piano store, flash", {"click:Konfiguration_speichern_btn", "click:Write_Flash_configuration_btn"},
        {"fw1", "sc1", "fw1"});
    row("piano calibration", {"click:Kalibrieren_Start_Stop_btn", "click:Kalibrieren_Start_Stop_btn"},
        {"smc1", "cm1", "gv1", "std1", "smn1", "gv1"});
    row("piano settings",
        {"set:Settings_edit_spreiz=20", "set:Settings_edit_Entprellzeit=40", "click:Settings_senden_btn"},
        {"smn1", "ss120", "sx140"});
    row("piano note 60", {"set:Startnote_select_box=60", "click:Midi_startnote_setzen_btn"}, {"sn160"});
    row("piano board 8",
        {"set:Boardnr_select_box=8", "click:Firmware_startstop_btn", "click:Firmware_startstop_btn"},
        {"smca", "mp+18", "mp-"});
    row("Pedal 2 board 30",
        {"select:7", "set:Boardnr_select_box=30", "click:Firmware_startstop_btn",
         "click:Firmware_startstop_btn"},
        {"smca", "mp+830", "mp-"});
    row("Manual 3 board 2",
        {"select:2", "set:Boardnr_select_box=2", "click:Firmware_startstop_btn",
         "click:Firmware_startstop_btn"},
        {"smca", "mp+32", "mp-"});
    row("firmware stop after a change of board and keyboard",
        {"select:0", "set:Boardnr_select_box=3", "click:Firmware_startstop_btn", "select:7",
         "set:Boardnr_select_box=29", "click:Firmware_startstop_btn"},
        {"smca", "mp+13", "mp-"});
    row("Manual 6 note 127", {"select:5", "set:Startnote_select_box=127", "click:Midi_startnote_setzen_btn"},
        {"sn6127"});
    row("Manual 2 note 1", {"select:1", "set:Startnote_select_box=1", "click:Midi_startnote_setzen_btn"},
        {"sn21"});
    row("hardware version, first entry", {"set:Hw_version_select_box=0", "click:Hw_version_master_write_btn"},
        {"sh1.3.0.0"});
    row("Manual 5 flash", {"select:4", "click:Clear_Flash_config_btn", "click:Konfiguration_speichern_btn"},
        {"fc5", "fw5", "sc5"});
    row("thresholds: empty, 128, 8 rows",
        {"set:Schwelle1_edit=", "set:Schwelle8_edit=128", "set:Schwelle2_edit=2", "click:Schwelle1_set_btn",
         "click:Schwelle8_set_btn", "click:Schwelle2_set_btn"},
        {"sv1", "sv8128", "sv22"});
    // Direct lines: echoed at once, nothing queued.
    row("values Pedal 2, Piano",
        {"select:7", "click:Werte_ansehen_btn", "select:8", "click:Werte_ansehen_btn"}, {">gv8", ">gv1"});
    row("pre-travel Pedal 1", {"select:6", "click:Leerreise_minus_btn", "click:Leerreise_plus_btn"},
        {">tu7", ">td7"});
    row("slave software ignores the selection",
        {"select:7", "set:Boardnr_select_box=17", "click:Sw_version_slave_read_btn"}, {">gss11"});
    row("typed commands", {"set:lineEdit=gv3", "click:Senden_btn", "set:lineEdit=", "click:Senden_btn"},
        {">gv3", ">"});
    // Each toggle flips on its own click only; selection changes in between leave it.
    row("toggles across selection changes",
        {"select:0", "click:Setup_Start_Stop_btn", "select:5", "click:Setup_Start_Stop_btn", "select:1",
         "click:Kalibrieren_Start_Stop_btn", "select:7", "click:Kalibrieren_Start_Stop_btn"},
        {"smca", "tb11", "ts", "smna", "smc2", "cm2", "gv8", "std8", "smn8", "gv8"});
}

void TestCommVocabulary::queuedLines()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, lines);
    QCOMPARE(clickAndTake(steps), lines);
}

void TestCommVocabulary::keySettingsWriteTheTwoDigitValuesBack_data()
{
    QTest::addColumn<int>("keyboard");
    QTest::addColumn<QString>("spread");
    QTest::addColumn<QString>("debounce");
    QTest::addColumn<QStringList>("lines");
    const auto row = [](const char *name, int keyboard, const char *spread, const char *debounce,
                        const QStringList &lines) {
        QTest::newRow(name) << keyboard << QString::fromLatin1(spread) << QString::fromLatin1(debounce)
                            << lines;
    };
    // The fields afterwards read the values after the keyboard number in the lines.
    row("0 and 50", 0, "0", "50", {"smn1", "ss100", "sx150"});
    row("45 and 5", 0, "45", "5", {"smn1", "ss145", "sx105"});
    row("150 and 100", 1, "150", "100", {"smn2", "ss299", "sx299"});
    row("empty", 0, "", "", {"smn1", "ss10", "sx10"});
    row("007 and 09", 0, "007", "9", {"smn1", "ss10007", "sx109"});
    row("no numbers", 7, "abc", "-5", {"smn8", "ss80abc", "sx80-5"});
    row("two digits get a zero", 4, "05", "10", {"smn5", "ss5005", "sx510"});
    row("beyond 64 bits", 0, "123456789012345678901234567890", "99", {"smn1", "ss199", "sx199"});
}

void TestCommVocabulary::keySettingsWriteTheTwoDigitValuesBack()
{
    QFETCH(int, keyboard);
    QFETCH(QString, spread);
    QFETCH(QString, debounce);
    QFETCH(QStringList, lines);
    QVERIFY(session
                ->perform({"select:" + QString::number(keyboard), "set:Settings_edit_spreiz=" + spread,
                           "set:Settings_edit_Entprellzeit=" + debounce})
                .isEmpty());
    QCOMPARE(clickAndTake({"click:Settings_senden_btn"}), lines);
    QCOMPARE(session->widget<QLineEdit>("Settings_edit_spreiz")->text(), lines[1].mid(3));
    QCOMPARE(session->widget<QLineEdit>("Settings_edit_Entprellzeit")->text(), lines[2].mid(3));
}

void TestCommVocabulary::spreadButtons_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QString>("after");
    const auto row = [](const char *before, bool up, const char *after) {
        QTest::addRow("%s %s", before, up ? "up" : "down")
            << QString::fromLatin1(before) << up << QString::fromLatin1(after);
    };
    row("3", false, "0");
    row("50", false, "45");
    row("abc", true, "5");
    row("98", true, "100");
    row("150", false, "145");
    row("-20", true, "-15");
    row("07", true, "12");
    row("2147483647", true, "100");
}

void TestCommVocabulary::spreadButtons()
{
    QFETCH(QString, before);
    QFETCH(bool, up);
    QFETCH(QString, after);
    auto *field = session->widget<QLineEdit>("Settings_edit_spreiz");
    field->setText(before);
    const int pending = session->window()->pendingCommands().size();
    QVERIFY(session->perform({up ? "click:Settings_spreizp_btn" : "click:Settings_spreizm_btn"}).isEmpty());
    QCOMPARE(field->text(), after);
    QCOMPARE(session->window()->pendingCommands().size(), pending);
}

void TestCommVocabulary::boardRangeFollowsTheSelection()
{
    auto *board = session->widget<QSpinBox>("Boardnr_select_box");
    QVERIFY(session->perform({"select:6", "set:Boardnr_select_box=30"}).isEmpty());
    QCOMPARE(board->maximum(), 30);
    QVERIFY(session->perform({"select:8"}).isEmpty());
    QVERIFY(session->window()->isPianoSelected());
    QCOMPARE(board->maximum(), 8);
    QCOMPARE(board->value(), 1);
    board->setValue(30); // clamped by the range of a manual
    QCOMPARE(clickAndTake({"click:Firmware_startstop_btn", "click:Firmware_startstop_btn"}),
             (QStringList{"smca", "mp+18", "mp-"}));
    QVERIFY(session->perform({"select:2"}).isEmpty());
    QVERIFY(!session->window()->isPianoSelected());
    QCOMPARE(session->window()->currentManualIndex(), 2);
    QCOMPARE(board->maximum(), 8);
}

void TestCommVocabulary::clientLoginSignalsOnlyShowAStatus()
{
    // The client never raises them with this set-up; the slots stay connected.
    MainWindow *w = session->window();
    const int pending = w->pendingCommands().size();
    emit w->telnetClient().loggedIn();
    QCOMPARE(w->statusBar()->currentMessage(), QStringLiteral("Logged in"));
    QCOMPARE(w->statusBar()->styleSheet(), QStringLiteral("color: black"));
    emit w->telnetClient().loginFailed();
    QCOMPARE(w->statusBar()->currentMessage(), QStringLiteral("Login failed"));
    QCOMPARE(w->pendingCommands().size(), pending);
    QVERIFY(w->isEnabled());
}

QTEST_MAIN(TestCommVocabulary)

#include "tst_commvocabulary.moc"
