// The main window logged in to the simulator: login, every workflow's lines with their order and
// pace as they arrive, the direct path, the queue's entry kinds, disconnecting, the master going
// away, and the master reset with its countdown and new login.

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include "commfixture.h"

using namespace commtest;

namespace {

QStringList paragraphs(QTextEdit *display)
{
    QStringList list;
    for (QTextBlock b = display->document()->begin(); b.isValid(); b = b.next())
        list.append(b.text());
    return list;
}

QList<CommandEntry> resetTail()
{
    QList<CommandEntry> tail{{QString(), Disconnect, 0}};
    for (int n = 10; n >= 1; --n)
        tail.append({QStringLiteral("getting online in %1 seconds").arg(n), Status, Black});
    return tail << CommandEntry{QString(), Reconnect, 0};
}

QString describe(const QList<CommandEntry> &entries)
{
    QStringList out;
    for (const CommandEntry &e : entries)
        out << QStringLiteral("(%1,%2,%3)").arg(e.text).arg(e.kind).arg(e.param);
    return out.join(QLatin1Char(' '));
}

} // namespace

class TestCommSession : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loginAnswersThePromptsAndGoesOnline();
    void workflowLinesArriveInOrderOneTickApart_data();
    void workflowLinesArriveInOrderOneTickApart();
    void directLinesOvertakeQueuedOnes();
    void unknownKindsUseATickAndIntervalEntriesSetThePace();
    void trennenDisconnectsAndTheSecondClickReconnects_data();
    void trennenDisconnectsAndTheSecondClickReconnects();
    void deleteManualFileAsksThenResetsAndLogsInAgain();
    void resetMasterQueuesTheRestart();
    void cleanupTestCase() { session.reset(); }

private:
    std::unique_ptr<CommSession> session;
    MessageBoxCloser *closer = nullptr;
};

void TestCommSession::initTestCase()
{
    installGermanCatalogue();
    closer = new MessageBoxCloser(QMessageBox::No);
    closer->setParent(this);
    session = std::make_unique<CommSession>();
    LoginAnswer answer;
    answer.presetIndex = 0; // "Windows auto"
    QVERIFY2(session->start(answer), qPrintable(session->error));
}

void TestCommSession::loginAnswersThePromptsAndGoesOnline()
{
    QCOMPARE(session->statusAfterConstruction, QStringLiteral("TryingIP:169.254.100.100"));
    QCOMPARE(session->statusBar()->styleSheet(), QStringLiteral("color: green"));
    qint64 onlineAt = -1;
    for (const auto &change : session->statusChanges)
        if (change.second == QLatin1String("online"))
            onlineAt = change.first;
    // "gua" is the first line, one tick behind "online".
    const auto lines = session->sim().receivedLines();
    QCOMPARE(lines.first().text, QStringLiteral("gua"));
    const qint64 guaAt = session->started.msecsTo(lines.first().time);
    QVERIFY2(onlineAt >= 0 && qAbs(guaAt - onlineAt - 1000) <= paceToleranceMs(),
             qPrintable(QStringLiteral("online at %1 ms, gua at %2 ms").arg(onlineAt).arg(guaAt)));
    // The credentials echoed in clear.
    const QString text = session->widget<QTextEdit>("Display")->toPlainText();
    QVERIFY(text.contains(QStringLiteral("tastarello")) && text.contains(QStringLiteral("kantor")));

    // Disabled through the login prompt, enabled once the password prompt is answered.
    int passwordAt = -1;
    for (int i = 0; i < session->messages.size() && passwordAt < 0; ++i)
        if (session->messages[i].first.contains(QLatin1String("password:")))
            passwordAt = i;
    QVERIFY2(passwordAt > 0, "expected a login prompt before the password prompt");
    for (int i = 0; i < passwordAt; ++i)
        QVERIFY2(!session->messages[i].second, qPrintable("enabled after " + session->messages[i].first));
    QVERIFY(session->messages[passwordAt].second);
}

