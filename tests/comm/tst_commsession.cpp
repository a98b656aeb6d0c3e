// The main window logged in to the simulator: login, every workflow's lines
// with their order and pace as they arrive, the direct path, the queue's entry
// kinds, disconnecting, reconnecting and the master reset.

#include <QApplication>
#include <QDate>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTime>

#include "commfixture.h"

using namespace commtest;

namespace {

const QString kPause = QStringLiteral("<pause>");

QString countdownText(int seconds)
{
    return QStringLiteral("getting online in %1 seconds").arg(seconds);
}

// Paragraphs of the terminal pane, in order.
QStringList paragraphs(QTextEdit *display)
{
    QStringList list;
    for (QTextBlock b = display->document()->begin(); b.isValid(); b = b.next())
        list.append(b.text());
    return list;
}

// Index of each wanted paragraph, searched in order; -1 where one is missing.
QList<int> findInOrder(const QStringList &haystack, const QStringList &wanted, int from = 0)
{
    QList<int> found;
    int at = from;
    for (const QString &w : wanted) {
        at = haystack.indexOf(w, at);
        found.append(at);
        if (at < 0)
            break;
        ++at;
    }
    return found;
}

} // namespace

class TestCommSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loginAnswersThePromptsAndGoesOnline();
    void windowStaysDisabledUntilThePasswordPromptIsAnswered();
    void workflowLinesArriveInOrderOneTickApart_data();
    void workflowLinesArriveInOrderOneTickApart();
    void directLinesOvertakeQueuedOnes();
    void statusPauseAndIntervalEntries();
    void clearTerminalEmptiesOnlyThePane();
    void trennenDisconnectsAndTheSecondClickReconnects();
    void masterClosingAfterLoginLeavesTheWindowUsable();
    void deleteManualFileDeclinedDoesNothing();
    void deleteManualFileConfirmedResetsAndLogsInAgain();
    void resetMasterQueuesRestartCountdownAndReconnect();
    void cleanupTestCase();

private:
    void expectQueueTail(int from, const QList<CommandEntry> &expected);
    std::unique_ptr<CommSession> session;
    MessageBoxCloser *closer = nullptr;
};

void TestCommSession::initTestCase()
{
    installGermanCatalogue();
    closer = new MessageBoxCloser(QMessageBox::No, this);
    session = std::make_unique<CommSession>();
    LoginAnswer answer;
    answer.presetIndex = 0; // "Windows auto"
    QVERIFY2(session->start(answer), qPrintable(session->error()));
}

void TestCommSession::cleanupTestCase()
{
    session.reset();
}

void TestCommSession::expectQueueTail(int from, const QList<CommandEntry> &expected)
{
    const QList<CommandEntry> &queue = session->window()->pendingCommands();
    QCOMPARE(queue.size() - from, expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const CommandEntry &got = queue.at(from + i);
        QVERIFY2(got.text == expected[i].text && got.kind == expected[i].kind &&
                     got.param == expected[i].param,
                 qPrintable(QStringLiteral("entry %1: got (\"%2\", %3, %4), expected (\"%5\", %6, %7)")
                                .arg(i)
                                .arg(got.text)
                                .arg(got.kind)
                                .arg(got.param)
                                .arg(expected[i].text)
                                .arg(expected[i].kind)
                                .arg(expected[i].param)));
    }
}

void TestCommSession::loginAnswersThePromptsAndGoesOnline()
{
    // Status: the attempt with the host run together, then "online" in green.
    QCOMPARE(session->statusAfterConstruction, QStringLiteral("TryingIP:169.254.100.100"));
    int onlineAt = -1;
    for (const auto &change : session->statusChanges)
        if (change.second == QLatin1String("online"))
            onlineAt = int(change.first);
    QVERIFY(onlineAt >= 0);
    QCOMPARE(session->statusBar()->styleSheet(), QStringLiteral("color: green"));

    // "gua" is the first line after login, one tick behind "online".
    const auto lines = session->sim().receivedLines();
    QVERIFY(!lines.isEmpty());
    QCOMPARE(lines.first().text, QStringLiteral("gua"));
    const qint64 guaAt = session->startedAt().msecsTo(lines.first().time);
    QVERIFY2(qAbs(guaAt - onlineAt - 1000) <= paceToleranceMs(),
             qPrintable(QStringLiteral("online at %1 ms, gua at %2 ms").arg(onlineAt).arg(guaAt)));

    // The credentials are echoed in clear in the terminal pane, each as its own
    // paragraph with the line end that was sent.
    auto *display = session->widget<QTextEdit>("Display");
    const QString text = display->toPlainText();
    QVERIFY(text.contains(QStringLiteral("login:")));
    QVERIFY(text.contains(QStringLiteral("password:")));
    QVERIFY(text.contains(QStringLiteral("tastarello")));
    QVERIFY(text.contains(QStringLiteral("kantor")));
    QVERIFY(paragraphs(display).contains(QStringLiteral("gua")));
    QVERIFY(session->sim().isLoggedIn());
    QCOMPARE(session->window()->currentLoginData().host, QStringLiteral("169.254.100.100"));
}

