// The main window logged in to the simulator: the lines each click builds and their path, the
// queue's ticks, disconnecting, the master reset, the login dialog, German captions and help texts,
// every caption whole and every widget reachable at each display scaling.

#include <QtTest>
#include <QtWidgets>

#include "catalogues.h"
#include "commfixture.h"
#include "dialoglogin.h"
#include "displayscaling.h"

using namespace commtest;

namespace {

QStringList connectWarnings;

// Queue entries as text: a command line, "=status" or "#kind".
QStringList describe(const QList<CommandEntry> &entries, int from = 0)
{
    QStringList out;
    for (const CommandEntry &e : entries.mid(from))
        out << (e.kind == Send     ? e.text
                : e.kind == Status ? "=" + e.text
                                   : QStringLiteral("#%1").arg(e.kind));
    return out;
}

// Each language at each display scaling, a child process each (scaling is fixed when the
// application starts): "<language> <factor>".
QStringList scaledScenarios()
{
    QStringList scenarios;
    for (const char *language : {"de", "en", "it"})
        for (const char *factor : {"1", "1.25", "1.5", "2"})
            scenarios << QStringLiteral("%1 %2").arg(language, factor);
    return scenarios;
}

// Every text under root that its style would cut off ("name: text"), the texts set at run time (by
// object name) included; and a window that is not scaled by the factor.
QStringList cutOffTexts(QWidget *root, qreal factor, const QMap<QString, QStringList> &runTime = {})
{
    QStringList cut;
    if (!qFuzzyCompare(root->devicePixelRatioF(), factor))
        cut << QStringLiteral("scaled by %1, not %2").arg(root->devicePixelRatioF()).arg(factor);
    for (QWidget *w : root->findChildren<QWidget *>()) {
        QStringList texts = runTime.value(w->objectName());
        QRect room = w->contentsRect(), textRoom;
        int flags = 0;
        if (auto *button = qobject_cast<QPushButton *>(w)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.features =
                button->autoDefault() ? QStyleOptionButton::AutoDefaultButton : QStyleOptionButton::None;
            room = w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, w);
            flags = Qt::AlignCenter | Qt::TextShowMnemonic;
            texts << button->text();
        } else if (auto *label = qobject_cast<QLabel *>(w)) {
            const int margin = label->margin(), indent = qMax(label->indent(), 0);
            room.adjust(margin + indent, margin, -margin, -margin);
            flags = int(label->alignment()) | Qt::TextExpandTabs | (label->wordWrap() ? Qt::TextWordWrap : 0);
            texts << label->text();
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            room = w->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, w);
            textRoom = room.adjusted(1, 0, -1, 0);
            flags = Qt::AlignLeft | Qt::AlignVCenter;
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        } else if (auto *tabs = qobject_cast<QTabBar *>(w)) {
            if (tabs->tabRect(tabs->count() - 1).right() >= tabs->width())
                cut << w->parent()->objectName() + QStringLiteral(": tab ") +
                           tabs->tabText(tabs->count() - 1);
        }
        for (const QString &text : texts)
            if (!room.contains(
                    w->fontMetrics().boundingRect(textRoom.isNull() ? room : textRoom, flags, text)))
                cut << w->objectName() + QStringLiteral(": ") +
                           text.section(QLatin1Char('\n'), 0, 0).left(60);
    }
    return cut;
}

// Scrolls w into view in its window's scroll area and clicks it, if it is then whole on the screen.
bool scrollToAndClick(QWidget *w)
{
    auto *area = w->window()->findChild<QScrollArea *>(QStringLiteral("scrollArea"));
    if (!area)
        return false;
    area->ensureWidgetVisible(w, 0, 0);
    const QRect shown(w->mapTo(area->viewport(), QPoint()), w->size());
    const QRect onScreen(w->mapToGlobal(QPoint()), w->size());
    if (!area->viewport()->rect().contains(shown) || !w->screen()->availableGeometry().contains(onScreen))
        return false;
    QTest::mouseClick(w, Qt::LeftButton);
    return true;
}

