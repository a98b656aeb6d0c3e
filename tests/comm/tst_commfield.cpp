// The program in the field: a master that sends markup, a busy event loop, the pane's menu and find
// key, quitting with lines still queued, and a link that dies without a word.

#include <QtTest>
#include <QtWidgets>

#include "commfixture.h"
#include "panefinder.h"
#include "terminalsaver.h"

using namespace commtest;

class TestCommField : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void masterTextIsShownVerbatim();
    void pacingAfterABusyEventLoop();
    void timestampsAndTheFindKey();
    void closingWithLinesQueued_data();
    void closingWithLinesQueued();
    void deadLinkGoesOffline_data();
    void deadLinkGoesOffline();

private:
    static bool ip(const QStringList &arguments)
    {
        return QProcess::execute(QStringLiteral("ip"), arguments) == 0;
    }
    // The count in a message, the only part of its text that depends on what happened.
    static int countIn(const QString &text)
    {
        return QRegularExpression(QStringLiteral("\\d+")).match(text).captured().toInt();
    }
    std::unique_ptr<CommSession> session;
};

void TestCommField::initTestCase()
{
    installGermanCatalogue();
    // An image tag must never make the pane open the file it names.
    MasterSimOptions options;
    options.banner =
        QStringLiteral("<b>bold</b> <img src=\"%1\"> &amp; <").arg(QCoreApplication::applicationFilePath());
    session = std::make_unique<CommSession>(options);
    QVERIFY2(session->start(), qPrintable(session->error));
}

// From the master (the banner before the login prompt) and typed in the command line.
void TestCommField::masterTextIsShownVerbatim()
{
    const QString text = session->sim().options().banner;
    const QTextDocument *pane = session->widget<QPlainTextEdit>("Display")->document();
    QVERIFY2(pane->toPlainText().contains(text + QLatin1Char('\n')), qPrintable(pane->toPlainText()));
    QVERIFY(session->perform({"type:" + text}).isEmpty());
    QCOMPARE(pane->lastBlock().text(), text);
}

// A tick that comes late because the event loop was held up (a flood laid out): the line after it
// still keeps a full interval, as the master expects. Lower bounds only: load makes gaps longer.
void TestCommField::pacingAfterABusyEventLoop()
{
    QVERIFY(session->drainAndClear());
    for (int i = 0; i < 3; ++i)
        session->window()->queueCommand(QStringLiteral("gsm"), Send, 0);
    QVERIFY(session->waitForReceived(1, 3000));
    QThread::msleep(1500); // the second line's tick comes about half an interval late
    QVERIFY(session->waitForReceived(3, 4000));
    const QList<MasterSim::ReceivedLine> lines = session->sim().receivedLines();
    const qint64 gap = lines[1].time.msecsTo(lines[2].time);
    QVERIFY2(gap >= 900, qPrintable(QString::number(gap)));
}

// "Zeitstempel anzeigen" in the pane's menu, off at start; the standard Find key opens the find field.
void TestCommField::timestampsAndTheFindKey()
{
    QVERIFY(session->drainAndClear());
    auto *pane = session->widget<QPlainTextEdit>("Display");
    std::unique_ptr<QMenu> menu(pane->findChild<TerminalSaver *>()->createMenu());
    QAction *stamps = nullptr;
    for (QAction *action : menu->actions())
        stamps = action->isCheckable() ? action : stamps; // "Zeitstempel anzeigen"
    QVERIFY(stamps && !stamps->isChecked());
    stamps->setChecked(true);
    QVERIFY(session->perform({"type:gsm"}).isEmpty());
    QVERIFY(pane->document()->lastBlock().text().contains(
        QRegularExpression("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3} gsm$")));
    stamps->setChecked(false);

    QMainWindow *window = session->window();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    session->widget<QLineEdit>("lineEdit")->setFocus();
    QTest::keySequence(window, QKeySequence::Find);
    auto *finder = window->findChild<PaneFinder *>();
    QVERIFY(finder->isVisible() && finder->field()->hasFocus());
    // Over the pane's bottom edge, within it.
    QVERIFY(pane->rect().contains(finder->geometry()) && finder->geometry().bottom() >= pane->height() - 8);
    QTest::keyClick(finder->field(), Qt::Key_Escape);
    QVERIFY(!finder->isVisible() && session->widget<QLineEdit>("lineEdit")->hasFocus());
}

void TestCommField::closingWithLinesQueued_data()
{
    QTest::addColumn<QStringList>("queued");
    QTest::addColumn<int>("answer"); // a button, or NoButton: Return
    QTest::addColumn<bool>("closeAgain");
    QTest::addColumn<bool>("offline");
    const QStringList two{"fw1", "sc1"};
    QTest::newRow("Yes: the lines go out first") << two << int(QMessageBox::Yes) << false << false;
    QTest::newRow("Return with one line: sent first")
        << QStringList{"gsm"} << int(QMessageBox::NoButton) << false << false;
    QTest::newRow("Yes, then close again") << two << int(QMessageBox::Yes) << true << false;
    QTest::newRow("No: closed at once") << two << int(QMessageBox::No) << false << false;
    QTest::newRow("nothing queued: no question") << QStringList() << int(QMessageBox::No) << false << false;
    QTest::newRow("Yes while offline: warned, kept open") << two << int(QMessageBox::Yes) << true << true;
}