void TestCommSession::windowStaysDisabledUntilThePasswordPromptIsAnswered()
{
    int passwordAt = -1;
    for (int i = 0; i < session->messages.size(); ++i) {
        if (session->messages[i].text.contains(QLatin1String("password:"))) {
            passwordAt = i;
            break;
        }
    }
    QVERIFY2(passwordAt > 0, "expected a login prompt before the password prompt");
    for (int i = 0; i < passwordAt; ++i)
        QVERIFY2(!session->messages[i].windowEnabled,
                 qPrintable(QStringLiteral("enabled after \"%1\"").arg(session->messages[i].text)));
    QVERIFY(session->messages[passwordAt].windowEnabled);
    QVERIFY(session->window()->isEnabled());
}

void TestCommSession::workflowLinesArriveInOrderOneTickApart_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected"); // kPause: a tick without a line

    QTest::newRow("setup Manual 3, start and complete")
        << QStringList{"select:2", "click:Setup_Start_Stop_btn",
                       "caption:Setup_Start_Stop_btn=Einrichtung beenden", "click:Setup_Start_Stop_btn",
                       "caption:Setup_Start_Stop_btn=Neues Manual einrichten"}
        << QStringList{"smca", "tb31", "ts", "smna"};
    QTest::newRow("setup Piano, completed with Pedal 2 selected")
        << QStringList{"select:8", "click:Setup_Start_Stop_btn", "select:7", "click:Setup_Start_Stop_btn"}
        << QStringList{"sf1l", "sf2s", "smca", "tb11", "ts", "smna"};
    QTest::newRow("calibration Manual 2")
        << QStringList{"select:1", "click:Kalibrieren_Start_Stop_btn",
                       "caption:Kalibrieren_Start_Stop_btn=Stop", "click:Kalibrieren_Start_Stop_btn",
                       "caption:Kalibrieren_Start_Stop_btn=Start"}
        << QStringList{"smc2", "cm2", "gv2", "std2", "smn2", "gv2"};
    QTest::newRow("calibration started on Pedal 1, stopped on Manual 1")
        << QStringList{"select:6", "click:Kalibrieren_Start_Stop_btn", "select:0",
                       "click:Kalibrieren_Start_Stop_btn"}
        << QStringList{"smc7", "cm7", "gv1", "std1", "smn1", "gv1"};
    QTest::newRow("store configuration Pedal 2")
        << QStringList{"select:7", "click:Konfiguration_speichern_btn"} << QStringList{"fw8", "sc8"};
    QTest::newRow("key settings, initial fields, Manual 1")
        << QStringList{"select:0",
                       "text:Settings_edit_spreiz=0",
                       "text:Settings_edit_Entprellzeit=50",
                       "click:Settings_senden_btn",
                       "field:Settings_edit_spreiz=00",
                       "field:Settings_edit_Entprellzeit=50"}
        << QStringList{"smn1", "ss100", "sx150"};
    QTest::newRow("key settings Pedal 2")
        << QStringList{"select:7", "text:Settings_edit_spreiz=45", "text:Settings_edit_Entprellzeit=30",
                       "click:Settings_senden_btn"}
        << QStringList{"smn8", "ss845", "sx830"};
    QTest::newRow("fine pre-travel on Pedal 1")
        << QStringList{"select:6", "click:Leerreise_fein_startstop_btn",
                       "caption:Leerreise_fein_startstop_btn=Stop", "click:Leerreise_fein_startstop_btn",
                       "caption:Leerreise_fein_startstop_btn=Start"}
        << QStringList{"smna", "tab", "tas"};
    QTest::newRow("coupler thresholds as typed")
        << QStringList{"text:Schwelle1_edit=",    "text:Schwelle2_edit=127", "text:Schwelle3_edit=40",
                       "text:Schwelle4_edit=0",   "text:Schwelle5_edit=200", "text:Schwelle6_edit=x",
                       "text:Schwelle7_edit= 7",  "text:Schwelle8_edit=-1",  "click:Schwelle1_set_btn",
                       "click:Schwelle2_set_btn", "click:Schwelle3_set_btn", "click:Schwelle4_set_btn",
                       "click:Schwelle5_set_btn", "click:Schwelle6_set_btn", "click:Schwelle7_set_btn",
                       "click:Schwelle8_set_btn", "field:Schwelle7_edit= 7"}
        << QStringList{"sv1", "sv2127", "sv340", "sv40", "sv5200", "sv6x", "sv7 7", "sv8-1"};
    QTest::newRow("hardware version and start note")
        << QStringList{"hw:1", "click:Hw_version_master_write_btn", "select:1", "note:36",
                       "click:Midi_startnote_setzen_btn"}
        << QStringList{"sh2.0.0.0", "sn236"};
    QTest::newRow("master clock: date, pause, time")
        << QStringList{"click:Master_datum_setzen_btn"} << QStringList{"sd$DATE", kPause, "sz$TIME"};
    QTest::newRow("firmware update Pedal 1 board 12") << QStringList{"select:6",
                                                                     "board:12",
                                                                     "click:Firmware_startstop_btn",
                                                                     "caption:Firmware_startstop_btn=Stop",
                                                                     "select:0",
                                                                     "click:Firmware_startstop_btn",
                                                                     "caption:Firmware_startstop_btn=Start"}
                                                      << QStringList{"smca", "mp+712", "mp-"};
    QTest::newRow("flash functions Manual 4")
        << QStringList{"select:3", "click:Write_Flash_configuration_btn", "click:Clear_Flash_config_btn",
                       "click:Clear_all_Flash_configs_btn"}
        << QStringList{"fw4", "fc4", "cfa"};
}