// In a scaled child: every text of the login dialog and of the window whole, the ones set at run
// time too; on the small offscreen screen (800 x 600 or 800 x 800 pixels) the dialog stays inside it,
// both scroll, and "verbinden" and "Beenden" can be scrolled to and clicked.
int checkWindowAtScale(const QString &language, qreal factor)
{
    CommSession session; // a simulator of its own beside the other children's
    const int row = scaledScenarios().indexOf(language + QLatin1Char(' ') + QString::number(factor));
    session.simAddress = QStringLiteral("169.254.20.%1").arg(row + 1);
    QStringList cut;
    LoginAnswer answer;
    answer.press = [&](QWidget *dialog) {
        cut << cutOffTexts(dialog, factor);
        if (!dialog->screen()->availableGeometry().contains(dialog->frameGeometry()))
            cut << QStringLiteral("the dialog off the screen");
        auto *connect = dialog->findChild<QPushButton *>(QStringLiteral("pushButton"));
        if (!scrollToAndClick(connect))
            cut << QStringLiteral("\"verbinden\" out of reach"), connect->click();
    };
    if (!session.start(answer))
        return qInfo().noquote() << session.error, 2;
    MainWindow *w = session.window();
    QMap<QString, QStringList> runTime{{"Trennen_btn", {QObject::tr("Verbinden")}},
                                       {"Setup_Start_Stop_btn", {QObject::tr("complete setup")}}};
    for (const char *name :
         {"Kalibrieren_Start_Stop_btn", "Leerreise_fein_startstop_btn", "Firmware_startstop_btn"})
        runTime[name] << QStringLiteral("Stop");
    for (int i = 0; i < MainWindow::kHelpTextCount; ++i)
        runTime["ManualText"] << w->helpText(i);
    cut << cutOffTexts(w, factor, runTime);
    if (!scrollToAndClick(session.widget<QPushButton>("pushButton")) || w->isVisible())
        cut << QStringLiteral("\"Beenden\" out of reach");
    qInfo().noquote() << cut.join(QLatin1Char('\n'));
    return cut.isEmpty() ? 0 : 1;
}

} // namespace

class TestComm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void lines_data();
    void lines();
    void refusedLoginAfterTheFirst();
    void deleteManualFileResetsTheMaster();
    void resetWhileTheGreetingArrives();
    void loginDialog_data();
    void loginDialog();
    void helpTextsAndCaptions();
    void scaling_data();
    void scaling();

private:
    std::unique_ptr<CommSession> session;
    MessageBoxCloser closer{QMessageBox::No};
};

void TestComm::initTestCase()
{
    installGermanCatalogue();
    MasterSimOptions options;
    options.restartMs = 100;
    // Like a standard telnet daemon, the master prompts only once its requests are answered: every
    // reconnection below must negotiate again.
    options.negotiationTimeoutMs = -1;
    // What the technician types in the dialog is what every login sends.
    options.user = QStringLiteral("orgelbau");
    options.password = QStringLiteral("orgel-42");
    session = std::make_unique<CommSession>(options);
    // On a port of its own: every connection, the reset's and Verbinden's too, must use --port. The
    // dialog opens with --host, where nothing listens, and the address typed there counts.
    session->simPort = 2323;
    session->arguments = QStringList{"--host", "169.254.100.99", "--port", "2323"};
    LoginAnswer answer;
    answer.user = options.user;
    answer.password = options.password;
    QString hostShown;
    answer.press = [&](QWidget *dialog) {
        auto *host = dialog->findChild<QLineEdit *>(QStringLiteral("lineEditIP"));
        hostShown = host->text();
        host->setText(session->simAddress);
        dialog->findChild<QPushButton *>(QStringLiteral("pushButton"))->click();
    };
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
            if (text.contains(QLatin1String("QObject::connect")))
                connectWarnings << text;
        });
    const bool started = session->start(answer);
    qInstallMessageHandler(previous);
    QVERIFY2(started, qPrintable(session->error));
    QCOMPARE(hostShown, QStringLiteral("169.254.100.99"));
    QCOMPARE(connectWarnings, QStringList());
    QCOMPARE(session->receivedTexts().value(0), QStringLiteral("gua"));
    QCOMPARE(session->statusBar()->styleSheet(), QStringLiteral("color: green"));
    const QString pane = session->widget<QPlainTextEdit>("Display")->toPlainText();
    // The credentials as typed, and the master's "Last login: ..." greeting, shown and nothing else.
    QVERIFY(pane.contains("orgelbau\n") && pane.contains("orgel-42\n") && pane.contains("\nLast login: "));
    // The pace is the timer's business; the tests need the order, so the queue runs fast.
    session->window()->commandTimerObject()->setInterval(20);
}

