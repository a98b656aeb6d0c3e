// The command lines each click builds, read off the queue right after the
// click (no waiting for ticks): manual numbers read at the click, board ranges,
// start notes, two-digit values written back, the spread buttons, the clock
// lines and the direct path's echo.

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTime>

#include "commfixture.h"

using namespace commtest;

class TestCommVocabulary : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void twoDigitValue_data();
    void twoDigitValue();
    void queuedLines_data();
    void queuedLines();
    void directLines_data();
    void directLines();
    void keySettingsWriteTheTwoDigitValuesBack_data();
    void keySettingsWriteTheTwoDigitValuesBack();
    void spreadButtons_data();
    void spreadButtons();
    void boardRangeFollowsTheSelection();
    void clockLinesAreTwoTicksApartWithAPause();
    void togglesKeepTheirStateAcrossSelectionChanges();
    void clientLoginSignalsOnlyShowAStatus();
    void cleanupTestCase();

private:
    QStringList clickAndTakeQueued(const QStringList &steps);
    std::unique_ptr<CommSession> session;
};

void TestCommVocabulary::initTestCase()
{
    installGermanCatalogue();
    session = std::make_unique<CommSession>();
    QVERIFY2(session->start(), qPrintable(session->error()));
}

void TestCommVocabulary::cleanupTestCase()
{
    session.reset();
}

// The Send entries that the steps appended to the queue.
QStringList TestCommVocabulary::clickAndTakeQueued(const QStringList &steps)
{
    const int before = session->window()->pendingCommands().size();
    const QString problem = session->performAll(steps);
    if (!problem.isEmpty())
        return QStringList{QStringLiteral("ERROR: ") + problem};
    QStringList lines;
    const auto &queue = session->window()->pendingCommands();
    for (int i = before; i < queue.size(); ++i) {
        if (queue[i].kind != Send || queue[i].param != 0)
            lines.append(QStringLiteral("ERROR: entry of kind %1").arg(queue[i].kind));
        else
            lines.append(queue[i].text);
    }
    return lines;
}

void TestCommVocabulary::twoDigitValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::newRow("5") << "5"
                       << "05";
    QTest::newRow("0") << "0"
                       << "00";
    QTest::newRow("9") << "9"
                       << "09";
    QTest::newRow("10") << "10"
                        << "10";
    QTest::newRow("45") << "45"
                        << "45";
    QTest::newRow("99") << "99"
                        << "99";
    QTest::newRow("100") << "100"
                         << "99";
    QTest::newRow("150") << "150"
                         << "99";
    QTest::newRow("empty") << ""
                           << "0";
    QTest::newRow("007") << "007"
                         << "0007";
    QTest::newRow("050") << "050"
                         << "050";
    QTest::newRow("abc") << "abc"
                         << "0abc";
    QTest::newRow("-5 is no unsigned number") << "-5"
                                              << "0-5";
    QTest::newRow("digits beyond 64 bits") << "123456789012345678901234567890"
                                           << "99";
}

void TestCommVocabulary::twoDigitValue()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    QCOMPARE(MainWindow::twoDigitValue(text), value);
}