void TestCommSession::workflowLinesArriveInOrderOneTickApart()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);

    QVERIFY(session->drainAndClear());

    const QString dateBefore = QDate::currentDate().toString(QStringLiteral("dd.MM.yy"));
    const QString timeBefore = QTime::currentTime().toString(QStringLiteral("hh:mm"));
    const QString problem = session->performAll(steps);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    const QString dateAfter = QDate::currentDate().toString(QStringLiteral("dd.MM.yy"));
    const QString timeAfter = QTime::currentTime().toString(QStringLiteral("hh:mm"));

    // All entries of the clicks are queued at once, pauses included.
    QCOMPARE(session->window()->pendingCommands().size(), expected.size());

    QStringList lines;
    QList<int> ticks;
    for (int i = 0; i < expected.size(); ++i) {
        if (expected[i] == kPause)
            continue;
        lines.append(expected[i]);
        ticks.append(i);
    }
    QVERIFY(session->waitForReceived(lines.size(), expected.size() * 1000 + 3000));
    QVERIFY(session->waitForQueueEmpty(2000));
    QTest::qWait(150); // a stray extra line would have arrived by now

    const auto received = session->sim().receivedLines();
    QStringList texts;
    for (const auto &r : received)
        texts.append(r.text);
    QCOMPARE(texts.size(), lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].contains(QLatin1String("$DATE"))) {
            QVERIFY2(texts[i] == QString(lines[i]).replace("$DATE", dateBefore) ||
                         texts[i] == QString(lines[i]).replace("$DATE", dateAfter),
                     qPrintable(texts[i]));
        } else if (lines[i].contains(QLatin1String("$TIME"))) {
            QVERIFY2(texts[i] == QString(lines[i]).replace("$TIME", timeBefore) ||
                         texts[i] == QString(lines[i]).replace("$TIME", timeAfter),
                     qPrintable(texts[i]));
        } else {
            QCOMPARE(texts[i], lines[i]);
        }
    }

    const QList<qint64> gaps = gapsMs(received);
    for (int i = 0; i < gaps.size(); ++i) {
        const qint64 want = qint64(ticks[i + 1] - ticks[i]) * MainWindow::kCommandIntervalMs;
        QVERIFY2(qAbs(gaps[i] - want) <= paceToleranceMs(),
                 qPrintable(QStringLiteral("%1 -> %2: %3 ms, expected %4 ms")
                                .arg(texts[i], texts[i + 1])
                                .arg(gaps[i])
                                .arg(want)));
    }
}