void TestComm::lines_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("lines");
    const auto row = [](const char *name, const QStringList &steps, const QStringList &lines) {
        QTest::newRow(name) << steps << lines;
    };
    row("setup Manual 3",
        {"select:2", "click:Setup_Start_Stop_btn", "is:Setup_Start_Stop_btn=Einrichtung beenden",
         "click:Setup_Start_Stop_btn", "is:Setup_Start_Stop_btn=Neues Manual einrichten"},
        {"smca", "tb31", "ts", "smna"});
    row("setup piano", {"select:8", "click:Setup_Start_Stop_btn", "click:Setup_Start_Stop_btn"},
        {"sf1l", "sf2s", "smca", "tb11", "ts", "smna"});
    row("calibration, stop on another keyboard",
        {"select:1", "click:Kalibrieren_Start_Stop_btn", "is:Kalibrieren_Start_Stop_btn=Stop", "select:7",
         "click:Kalibrieren_Start_Stop_btn", "is:Kalibrieren_Start_Stop_btn=Start"},
        {"smc2", "cm2", "gv8", "std8", "smn8", "gv8"});
    row("store, flash Manual 4",
        {"select:3", "click:Konfiguration_speichern_btn", "click:Write_Flash_configuration_btn",
         "click:Clear_Flash_config_btn", "click:Clear_all_Flash_configs_btn"},
        {"fw4", "sc4", "fw4", "fc4", "cfa"});
    row("fine pre-travel",
        {"select:6", "click:Leerreise_fein_startstop_btn", "is:Leerreise_fein_startstop_btn=Stop",
         "click:Leerreise_fein_startstop_btn", "is:Leerreise_fein_startstop_btn=Start"},
        {"smna", "tab", "tas"});
    // Each coupler's field and word, the value as typed: empty, with a blank, out of range.
    const char *const thresholds[] = {"", "1", "20", "33", "64", "100", " 7", "128"};
    for (int n = 1; n <= 8; ++n) {
        const QString edit = QStringLiteral("set:Schwelle%1_edit=").arg(n) + thresholds[n - 1];
        const QString click = QStringLiteral("click:Schwelle%1_set_btn").arg(n);
        QTest::addRow("coupler %d", n) << QStringList{edit, click}
                                       << QStringList{QStringLiteral("sv%1%2").arg(n).arg(thresholds[n - 1])};
    }
    row("hardware version, start note",
        {"set:Hw_version_select_box=1", "click:Hw_version_master_write_btn", "select:5",
         "set:Startnote_select_box=127", "click:Midi_startnote_setzen_btn"},
        {"sh2.0.0.0", "sn6127"});
    row("firmware Pedal 1 board 12, stop elsewhere",
        {"select:6", "set:Boardnr_select_box=12", "click:Firmware_startstop_btn",
         "is:Firmware_startstop_btn=Stop", "select:0", "click:Firmware_startstop_btn",
         "is:Firmware_startstop_btn=Start"},
        {"smca", "mp+712", "mp-"});
    // Choosing a keyboard starts the board number at 1, within that keyboard's boards.
    row("board numbers per keyboard",
        {"select:6", "set:Boardnr_select_box=30", "select:1", "is:Boardnr_select_box=1 of 1-8",
         "set:Boardnr_select_box=8", "select:8", "is:Boardnr_select_box=1 of 1-8", "select:7",
         "is:Boardnr_select_box=1 of 1-30", "set:Boardnr_select_box=6", "select:2",
         "is:Boardnr_select_box=1 of 1-8"},
        {});
    // Key settings: keyboard, spread, debounce; the fields afterwards show the values sent.
    const auto settings = [&](const char *name, const QStringList &fields, const QStringList &lines) {
        row(name,
            {"select:" + fields[0], "set:Settings_edit_spreiz=" + fields[1],
             "set:Settings_edit_Entprellzeit=" + fields[2], "click:Settings_senden_btn",
             "is:Settings_edit_spreiz=" + lines[1].mid(3),
             "is:Settings_edit_Entprellzeit=" + lines[2].mid(3)},
            lines);
    };
    settings("settings 0 and 50", {"0", "0", "50"}, {"smn1", "ss100", "sx150"});
    settings("settings above 99", {"1", "150", "100"}, {"smn2", "ss299", "sx299"});
    settings("settings empty", {"0", "", ""}, {"smn1", "ss10", "sx10"});
    settings("settings 007 and 9", {"7", "007", "9"}, {"smn8", "ss80007", "sx809"});
    settings("settings beyond 64 bits", {"0", "123456789012345678901234567890", "10"},
             {"smn1", "ss199", "sx110"});
    row("spread buttons queue nothing",
        {"set:Settings_edit_spreiz=3", "click:Settings_spreizm_btn", "is:Settings_edit_spreiz=0",
         "set:Settings_edit_spreiz=98", "click:Settings_spreizp_btn", "is:Settings_edit_spreiz=100",
         "set:Settings_edit_spreiz=abc", "click:Settings_spreizp_btn", "is:Settings_edit_spreiz=5"},
        {});
    row("values, pre-travel",
        {"select:7", "click:Werte_ansehen_btn", "select:6", "click:Leerreise_minus_btn",
         "click:Leerreise_plus_btn", "select:8", "click:Werte_ansehen_btn"},
        {">gv8", ">tu7", ">td7", ">gv1"});
    row("system queries ignore the selection",
        {"select:7", "set:Boardnr_select_box=17", "click:Alle_Werte_anzeigen_btn",
         "click:Sw_version_master_read_btn", "click:Sw_version_slave_read_btn",
         "click:Hw_version_master_read_btn", "click:Master_datum_lesen_btn", "click:Qrgel_cnf_save_btn"},
        {">gva", ">gsm", ">gss11", ">gh", ">gd", ">sco"});
    row("typed commands, Return, the history",
        {"set:lineEdit=gv3", "key:lineEdit=Return", "set:lineEdit=g", "key:lineEdit=Up", "is:lineEdit=gv3",
         "set:lineEdit=", "click:Senden_btn"},
        {">gv3", ">"});
    row("master clock: date, pause, time", {"click:Master_datum_setzen_btn"}, {"sd$DATE", "#5", "sz$TIME"});
}