void TestCommVocabulary::queuedLines_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("lines");

    // Piano: every manual number is 1; only the setup start differs.
    QTest::newRow("piano: setup start") << QStringList{"select:8", "click:Setup_Start_Stop_btn"}
                                        << QStringList{"sf1l", "sf2s", "smca", "tb11"};
    QTest::newRow("piano: setup complete")
        << QStringList{"click:Setup_Start_Stop_btn"} << QStringList{"ts", "smna"};
    QTest::newRow("piano: store") << QStringList{"click:Konfiguration_speichern_btn"}
                                  << QStringList{"fw1", "sc1"};
    QTest::newRow("piano: calibration")
        << QStringList{"click:Kalibrieren_Start_Stop_btn", "click:Kalibrieren_Start_Stop_btn"}
        << QStringList{"smc1", "cm1", "gv1", "std1", "smn1", "gv1"};
    QTest::newRow("piano: settings") << QStringList{"text:Settings_edit_spreiz=20",
                                                    "text:Settings_edit_Entprellzeit=40",
                                                    "click:Settings_senden_btn"}
                                     << QStringList{"smn1", "ss120", "sx140"};
    QTest::newRow("piano: start note")
        << QStringList{"note:60", "click:Midi_startnote_setzen_btn"} << QStringList{"sn160"};
    QTest::newRow("piano: firmware board 8")
        << QStringList{"board:8", "click:Firmware_startstop_btn", "click:Firmware_startstop_btn"}
        << QStringList{"smca", "mp+18", "mp-"};
    QTest::newRow("piano: flash") << QStringList{"click:Write_Flash_configuration_btn",
                                                 "click:Clear_Flash_config_btn"}
                                  << QStringList{"fw1", "fc1"};

    QTest::newRow("Manual 3 setup") << QStringList{"select:2", "click:Setup_Start_Stop_btn",
                                                   "click:Setup_Start_Stop_btn"}
                                    << QStringList{"smca", "tb31", "ts", "smna"};
    QTest::newRow("Pedal 2 board 30")
        << QStringList{"select:7", "board:30", "click:Firmware_startstop_btn", "click:Firmware_startstop_btn"}
        << QStringList{"smca", "mp+830", "mp-"};
    QTest::newRow("Pedal 1 board 12")
        << QStringList{"select:6", "board:12", "click:Firmware_startstop_btn", "click:Firmware_startstop_btn"}
        << QStringList{"smca", "mp+712", "mp-"};
    QTest::newRow("Manual 3 board 2")
        << QStringList{"select:2", "board:2", "click:Firmware_startstop_btn", "click:Firmware_startstop_btn"}
        << QStringList{"smca", "mp+32", "mp-"};
    QTest::newRow("firmware stop after a change of board and keyboard")
        << QStringList{"select:0", "board:3",  "click:Firmware_startstop_btn",
                       "select:7", "board:29", "click:Firmware_startstop_btn"}
        << QStringList{"smca", "mp+13", "mp-"};
    QTest::newRow("Manual 1 note 36")
        << QStringList{"select:0", "note:36", "click:Midi_startnote_setzen_btn"} << QStringList{"sn136"};
    QTest::newRow("Manual 6 note 127")
        << QStringList{"select:5", "note:127", "click:Midi_startnote_setzen_btn"} << QStringList{"sn6127"};
    QTest::newRow("Manual 2 note 1") << QStringList{"select:1", "note:1", "click:Midi_startnote_setzen_btn"}
                                     << QStringList{"sn21"};
    QTest::newRow("hardware version, first entry")
        << QStringList{"hw:0", "click:Hw_version_master_write_btn"} << QStringList{"sh1.3.0.0"};
    QTest::newRow("hardware version, second entry")
        << QStringList{"hw:1", "click:Hw_version_master_write_btn"} << QStringList{"sh2.0.0.0"};
    QTest::newRow("Pedal 2 store") << QStringList{"select:7", "click:Konfiguration_speichern_btn"}
                                   << QStringList{"fw8", "sc8"};
    QTest::newRow("Manual 5 flash") << QStringList{"select:4", "click:Write_Flash_configuration_btn",
                                                   "click:Clear_Flash_config_btn",
                                                   "click:Clear_all_Flash_configs_btn"}
                                    << QStringList{"fw5", "fc5", "cfa"};
    QTest::newRow("fine adjustment carries no number")
        << QStringList{"select:6", "click:Leerreise_fein_startstop_btn", "click:Leerreise_fein_startstop_btn"}
        << QStringList{"smna", "tab", "tas"};
    QTest::newRow("threshold 40 in row 3")
        << QStringList{"text:Schwelle3_edit=40", "click:Schwelle3_set_btn"} << QStringList{"sv340"};
    QTest::newRow("empty threshold in row 1")
        << QStringList{"text:Schwelle1_edit=", "click:Schwelle1_set_btn"} << QStringList{"sv1"};
    QTest::newRow("threshold rows 2 to 8")
        << QStringList{"text:Schwelle2_edit=2",   "text:Schwelle4_edit=4",   "text:Schwelle5_edit=5",
                       "text:Schwelle6_edit=6",   "text:Schwelle7_edit=7",   "text:Schwelle8_edit=128",
                       "click:Schwelle8_set_btn", "click:Schwelle7_set_btn", "click:Schwelle6_set_btn",
                       "click:Schwelle5_set_btn", "click:Schwelle4_set_btn", "click:Schwelle2_set_btn"}
        << QStringList{"sv8128", "sv77", "sv66", "sv55", "sv44", "sv22"};
}