void TestCommSession::directLinesOvertakeQueuedOnes()
{
    QVERIFY(session->drainAndClear());
    auto *display = session->widget<QTextEdit>("Display");
    auto *lineEdit = session->widget<QLineEdit>("lineEdit");
    display->clear();

    const QStringList queuedSteps{"select:3", "text:Schwelle1_edit=11", "text:Schwelle2_edit=22",
                                  "click:Schwelle1_set_btn", "click:Schwelle2_set_btn"};
    QString problem = session->performAll(queuedSteps);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));

    const QStringList directSteps{"click:Werte_ansehen_btn",         "click:Leerreise_minus_btn",
                                  "click:Leerreise_plus_btn",        "click:Qrgel_cnf_save_btn",
                                  "click:Alle_Werte_anzeigen_btn",   "click:Sw_version_master_read_btn",
                                  "click:Sw_version_slave_read_btn", "click:Hw_version_master_read_btn",
                                  "click:Master_datum_lesen_btn"};
    problem = session->performAll(directSteps);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    // The command line: typed text through the button and through Return.
    QTest::keyClicks(lineEdit, QStringLiteral("gsm"));
    QVERIFY(session->perform("click:Senden_btn").isEmpty());
    QTest::keyClick(lineEdit, Qt::Key_Return);
    QCOMPARE(lineEdit->text(), QStringLiteral("gsm"));

    const QStringList direct{"gv4", "tu4", "td4", "sco", "gva", "gsm", "gss11", "gh", "gd", "gsm", "gsm"};
    const QStringList queued{"sv111", "sv222"};
    // Direct lines are echoed at once, before any tick.
    QCOMPARE(paragraphs(display).mid(0, direct.size()), direct);
    QCOMPARE(session->window()->pendingCommands().size(), queued.size());

    QVERIFY(session->waitForReceived(direct.size() + queued.size(), 5000));
    QCOMPARE(session->receivedTexts(), direct + queued);
    const auto received = session->sim().receivedLines();
    // The direct lines went out together, well before the first tick's line.
    QVERIFY(received.at(0).time.msecsTo(received.at(direct.size() - 1).time) < 500);

    // In the terminal pane the queued echoes stand behind the direct ones.
    const QList<int> at = findInOrder(paragraphs(display), direct + queued);
    QVERIFY2(!at.contains(-1), qPrintable(paragraphs(display).join(QStringLiteral(" | "))));
}

void TestCommSession::statusPauseAndIntervalEntries()
{
    QVERIFY(session->drainAndClear());
    auto *display = session->widget<QTextEdit>("Display");
    MainWindow *w = session->window();

    // Kinds outside 0..4 and a status entry each use up a tick and send nothing.
    w->queueCommand(QStringLiteral("gh"), Send, 0);
    w->queueCommand(QStringLiteral("never sent"), -1, 0);
    w->queueCommand(QStringLiteral("never sent"), 9, 0);
    w->queueCommand(QStringLiteral("colour two"), Status, Green);
    w->queueCommand(QString(), Pause, 0);
    w->queueCommand(QStringLiteral("gd"), Send, 0);
    QVERIFY(session->waitForStatus(QStringLiteral("colour two"), 6000));
    QCOMPARE(session->statusBar()->styleSheet(), QStringLiteral("color: green"));
    QVERIFY(session->waitForReceived(2, 4000));
    auto received = session->sim().receivedLines();
    QCOMPARE(session->receivedTexts(), (QStringList{"gh", "gd"}));
    QVERIFY(qAbs(gapsMs(received).first() - 5000) <= paceToleranceMs());
    QVERIFY(!display->toPlainText().contains(QStringLiteral("never sent")));
    QVERIFY(!display->toPlainText().contains(QStringLiteral("colour two")));

    // A new pace holds from the entry on; text that is no number gives 0.
    session->sim().clearReceivedLines();
    w->queueCommand(QStringLiteral("250"), SetInterval, 0);
    w->queueCommand(QStringLiteral("gsm"), Send, 0);
    w->queueCommand(QStringLiteral("gh"), Send, 0);
    w->queueCommand(QStringLiteral("x7"), SetInterval, 0);
    // A negative interval would stop the timer and with it the queue: 0 too.
    w->queueCommand(QStringLiteral("-250"), SetInterval, 0);
    QVERIFY(session->waitForReceived(2, 4000));
    QVERIFY(session->waitForQueueEmpty(2000));
    QCOMPARE(w->commandTimerObject()->interval(), 0);
    w->queueCommand(QString::number(MainWindow::kCommandIntervalMs), SetInterval, 0);
    QVERIFY(QTest::qWaitFor([&] { return w->commandTimerObject()->interval() == 1000; }, 1000));
    received = session->sim().receivedLines();
    QVERIFY2(qAbs(gapsMs(received).first() - 250) <= 150,
             qPrintable(QString::number(gapsMs(received).first())));
    QVERIFY(w->commandTimerObject()->isActive());
}