// Direct lines (">" and the line, from the echo in the terminal pane) and the entries the steps
// appended to the queue, read right after the clicks.
void TestComm::lines()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, lines);
    const QDateTime before = QDateTime::currentDateTime();
    QTextDocument *pane = session->widget<QPlainTextEdit>("Display")->document();
    const int blocks = pane->blockCount(), queued = session->window()->pendingCommands().size();
    QStringList taken{session->perform(steps)}; // the error, if any
    taken.removeAll(QString());
    for (QTextBlock b = pane->findBlockByNumber(blocks); b.isValid(); b = b.next())
        taken << QStringLiteral(">") + b.text();
    taken << describe(session->window()->pendingCommands(), queued);
    QStringList allowed;
    for (const QDateTime &t : {before, QDateTime::currentDateTime()})
        allowed << lines.join('|')
                       .replace("$DATE", t.toString(QStringLiteral("dd.MM.yy")))
                       .replace("$TIME", t.toString(QStringLiteral("hh:mm")));
    QVERIFY2(allowed.contains(taken.join('|')), qPrintable(taken.join('|')));
}

// Trennen, then Verbinden to a master that refuses the login: the window shows it, answers nothing
// more, and stays usable, so that the technician can log in by hand in the command line.
void TestComm::refusedLoginAfterTheFirst()
{
    QVERIFY(session->drainAndClear());
    QVERIFY(session->perform({"click:Trennen_btn", "is:Trennen_btn=Verbinden"}).isEmpty());
    QCOMPARE(describe(session->window()->pendingCommands()), QStringList{"q"});
    QVERIFY(session->waitForStatus(QStringLiteral("offline"), 4000));
    QCOMPARE(session->statusBar()->styleSheet(), QStringLiteral("color: red"));
    QVERIFY(QTest::qWaitFor([&] { return !session->sim().isClientConnected(); }, 3000));
    QCOMPARE(session->receivedTexts(), QStringList{"q"});
    session->sim().clearReceivedLines();
    session->sim().options().refuseLogins = 1000; // every login from now on
    // At the real pace the refusal comes long before "gua" would go out, and takes it back.
    session->window()->commandTimerObject()->setInterval(MainWindow::kCommandIntervalMs);
    QVERIFY(session->perform({"click:Trennen_btn", "is:Trennen_btn=Trennen"}).isEmpty());
    QCOMPARE(session->statusBar()->currentMessage(), QStringLiteral("Trying:169.254.100.100"));
    QVERIFY(session->waitForStatus(QObject::tr("Anmeldung abgelehnt"), 6000));
    QCOMPARE(session->statusBar()->styleSheet(), QStringLiteral("color: red"));
    QVERIFY(session->window()->isEnabled() && session->window()->pendingCommands().isEmpty());
    session->window()->commandTimerObject()->setInterval(20);

    session->sim().options().refuseLogins = 0;
    QSignalSpy logins(&session->sim(), &MasterSim::loggedIn);
    const QTextDocument *pane = session->widget<QPlainTextEdit>("Display")->document();
    QVERIFY(session->perform({"type:orgelbau"}).isEmpty());
    QVERIFY(QTest::qWaitFor([&] { return pane->toPlainText().endsWith("password: "); }));
    QVERIFY(session->perform({"type:orgel-42", "type:gsm"}).isEmpty());
    QVERIFY(session->waitForReceived(1, 3000));
    QCOMPARE(session->receivedTexts(), QStringList{"gsm"});
    QCOMPARE(logins.size(), 1);
    QCOMPARE(session->statusBar()->currentMessage(), QObject::tr("Anmeldung abgelehnt"));
    QVERIFY(closer.seen.isEmpty());
}