void TestCommVocabulary::queuedLines()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, lines);
    QCOMPARE(clickAndTakeQueued(steps), lines);
}

void TestCommVocabulary::directLines_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("line");
    QTest::newRow("values Pedal 2") << QStringList{"select:7", "click:Werte_ansehen_btn"} << "gv8";
    QTest::newRow("values Piano") << QStringList{"select:8", "click:Werte_ansehen_btn"} << "gv1";
    QTest::newRow("shorten Manual 4") << QStringList{"select:3", "click:Leerreise_minus_btn"} << "tu4";
    QTest::newRow("lengthen Manual 4") << QStringList{"select:3", "click:Leerreise_plus_btn"} << "td4";
    QTest::newRow("shorten Pedal 1") << QStringList{"select:6", "click:Leerreise_minus_btn"} << "tu7";
    QTest::newRow("lengthen Pedal 1") << QStringList{"select:6", "click:Leerreise_plus_btn"} << "td7";
    QTest::newRow("Orgel.cnf") << QStringList{"click:Qrgel_cnf_save_btn"} << "sco";
    QTest::newRow("all values") << QStringList{"click:Alle_Werte_anzeigen_btn"} << "gva";
    QTest::newRow("master software") << QStringList{"click:Sw_version_master_read_btn"} << "gsm";
    QTest::newRow("slave software ignores the selection")
        << QStringList{"select:7", "board:17", "click:Sw_version_slave_read_btn"} << "gss11";
    QTest::newRow("hardware read") << QStringList{"click:Hw_version_master_read_btn"} << "gh";
    QTest::newRow("date read") << QStringList{"click:Master_datum_lesen_btn"} << "gd";
    QTest::newRow("typed command") << QStringList{"text:lineEdit=gv3", "click:Senden_btn"} << "gv3";
    QTest::newRow("typed empty command") << QStringList{"text:lineEdit=", "click:Senden_btn"} << "";
}

void TestCommVocabulary::directLines()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, line);
    auto *display = session->widget<QTextEdit>("Display");
    const int pending = session->window()->pendingCommands().size();
    const QString problem = session->performAll(steps);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    // Echoed at once as the newest paragraph, nothing queued.
    QCOMPARE(display->document()->lastBlock().text(), line);
    QCOMPARE(session->window()->pendingCommands().size(), pending);
}