void TestCommSession::clearTerminalEmptiesOnlyThePane()
{
    auto *display = session->widget<QTextEdit>("Display");
    auto *lineEdit = session->widget<QLineEdit>("lineEdit");
    lineEdit->setText(QStringLiteral("gh"));
    session->window()->queueCommand(QStringLiteral("gd"), Send, 0);
    const int pending = session->window()->pendingCommands().size();
    QVERIFY(!display->toPlainText().isEmpty());

    QVERIFY(session->perform("click:pushButton_4").isEmpty());
    QVERIFY(display->toPlainText().isEmpty());
    QCOMPARE(lineEdit->text(), QStringLiteral("gh"));
    QCOMPARE(session->window()->pendingCommands().size(), pending);

    QVERIFY(session->perform("click:Senden_btn").isEmpty());
    QCOMPARE(paragraphs(display).first(), QStringLiteral("gh"));
    QVERIFY(session->waitForQueueEmpty(3000));
    QVERIFY(paragraphs(display).contains(QStringLiteral("gd")));
}

void TestCommSession::trennenDisconnectsAndTheSecondClickReconnects()
{
    QVERIFY(session->drainAndClear());
    MainWindow *w = session->window();

    QVERIFY(session->perform("click:Trennen_btn").isEmpty());
    QVERIFY(session->perform("caption:Trennen_btn=Verbinden").isEmpty());
    expectQueueTail(0, {{"q", Send, 0}});
    QVERIFY(session->waitForStatus(QStringLiteral("offline"), 4000));
    QCOMPARE(session->statusBar()->styleSheet(), QStringLiteral("color: red"));
    QVERIFY2(session->receivedTexts() == QStringList{"q"}, qPrintable(session->receivedTexts().join(", ")));
    QVERIFY(w->isEnabled());

    QVERIFY(session->perform("click:Trennen_btn").isEmpty());
    QCOMPARE(session->statusBar()->currentMessage(), QStringLiteral("Trying:169.254.100.100"));
    QCOMPARE(session->statusBar()->styleSheet(), QStringLiteral("color: black"));
    QVERIFY(session->perform("caption:Trennen_btn=Trennen").isEmpty());
    QVERIFY(session->waitForStatus(QStringLiteral("online"), 6000));
    QVERIFY(QTest::qWaitFor([&] { return session->receivedTexts().contains(QStringLiteral("gua")); }, 3000));
}

void TestCommSession::masterClosingAfterLoginLeavesTheWindowUsable()
{
    QVERIFY(session->waitForQueueEmpty(5000));
    auto *lineEdit = session->widget<QLineEdit>("lineEdit");
    MainWindow *w = session->window();

    // The master goes away on its own (here asked by a typed "q").
    lineEdit->setText(QStringLiteral("q"));
    QTest::keyClick(lineEdit, Qt::Key_Return);
    QVERIFY(session->waitForStatus(QStringLiteral("offline"), 4000));
    QVERIFY(w->isEnabled());
    QVERIFY(session->perform("caption:Trennen_btn=Trennen").isEmpty());
    QVERIFY(closer->seen.isEmpty());

    // The first click still asks for a disconnect, which nobody receives.
    session->sim().clearReceivedLines();
    QVERIFY(session->perform("click:Trennen_btn").isEmpty());
    QVERIFY(session->perform("caption:Trennen_btn=Verbinden").isEmpty());
    QVERIFY(session->waitForQueueEmpty(3000));
    QTest::qWait(200);
    QVERIFY(session->receivedTexts().isEmpty());
    QVERIFY(!session->sim().isClientConnected());

    // Only the second click connects again, and the prompts are answered anew.
    QVERIFY(session->perform("click:Trennen_btn").isEmpty());
    QVERIFY(session->perform("caption:Trennen_btn=Trennen").isEmpty());
    QVERIFY(session->waitForStatus(QStringLiteral("online"), 6000));
    QVERIFY(QTest::qWaitFor([&] { return session->receivedTexts() == QStringList{"gua"}; }, 3000));
}