void TestComm::deleteManualFileResetsTheMaster()
{
    QVERIFY(session->drainAndClear());
    closer.seen.clear();
    closer.answer = QMessageBox::No;
    QVERIFY(session->perform({"select:1", "click:Delete_manual_file_btn"}).isEmpty());
    QCOMPARE(closer.seen.size(), 1);
    QVERIFY(session->window()->pendingCommands().isEmpty());

    closer.answer = QMessageBox::Yes;
    QVERIFY(session->perform({"click:Delete_manual_file_btn"}).isEmpty());
    QStringList expected{"fc2", "df2", "rm", "#4"};
    for (int n = 10; n >= 1; --n)
        expected << QStringLiteral("=getting online in %1 seconds").arg(n);
    QCOMPARE(describe(session->window()->pendingCommands()), expected << "#3");
    // A queued line is in the pane as it goes out, before any answer or echo: one tick by hand.
    session->window()->commandTimerObject()->stop();
    session->window()->commandtimerupdate();
    QCOMPARE(session->widget<QPlainTextEdit>("Display")->document()->lastBlock().text(),
             QStringLiteral("fc2"));
    // Then at the real pace, which also keeps the window online well past the connect time-out: a
    // tick for the disconnection, ten for the countdown, one for the reconnection.
    session->window()->commandTimerObject()->start(MainWindow::kCommandIntervalMs);
    QVERIFY(QTest::qWaitFor([&] { return session->receivedTexts().contains(QStringLiteral("gua")); }, 20000));
    QCOMPARE(session->receivedTexts(), (QStringList{"fc2", "df2", "rm", "gua"}));
    QVERIFY(session->window()->isEnabled());
    const QList<MasterSim::ReceivedLine> lines = session->sim().receivedLines();
    QVERIFY2(lines[2].time.msecsTo(lines[3].time) >= 11500, qPrintable(lines[3].time.toString()));
    session->window()->commandTimerObject()->setInterval(20);
}

// The reset's disconnection while the last connection's "Last login" greeting is still on its way:
// each connection logs in once, and nothing of the login lands at the master's command line.
void TestComm::resetWhileTheGreetingArrives()
{
    QVERIFY(session->drainAndClear());
    // First value dumps that mention both words: shown, never answered.
    QVERIFY(session->perform({"type:users", "type:security"}).isEmpty());
    const QTextDocument *pane = session->widget<QPlainTextEdit>("Display")->document();
    QVERIFY(QTest::qWaitFor([&] { return pane->toPlainText().contains("failed logins before a pause"); }));
    session->sim().options().answerDelayMs = 1000;
    QSignalSpy logins(&session->sim(), &MasterSim::loggedIn);
    for (int reset = 1; reset <= 2; ++reset) {
        session->window()->queueCommand(QString(), Disconnect, 0);
        session->window()->queueCommand(QString(), Reconnect, 0);
        QVERIFY(QTest::qWaitFor([&] { return logins.size() == reset; }, 8000));
    }
    session->sim().options().answerDelayMs = 0;
    QVERIFY(QTest::qWaitFor([&] { return pane->toPlainText().endsWith("tastarello> "); }, 3000));
    QVERIFY(session->window()->pendingCommands().isEmpty());
    QCOMPARE(session->receivedTexts(), (QStringList{"users", "security", "gua", "gua"}));
    QCOMPARE(logins.size(), 2);
    QCOMPARE(session->statusBar()->currentMessage(), QStringLiteral("online"));
}