void TestCommField::closingWithLinesQueued()
{
    QFETCH(QStringList, queued);
    QFETCH(int, answer);
    QFETCH(bool, closeAgain);
    QFETCH(bool, offline);
    session.reset(); // one simulator on port 23 at a time
    CommSession s;
    QVERIFY2(s.start(), qPrintable(s.error));
    QVERIFY(s.drainAndClear());
    if (offline) {
        QVERIFY(s.perform({"click:Trennen_btn"}).isEmpty());
        QVERIFY(s.waitForStatus(QStringLiteral("offline"), 4000));
    }
    for (const QString &line : queued)
        s.window()->queueCommand(line, Send, 0);
    MessageBoxCloser closer{QMessageBox::StandardButton(answer)};
    s.window()->close();
    const bool waits = !queued.isEmpty() && answer != QMessageBox::No;
    QCOMPARE(closer.seen.size(), queued.isEmpty() ? 0 : 1);
    if (!queued.isEmpty())
        QCOMPARE(countIn(closer.seen[0].text), queued.size());

    QCOMPARE(s.window()->isVisible(), waits);
    if (offline) {
        // Both lines were dropped at their ticks: nothing may pass for sent.
        QVERIFY(QTest::qWaitFor([&] { return closer.seen.size() == 2; }, 5000));
        QCOMPARE(countIn(closer.seen[1].text), 2);
        QVERIFY(s.window()->isVisible() && s.window()->pendingCommands().isEmpty());
    }
    if (closeAgain) {
        s.window()->close();
        QVERIFY(!s.window()->isVisible());
        QCOMPARE(closer.seen.size(), offline ? 2 : 1);
        return;
    }
    if (waits) {
        QVERIFY(QTest::qWaitFor([&] { return !s.window()->isVisible(); }, 5000));
        // Written before the window closed; the simulator reads it a moment later.
        QVERIFY(QTest::qWaitFor([&] { return s.receivedTexts() == queued; }, 2000));
    }
}

void TestCommField::deadLinkGoesOffline_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("queued");
    // Documentation addresses, inside the test's own network namespace.
    QTest::newRow("idle") << "192.0.2.23" << 0;
    QTest::newRow("lines going out, quitting") << "192.0.2.24" << 6;
}

// The address of the master vanishes and is black-holed: segments disappear without a reset.
void TestCommField::deadLinkGoesOffline()
{
    QFETCH(QString, address);
    QFETCH(int, queued);
#ifdef Q_OS_WIN
    QSKIP("cuts the link with Linux's ip command, which a Windows program cannot start");
#endif
    QVERIFY2(qEnvironmentVariableIsSet("TASTARELLO_IN_NETNS"), "run through scripts/netns-run");
    QVERIFY(ip({"addr", "add", address + "/32", "dev", "lo"}));
    CommSession s;
    s.simAddress = address;
    QVERIFY2(s.start(), qPrintable(s.error));
    QVERIFY(s.drainAndClear(3000));
    MessageBoxCloser closer{QMessageBox::Yes};
    for (int i = 0; i < queued; ++i)
        s.window()->queueCommand(QStringLiteral("gsm"), Send, 0);
    // Quitting with lines queued: the first one arrives and is acknowledged, and the link dies
    // afterwards; the lines written into the dead link must not pass for sent. Idle, the answer to
    // "gua" has arrived and nothing is in flight: only keep-alive can tell.
    if (queued > 0)
        s.window()->close();
    const QTextDocument *pane = s.widget<QPlainTextEdit>("Display")->document();
    QVERIFY(QTest::qWaitFor(
        [&] {
            return s.window()->telnetClient().bytesInFlight() == 0 &&
                   (queued > 0 ? !s.sim().receivedLines().isEmpty()
                               : pane->toPlainText().endsWith(QLatin1String("tastarello> ")));
        },
        3000));
    QSignalSpy errors(&s.window()->telnetClient(), &telnetlib1::connectionError);
    QElapsedTimer sinceCut;
    sinceCut.start();
    QVERIFY(ip({"addr", "del", address + "/32", "dev", "lo"}));
    QVERIFY(ip({"route", "add", "blackhole", address + "/32"}));
    const bool noticed = QTest::qWaitFor([&] { return !errors.isEmpty(); }, 15000);
    const qint64 noticedMs = sinceCut.elapsed();
    // "offline" is a status entry of the queue: it shows once the lines queued before it are out.
    const bool offline = s.waitForStatus(QStringLiteral("offline"), (queued + 3) * 1000);
    qInfo("%s: connection error %lld ms, \"offline\" %lld ms after the cut", QTest::currentDataTag(),
          noticedMs, sinceCut.elapsed());
    ip({"route", "del", "blackhole", address + "/32"});
    QVERIFY(noticed);
    QVERIFY(offline);
    QCOMPARE(s.statusBar()->styleSheet(), QStringLiteral("color: red"));
    if (queued > 0) {
        QVERIFY(QTest::qWaitFor([&] { return closer.seen.size() == 2; }, 3000));
        QCOMPARE(countIn(closer.seen[1].text), queued - s.sim().receivedLines().size());
        QVERIFY(s.window()->isVisible());
    }
}

QTEST_MAIN(TestCommField)
#include "tst_commfield.moc"