void TestCommSession::workflowLinesArriveInOrderOneTickApart_data()
{
    // Steps and lines separated by '|'; an empty line is a tick without a line.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, const char *steps, const char *lines) {
        QTest::newRow(name) << QString::fromUtf8(steps) << QString::fromUtf8(lines);
    };
    row("setup Manual 3",
        "select:2|click:Setup_Start_Stop_btn|is:Setup_Start_Stop_btn=Einrichtung beenden|"
        "click:Setup_Start_Stop_btn|is:Setup_Start_Stop_btn=Neues Manual einrichten",
        "smca|tb31|ts|smna");
    row("calibration Manual 2",
        "select:1|click:Kalibrieren_Start_Stop_btn|is:Kalibrieren_Start_Stop_btn=Stop|"
        "click:Kalibrieren_Start_Stop_btn|is:Kalibrieren_Start_Stop_btn=Start",
        "smc2|cm2|gv2|std2|smn2|gv2");
    row("store Pedal 2", "select:7|click:Konfiguration_speichern_btn", "fw8|sc8");
    row("key settings Pedal 2",
        "select:7|set:Settings_edit_spreiz=5|set:Settings_edit_Entprellzeit=30|click:Settings_senden_btn|"
        "is:Settings_edit_spreiz=05",
        "smn8|ss805|sx830");
    row("fine pre-travel",
        "select:6|click:Leerreise_fein_startstop_btn|is:Leerreise_fein_startstop_btn=Stop|"
        "click:Leerreise_fein_startstop_btn|is:Leerreise_fein_startstop_btn=Start",
        "smna|tab|tas");
    row("coupler thresholds as typed",
        "set:Schwelle3_edit=40|set:Schwelle7_edit= 7|click:Schwelle3_set_btn|click:Schwelle7_set_btn",
        "sv340|sv7 7");
    row("hardware version and start note",
        "set:Hw_version_select_box=1|click:Hw_version_master_write_btn|select:1|set:Startnote_select_box=36|"
        "click:Midi_startnote_setzen_btn",
        "sh2.0.0.0|sn236");
    row("master clock: date, pause, time", "click:Master_datum_setzen_btn", "sd$DATE||sz$TIME");
    row("firmware update Pedal 1 board 12",
        "select:6|set:Boardnr_select_box=12|click:Firmware_startstop_btn|is:Firmware_startstop_btn=Stop|"
        "select:0|click:Firmware_startstop_btn|is:Firmware_startstop_btn=Start",
        "smca|mp+712|mp-");
    row("flash Manual 4",
        "select:3|click:Write_Flash_configuration_btn|click:Clear_Flash_config_btn|click:Clear_all_Flash_"
        "configs_btn",
        "fw4|fc4|cfa");
}