void TestCommVocabulary::keySettingsWriteTheTwoDigitValuesBack_data()
{
    QTest::addColumn<int>("keyboard");
    QTest::addColumn<QString>("spread");
    QTest::addColumn<QString>("debounce");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("spreadAfter");
    QTest::addColumn<QString>("debounceAfter");
    QTest::newRow("initial fields") << 0 << "0"
                                    << "50" << QStringList{"smn1", "ss100", "sx150"} << "00"
                                    << "50";
    QTest::newRow("debounce 5") << 0 << "45"
                                << "5" << QStringList{"smn1", "ss145", "sx105"} << "45"
                                << "05";
    QTest::newRow("spread 150, debounce 120") << 0 << "150"
                                              << "120" << QStringList{"smn1", "ss199", "sx199"} << "99"
                                              << "99";
    QTest::newRow("spread 100 from the buttons' top") << 1 << "100"
                                                      << "30" << QStringList{"smn2", "ss299", "sx230"} << "99"
                                                      << "30";
    QTest::newRow("empty fields") << 0 << ""
                                  << "" << QStringList{"smn1", "ss10", "sx10"} << "0"
                                  << "0";
    QTest::newRow("007 and 7") << 0 << "007"
                               << "7" << QStringList{"smn1", "ss10007", "sx107"} << "0007"
                               << "07";
    QTest::newRow("no numbers") << 0 << "abc"
                                << "x" << QStringList{"smn1", "ss10abc", "sx10x"} << "0abc"
                                << "0x";
    QTest::newRow("Pedal 2, 45 and 30") << 7 << "45"
                                        << "30" << QStringList{"smn8", "ss845", "sx830"} << "45"
                                        << "30";
    QTest::newRow("already two digits stay") << 4 << "05"
                                             << "07" << QStringList{"smn5", "ss5005", "sx5007"} << "005"
                                             << "007";
}

void TestCommVocabulary::keySettingsWriteTheTwoDigitValuesBack()
{
    QFETCH(int, keyboard);
    QFETCH(QString, spread);
    QFETCH(QString, debounce);
    QFETCH(QStringList, lines);
    QFETCH(QString, spreadAfter);
    QFETCH(QString, debounceAfter);
    session->selectKeyboard(keyboard);
    session->widget<QLineEdit>("Settings_edit_spreiz")->setText(spread);
    session->widget<QLineEdit>("Settings_edit_Entprellzeit")->setText(debounce);
    QCOMPARE(clickAndTakeQueued({"click:Settings_senden_btn"}), lines);
    QCOMPARE(session->widget<QLineEdit>("Settings_edit_spreiz")->text(), spreadAfter);
    QCOMPARE(session->widget<QLineEdit>("Settings_edit_Entprellzeit")->text(), debounceAfter);
}

void TestCommVocabulary::spreadButtons_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("after");
    QTest::newRow("3 down") << "3"
                            << "Settings_spreizm_btn"
                            << "0";
    QTest::newRow("0 down") << "0"
                            << "Settings_spreizm_btn"
                            << "0";
    QTest::newRow("50 down") << "50"
                             << "Settings_spreizm_btn"
                             << "45";
    QTest::newRow("no number down") << "abc"
                                    << "Settings_spreizm_btn"
                                    << "0";
    QTest::newRow("no number up") << "abc"
                                  << "Settings_spreizp_btn"
                                  << "5";
    QTest::newRow("0 up") << "0"
                          << "Settings_spreizp_btn"
                          << "5";
    QTest::newRow("98 up") << "98"
                           << "Settings_spreizp_btn"
                           << "100";
    QTest::newRow("100 up") << "100"
                            << "Settings_spreizp_btn"
                            << "100";
    QTest::newRow("150 down") << "150"
                              << "Settings_spreizm_btn"
                              << "145";
    QTest::newRow("-20 up stays below zero") << "-20"
                                             << "Settings_spreizp_btn"
                                             << "-15";
    QTest::newRow("-20 down") << "-20"
                              << "Settings_spreizm_btn"
                              << "0";
    QTest::newRow("07 up") << "07"
                           << "Settings_spreizp_btn"
                           << "12";
    QTest::newRow("largest int up") << "2147483647"
                                    << "Settings_spreizp_btn"
                                    << "100";
    QTest::newRow("smallest int down") << "-2147483648"
                                       << "Settings_spreizm_btn"
                                       << "0";
}

void TestCommVocabulary::spreadButtons()
{
    QFETCH(QString, before);
    QFETCH(QString, button);
    QFETCH(QString, after);
    auto *field = session->widget<QLineEdit>("Settings_edit_spreiz");
    field->setText(before);
    const int pending = session->window()->pendingCommands().size();
    QVERIFY(session->perform(QStringLiteral("click:") + button).isEmpty());
    QCOMPARE(field->text(), after);
    QCOMPARE(session->window()->pendingCommands().size(), pending);
}