void TestComm::loginDialog_data()
{
    QTest::addColumn<int>("preset"); // -1: as the dialog opens
    QTest::addColumn<QString>("address");
    QTest::newRow("as it opens") << -1 << "169.254.100.100";
    const char *const addresses[] = {"169.254.100.100", "10.0.0.20",    "10.0.0.21",
                                     "192.168.1.50",    "192.168.1.51", ""};
    for (int i : {1, 2, 3, 4, 5, 0})
        QTest::addRow("preset %d", i) << i << QString::fromLatin1(addresses[i]);
}

// What the dialog shows is what it returns, for every preset (typed text: every login's).
void TestComm::loginDialog()
{
    QFETCH(int, preset);
    QFETCH(QString, address);
    DialogLogin dialog;
    auto *presets = dialog.findChild<QComboBox *>("comboBox");
    presets->setCurrentIndex((preset + 1) % presets->count()); // away first, so that choosing is a change
    if (preset >= 0)
        presets->setCurrentIndex(preset);
    QStringList shown;
    for (const char *name : {"lineEditIP", "lineEditUser", "lineEditPass"})
        shown << dialog.findChild<QLineEdit *>(name)->text();
    const QStringList values{address, "tastarello", "kantor"};
    QCOMPARE(shown, values);
    QCOMPARE(QStringList({dialog.IPAddress, dialog.Username, dialog.Password}), values);
}

void TestComm::helpTextsAndCaptions()
{
    auto *tabs = session->widget<QTabWidget>("tabWidget");
    auto *help = session->widget<QLabel>("ManualText");
    for (int tab : {1, 2, 3, 4, 5, 6, 0}) {
        tabs->setCurrentIndex(tab);
        QCOMPARE(help->text(), session->window()->helpText(tab));
    }

    // Where the window has the room, nothing scrolls and nothing moves.
    MainWindow *w = session->window();
    w->showNormal();
    w->resize(1280, 800);
    auto *area = session->widget<QScrollArea>("scrollArea");
    QVERIFY(area);
    QTRY_COMPARE(area->viewport()->size(), w->centralWidget()->size());
    QVERIFY(!area->horizontalScrollBar()->isVisible() && !area->verticalScrollBar()->isVisible());
    QCOMPARE(session->widget<QWidget>("centralWidget")->geometry(), area->viewport()->rect());
}

void TestComm::scaling_data()
{
    QTest::addColumn<QString>("scenario");
    for (const QString &scenario : scaledScenarios())
        QTest::newRow(qPrintable(scenario)) << scenario;
}

// All children run at once, at the first row.
void TestComm::scaling()
{
    const ChildRun run = childOfRow(scaledScenarios(), 60000);
    QVERIFY2(run.finished && run.exitCode == 0, qPrintable(run.output));
}

int main(int argc, char **argv)
{
    // A scaling row's child: the display's logical DPI is 96 x the factor, scaling and catalogues are
    // set up as in the program.
    const QStringList scenario = qEnvironmentVariable(scenarioVariable).split(QLatin1Char(' '));
    const bool scaled = scenario.size() == 2;
    if (scaled) {
        qputenv("QT_FONT_DPI", QByteArray::number(qRound(96 * scenario[1].toDouble())));
#ifdef Q_OS_WIN
        // With the fonts the program shows, Windows' own (Wine's, with the font engine that the Windows
        // check starts it with), not the offscreen plugin's.
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
        enableDisplayScaling();
    }
    QApplication app(argc, argv);
    if (scaled) {
        QApplication::setStyle(QStringLiteral("Fusion"));
        const Catalogues catalogues(scenario[0]);
        return checkWindowAtScale(scenario[0], scenario[1].toDouble());
    }
    TestComm test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_comm.moc"