void TestCommSession::workflowLinesArriveInOrderOneTickApart()
{
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    QVERIFY(session->drainAndClear());

    const QDateTime before = QDateTime::currentDateTime();
    const QString problem = session->perform(steps.split(QLatin1Char('|')));
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    const QDateTime after = QDateTime::currentDateTime();
    // All entries of the clicks are queued at once, pauses included.
    const QStringList ticked = expected.split(QLatin1Char('|'));
    QCOMPARE(session->window()->pendingCommands().size(), ticked.size());

    QStringList lines;
    QList<int> ticks;
    for (int i = 0; i < ticked.size(); ++i) {
        if (!ticked[i].isEmpty())
            lines << ticked[i], ticks << i;
    }
    QVERIFY(session->waitForReceived(lines.size(), ticked.size() * 1000 + 3000));
    QVERIFY(session->waitForQueueEmpty(2000));
    QTest::qWait(150); // a stray extra line would have arrived by now

    const auto received = session->sim().receivedLines();
    QCOMPARE(received.size(), lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        QStringList allowed;
        for (const QDateTime &t : {before, after})
            allowed << QString(lines[i])
                           .replace("$DATE", t.toString(QStringLiteral("dd.MM.yy")))
                           .replace("$TIME", t.toString(QStringLiteral("hh:mm")));
        QVERIFY2(allowed.contains(received[i].text), qPrintable(received[i].text + " for " + lines[i]));
    }
    const QList<qint64> gaps = gapsMs(received);
    for (int i = 0; i < gaps.size(); ++i) {
        const qint64 want = qint64(ticks[i + 1] - ticks[i]) * MainWindow::kCommandIntervalMs;
        QVERIFY2(qAbs(gaps[i] - want) <= paceToleranceMs(),
                 qPrintable(QStringLiteral("%1 -> %2: %3 ms, expected %4 ms")
                                .arg(lines[i], lines[i + 1])
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

    QString problem = session->perform(
        {"select:3", "set:Schwelle1_edit=11", "set:Schwelle2_edit=22", "click:Schwelle1_set_btn",
         "click:Schwelle2_set_btn", "click:Werte_ansehen_btn", "click:Leerreise_minus_btn",
         "click:Leerreise_plus_btn", "click:Qrgel_cnf_save_btn", "click:Alle_Werte_anzeigen_btn",
         "click:Sw_version_master_read_btn", "click:Sw_version_slave_read_btn",
         "click:Hw_version_master_read_btn", "click:Master_datum_lesen_btn"});
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    // The command line: typed text through the button and through Return; it stays.
    QTest::keyClicks(lineEdit, QStringLiteral("gsm"));
    QVERIFY(session->perform({"click:Senden_btn"}).isEmpty());
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
    QVERIFY(received.at(0).time.msecsTo(received.at(direct.size() - 1).time) < 500);

    // "Lösche Terminal" empties the pane only: the line edit and the queue stay.
    session->window()->queueCommand(QStringLiteral("gd"), Send, 0);
    QVERIFY(session->perform({"click:pushButton_4"}).isEmpty());
    QVERIFY(display->toPlainText().isEmpty());
    QCOMPARE(lineEdit->text(), QStringLiteral("gsm"));
    QCOMPARE(session->window()->pendingCommands().size(), 1);
}

void TestCommSession::unknownKindsUseATickAndIntervalEntriesSetThePace()
{
    QVERIFY(session->drainAndClear());
    MainWindow *w = session->window();
    auto *display = session->widget<QTextEdit>("Display");
    w->queueCommand(QStringLiteral("gh"), Send, 0);
    w->queueCommand(QStringLiteral("never sent"), -1, 0);
    w->queueCommand(QStringLiteral("never sent"), 9, 0);
    w->queueCommand(QStringLiteral("gd"), Send, 0);
    QVERIFY(session->waitForReceived(2, 6000));
    QCOMPARE(session->receivedTexts(), (QStringList{"gh", "gd"}));
    QVERIFY(qAbs(gapsMs(session->sim().receivedLines()).first() - 3000) <= paceToleranceMs());
    QVERIFY(!display->toPlainText().contains(QStringLiteral("never sent")));

    // A new pace holds from the entry on; text that is no number and a negative one give 0,
    // which must not stop the timer.
    session->sim().clearReceivedLines();
    w->queueCommand(QStringLiteral("250"), SetInterval, 0);
    w->queueCommand(QStringLiteral("gsm"), Send, 0);
    w->queueCommand(QStringLiteral("gh"), Send, 0);
    w->queueCommand(QStringLiteral("x7"), SetInterval, 0);
    w->queueCommand(QStringLiteral("-250"), SetInterval, 0);
    QVERIFY(session->waitForReceived(2, 4000));
    QVERIFY(session->waitForQueueEmpty(2000));
    QCOMPARE(w->commandTimerObject()->interval(), 0);
    QVERIFY(w->commandTimerObject()->isActive());
    const qint64 gap = gapsMs(session->sim().receivedLines()).first();
    QVERIFY2(qAbs(gap - 250) <= 150, qPrintable(QString::number(gap)));
    w->queueCommand(QString::number(MainWindow::kCommandIntervalMs), SetInterval, 0);
    QVERIFY(QTest::qWaitFor([&] { return w->commandTimerObject()->interval() == 1000; }, 1000));
}

void TestCommSession::trennenDisconnectsAndTheSecondClickReconnects_data()
{
    QTest::addColumn<bool>("masterCloses");
    QTest::newRow("Trennen, then Verbinden") << false;
    QTest::newRow("master closes, then Trennen twice") << true;
}

void TestCommSession::trennenDisconnectsAndTheSecondClickReconnects()
{
    QFETCH(bool, masterCloses);
    QVERIFY(session->drainAndClear());
    MainWindow *w = session->window();
    if (masterCloses) {
        // The master goes away on its own (asked by a typed "q"): no box, the window stays usable.
        auto *lineEdit = session->widget<QLineEdit>("lineEdit");
        lineEdit->setText(QStringLiteral("q"));
        QTest::keyClick(lineEdit, Qt::Key_Return);
        QVERIFY(session->waitForStatus(QStringLiteral("offline"), 4000));
        QVERIFY(w->isEnabled() && closer->seen.isEmpty());
        QVERIFY(session->perform({"is:Trennen_btn=Trennen"}).isEmpty());
        session->sim().clearReceivedLines();
    }
    // The first click queues the disconnect ("q", received only while connected).
    QVERIFY(session->perform({"click:Trennen_btn", "is:Trennen_btn=Verbinden"}).isEmpty());
    QCOMPARE(describe(w->pendingCommands()), QStringLiteral("(q,0,0)"));
    QVERIFY(session->waitForQueueEmpty(3000));
    QVERIFY(session->waitForStatus(QStringLiteral("offline"), 4000));
    QCOMPARE(session->statusBar()->styleSheet(), QStringLiteral("color: red"));
    QTest::qWait(200);
    QCOMPARE(session->receivedTexts(), masterCloses ? QStringList() : QStringList{"q"});
    QVERIFY(!session->sim().isClientConnected());
    QVERIFY(w->isEnabled());

    // The second click connects again and the prompts are answered anew.
    session->sim().clearReceivedLines();
    QVERIFY(session->perform({"click:Trennen_btn", "is:Trennen_btn=Trennen"}).isEmpty());
    QCOMPARE(session->statusBar()->currentMessage(), QStringLiteral("Trying:169.254.100.100"));
    QCOMPARE(session->statusBar()->styleSheet(), QStringLiteral("color: black"));
    QVERIFY(session->waitForStatus(QStringLiteral("online"), 6000));
    QVERIFY(QTest::qWaitFor([&] { return session->receivedTexts() == QStringList{"gua"}; }, 3000));
}

void TestCommSession::deleteManualFileAsksThenResetsAndLogsInAgain()
{
    QVERIFY(session->drainAndClear());
    closer->seen.clear();
    closer->answer = QMessageBox::No;
    QVERIFY(session->perform({"select:1", "click:Delete_manual_file_btn"}).isEmpty());
    QCOMPARE(closer->seen.size(), 1);
    const auto box = closer->seen.first();
    QCOMPARE(box.title, QString());
    QCOMPARE(box.text, QStringLiteral("Really delete manual file and restart Master ?"));
    QCOMPARE(box.icon, QMessageBox::Question);
    QCOMPARE(box.buttons, QMessageBox::Yes | QMessageBox::No);
    QVERIFY(session->window()->pendingCommands().isEmpty());

    closer->answer = QMessageBox::Yes;
    const int statusMark = session->statusChanges.size();
    QVERIFY(session->perform({"click:Delete_manual_file_btn"}).isEmpty());
    QCOMPARE(closer->seen.size(), 2);
    QCOMPARE(
        describe(session->window()->pendingCommands()),
        describe(QList<CommandEntry>{{"fc2", Send, 0}, {"df2", Send, 0}, {"rm", Send, 0}} + resetTail()));
    QVERIFY(session->waitForReceived(3, 5000));
    for (qint64 gap : gapsMs(session->sim().receivedLines()))
        QVERIFY(qAbs(gap - 1000) <= paceToleranceMs());

    QVERIFY(session->waitForStatus(QStringLiteral("getting online in 1 seconds"), 14000));
    QVERIFY(session->waitForStatus(QStringLiteral("online"), 8000));
    QVERIFY(QTest::qWaitFor([&] { return session->receivedTexts().contains(QStringLiteral("gua")); }, 3000));
    QCOMPARE(session->receivedTexts(), (QStringList{"fc2", "df2", "rm", "gua"}));

    // On the way: "offline" and the ten countdown texts one second apart.
    QList<QPair<qint64, QString>> countdown;
    bool offline = false;
    for (int i = statusMark; i < session->statusChanges.size(); ++i) {
        const auto &change = session->statusChanges[i];
        if (change.second.startsWith(QLatin1String("getting online in ")))
            countdown.append(change);
        offline = offline || change.second == QLatin1String("offline");
    }
    QVERIFY(offline);
    QCOMPARE(countdown.size(), 10);
    for (int i = 0; i < 10; ++i) {
        QCOMPARE(countdown[i].second, QStringLiteral("getting online in %1 seconds").arg(10 - i));
        if (i > 0)
            QVERIFY2(qAbs(countdown[i].first - countdown[i - 1].first - 1000) <= paceToleranceMs(),
                     qPrintable(countdown[i].second));
    }
    QCOMPARE(session->statusChanges.last().second, QStringLiteral("online"));
    QVERIFY(session->window()->isEnabled());
}

void TestCommSession::resetMasterQueuesTheRestart()
{
    QVERIFY(session->drainAndClear());
    QVERIFY(session->perform({"click:Reset_Master_btn"}).isEmpty());
    QCOMPARE(describe(session->window()->pendingCommands()),
             describe(QList<CommandEntry>{{"rm", Send, 0}} + resetTail()));
    QVERIFY(session->waitForReceived(1, 3000));
    QCOMPARE(session->receivedTexts(), QStringList{"rm"});
    // The rest of this sequence ran in full in the test before.
}

QTEST_MAIN(TestCommSession)

#include "tst_commsession.moc"