void TestCommVocabulary::boardRangeFollowsTheSelection()
{
    auto *board = session->widget<QSpinBox>("Boardnr_select_box");
    session->selectKeyboard(6);
    QCOMPARE(board->maximum(), 30);
    QCOMPARE(board->value(), 1);
    board->setValue(30);
    QCOMPARE(clickAndTakeQueued({"click:Firmware_startstop_btn", "click:Firmware_startstop_btn"}),
             (QStringList{"smca", "mp+730", "mp-"}));
    session->selectKeyboard(8);
    QVERIFY(session->window()->isPianoSelected());
    QCOMPARE(board->maximum(), 8);
    QCOMPARE(board->value(), 1);
    board->setValue(30); // clamped by the range of a manual
    QCOMPARE(clickAndTakeQueued({"click:Firmware_startstop_btn", "click:Firmware_startstop_btn"}),
             (QStringList{"smca", "mp+18", "mp-"}));
    session->selectKeyboard(2);
    QVERIFY(!session->window()->isPianoSelected());
    QCOMPARE(session->window()->currentManualIndex(), 2);
    QCOMPARE(board->maximum(), 8);
}

void TestCommVocabulary::clockLinesAreTwoTicksApartWithAPause()
{
    const int before = session->window()->pendingCommands().size();
    const QString dateBefore = QDate::currentDate().toString(QStringLiteral("dd.MM.yy"));
    const QString timeBefore = QTime::currentTime().toString(QStringLiteral("hh:mm"));
    QVERIFY(session->perform("click:Master_datum_setzen_btn").isEmpty());
    const QString dateAfter = QDate::currentDate().toString(QStringLiteral("dd.MM.yy"));
    const QString timeAfter = QTime::currentTime().toString(QStringLiteral("hh:mm"));

    const auto &queue = session->window()->pendingCommands();
    QCOMPARE(queue.size() - before, 3);
    const CommandEntry date = queue[before], pause = queue[before + 1], time = queue[before + 2];
    QCOMPARE(date.kind, int(Send));
    QVERIFY2(date.text == "sd" + dateBefore || date.text == "sd" + dateAfter, qPrintable(date.text));
    QCOMPARE(pause.kind, 5);
    QCOMPARE(pause.text, QString());
    QCOMPARE(pause.param, 0);
    QCOMPARE(time.kind, int(Send));
    QVERIFY2(time.text == "sz" + timeBefore || time.text == "sz" + timeAfter, qPrintable(time.text));
    QVERIFY(QRegularExpression(QStringLiteral("^sd\\d\\d\\.\\d\\d\\.\\d\\d$")).match(date.text).hasMatch());
    QVERIFY(QRegularExpression(QStringLiteral("^sz([01]\\d|2[0-3]):[0-5]\\d$")).match(time.text).hasMatch());
}

void TestCommVocabulary::togglesKeepTheirStateAcrossSelectionChanges()
{
    // Each toggle flips on its own click only; selection changes leave it.
    QCOMPARE(clickAndTakeQueued({"select:0", "click:Setup_Start_Stop_btn", "select:5", "select:8"}),
             (QStringList{"smca", "tb11"}));
    QVERIFY(session->perform("caption:Setup_Start_Stop_btn=Einrichtung beenden").isEmpty());
    QCOMPARE(clickAndTakeQueued({"click:Setup_Start_Stop_btn"}), (QStringList{"ts", "smna"}));
    QVERIFY(session->perform("caption:Setup_Start_Stop_btn=Neues Manual einrichten").isEmpty());
    QCOMPARE(clickAndTakeQueued({"select:1", "click:Kalibrieren_Start_Stop_btn", "select:7",
                                 "click:Kalibrieren_Start_Stop_btn"}),
             (QStringList{"smc2", "cm2", "gv8", "std8", "smn8", "gv8"}));
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

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestCommVocabulary test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_commvocabulary.moc"