void TestCommSession::deleteManualFileDeclinedDoesNothing()
{
    QVERIFY(session->waitForQueueEmpty(5000));
    closer->seen.clear();
    closer->setAnswer(QMessageBox::No);
    QVERIFY(session->performAll({"select:1", "click:Delete_manual_file_btn"}).isEmpty());
    QCOMPARE(closer->seen.size(), 1);
    const auto box = closer->seen.first();
    QCOMPARE(box.title, QString());
    QCOMPARE(box.text, QStringLiteral("Really delete manual file and restart Master ?"));
    QCOMPARE(box.icon, QMessageBox::Question);
    QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
    QVERIFY(session->window()->pendingCommands().isEmpty());
}

void TestCommSession::deleteManualFileConfirmedResetsAndLogsInAgain()
{
    QVERIFY(session->drainAndClear());
    closer->seen.clear();
    closer->setAnswer(QMessageBox::Yes);
    const int statusMark = session->statusChanges.size();

    QVERIFY(session->performAll({"select:1", "click:Delete_manual_file_btn"}).isEmpty());
    QCOMPARE(closer->seen.size(), 1);
    QList<CommandEntry> expected{
        {"fc2", Send, 0}, {"df2", Send, 0}, {"rm", Send, 0}, {QString(), Disconnect, 0}};
    for (int n = 10; n >= 1; --n)
        expected.append({countdownText(n), Status, Black});
    expected.append({QString(), Reconnect, 0});
    expectQueueTail(0, expected);

    QVERIFY(session->waitForReceived(3, 5000));
    QCOMPARE(session->receivedTexts(), (QStringList{"fc2", "df2", "rm"}));
    for (qint64 gap : gapsMs(session->sim().receivedLines()))
        QVERIFY(qAbs(gap - 1000) <= paceToleranceMs());

    QVERIFY(session->waitForStatus(countdownText(1), 14000));
    QVERIFY(session->waitForStatus(QStringLiteral("online"), 8000));
    QVERIFY(QTest::qWaitFor([&] { return session->receivedTexts().contains(QStringLiteral("gua")); }, 3000));
    QCOMPARE(session->receivedTexts(), (QStringList{"fc2", "df2", "rm", "gua"}));

    // The countdown, one text per second, from 10 down to 1.
    QList<QPair<qint64, QString>> countdown;
    bool offline = false;
    for (int i = statusMark; i < session->statusChanges.size(); ++i) {
        const auto &change = session->statusChanges[i];
        if (change.second.startsWith(QLatin1String("getting online in ")))
            countdown.append(change);
        offline = offline || change.second == QLatin1String("offline");
    }
    QCOMPARE(countdown.size(), 10);
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(countdown[i].second, countdownText(10 - i));
        if (i > 0)
            QVERIFY2(qAbs(countdown[i].first - countdown[i - 1].first - 1000) <= paceToleranceMs(),
                     qPrintable(countdown[i].second));
    }
    // The restart dropped the connection: "offline" showed on the way.
    QVERIFY(offline);
    QCOMPARE(session->statusChanges.last().second, QStringLiteral("online"));
    QVERIFY(session->window()->isEnabled());
}

void TestCommSession::resetMasterQueuesRestartCountdownAndReconnect()
{
    QVERIFY(session->drainAndClear());
    QVERIFY(session->perform("click:Reset_Master_btn").isEmpty());
    QList<CommandEntry> expected{{"rm", Send, 0}, {QString(), Disconnect, 0}};
    for (int n = 10; n >= 1; --n)
        expected.append({countdownText(n), Status, Black});
    expected.append({QString(), Reconnect, 0});
    expectQueueTail(0, expected);
    QVERIFY(session->waitForReceived(1, 3000));
    QCOMPARE(session->receivedTexts(), QStringList{"rm"});
    // The rest of this sequence ran in full in the test before.
}

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestCommSession test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_commsession.moc"
