// The program in the field: a master that sends markup, a link that dies without a word, quitting
// with lines still queued, and floods that the pane must take in pieces and keep bounded.

#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include "commfixture.h"
#include "terminalwriter.h"

using namespace commtest;

namespace {

bool ip(const QStringList &arguments)
{
    return QProcess::execute(QStringLiteral("ip"), arguments) == 0;
}

// The paragraphs of the pane that hold text, which must be "line <n>" numbered without a gap.
QString numberingProblem(const QTextDocument *document, int last)
{
    QList<int> numbers;
    for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
        if (!b.text().isEmpty())
            numbers.append(b.text().mid(5, 90).toInt());
    for (int i = 0; i < numbers.size(); ++i)
        if (numbers[i] != last - (numbers.size() - 1 - i))
            return QStringLiteral("paragraph %1 of %2 is line %3").arg(i).arg(numbers.size()).arg(numbers[i]);
    return QString();
}

} // namespace

class TestCommField : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void masterTextIsShownVerbatim_data();
    void masterTextIsShownVerbatim();
    void closingWithLinesQueued_data();
    void closingWithLinesQueued();
    void deadLinkGoesOffline_data();
    void deadLinkGoesOffline();
    void paneTakesFloodsInPiecesAndKeepsTheNewest_data();
    void paneTakesFloodsInPiecesAndKeepsTheNewest();
    void cleanupTestCase() { session.reset(); }

private:
    std::unique_ptr<CommSession> session;
    QTemporaryFile image;
};

void TestCommField::initTestCase()
{
    installGermanCatalogue();
    // An image tag naming this file must never make the pane open it.
    QVERIFY(image.open());
    image.write("GIF89a");
    image.flush();
    MasterSimOptions options;
    options.banner = QStringLiteral("<b>bold</b>\r\n<ok>\r\n<img src=\"%1\">\r\n&amp; &lt;x&gt;\r\n<")
                         .arg(image.fileName());
    session = std::make_unique<CommSession>(options);
    QVERIFY2(session->start(), qPrintable(session->error));
}

void TestCommField::masterTextIsShownVerbatim_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("markup") << "<b>bold</b>";
    QTest::newRow("unknown tag") << "<ok>";
    QTest::newRow("image") << QStringLiteral("<img src=\"%1\">").arg(image.fileName());
    QTest::newRow("entities") << "&amp; &lt;x&gt;";
    QTest::newRow("lone <") << "<";
    QTest::newRow("plain") << "gva 1/1: keyboard 1";
}

// From the master (the banner before the login prompt) and typed in the command line.
void TestCommField::masterTextIsShownVerbatim()
{
    QFETCH(QString, text);
    const QTextDocument *pane = session->widget<QTextEdit>("Display")->document();
    if (!text.startsWith(QLatin1String("gva")))
        QVERIFY2(pane->toPlainText().contains(text + QLatin1Char('\n')), qPrintable(pane->toPlainText()));
    QVERIFY(session->perform({"set:lineEdit=" + text, "click:Senden_btn"}).isEmpty());
    QCOMPARE(pane->lastBlock().text(), text);
}

void TestCommField::closingWithLinesQueued_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closeAgain");
    QTest::addColumn<bool>("offline");
    QTest::newRow("Yes: the lines go out first") << true << int(QMessageBox::Yes) << false << false;
    QTest::newRow("Yes, then close again") << true << int(QMessageBox::Yes) << true << false;
    QTest::newRow("No: closed at once") << true << int(QMessageBox::No) << false << false;
    QTest::newRow("nothing queued: no question") << false << int(QMessageBox::No) << false << false;
    QTest::newRow("Yes while offline: warned, kept open") << true << int(QMessageBox::Yes) << true << true;
}

void TestCommField::closingWithLinesQueued()
{
    QFETCH(bool, save);
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
    if (save)
        QVERIFY(s.perform({"click:Konfiguration_speichern_btn"}).isEmpty());
    MessageBoxCloser closer{QMessageBox::StandardButton(answer)};
    s.window()->close();
    const bool waits = save && answer == QMessageBox::Yes;
    QCOMPARE(closer.seen.size(), save ? 1 : 0);
    if (save)
        QVERIFY2(closer.seen[0].text.contains(QLatin1String(": 2.")), qPrintable(closer.seen[0].text));
    QCOMPARE(s.window()->isVisible(), waits);
    if (offline) {
        // Both lines were dropped at their ticks: nothing may pass for sent.
        QVERIFY(QTest::qWaitFor([&] { return closer.seen.size() == 2; }, 5000));
        QCOMPARE(closer.seen[1].text,
                 QStringLiteral("Keine Verbindung: 2 Befehlszeilen wurden nicht gesendet."));
        QVERIFY(s.window()->isVisible());
        QVERIFY(s.window()->pendingCommands().isEmpty());
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
        QVERIFY(QTest::qWaitFor([&] { return s.receivedTexts().size() == 2; }, 2000));
        QCOMPARE(s.receivedTexts(), QStringList({"fw1", "sc1"}));
    } else {
        QVERIFY(!s.receivedTexts().contains("sc1"));
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
    QVERIFY2(qEnvironmentVariableIsSet("TASTARELLO_IN_NETNS"), "run through tests/netns-run");
    QVERIFY(ip({"addr", "add", address + "/32", "dev", "lo"}));
    CommSession s;
    s.simAddress = address;
    QVERIFY2(s.start(), qPrintable(s.error));
    QVERIFY(s.waitForQueueEmpty(3000));
    s.sim().clearReceivedLines();
    for (int i = 0; i < queued; ++i)
        s.window()->queueCommand(QStringLiteral("gsm"), Send, 0);
    if (queued > 0)
        QVERIFY(s.waitForReceived(1, 3000));
    else
        QTest::qWait(1500); // truly idle: the answer to "gua" acknowledged, only keep-alive can tell
    QSignalSpy errors(&s.window()->telnetClient(), &telnetlib1::connectionError);
    MessageBoxCloser closer{QMessageBox::Yes};
    QElapsedTimer sinceCut;
    sinceCut.start();
    QVERIFY(ip({"addr", "del", address + "/32", "dev", "lo"}));
    QVERIFY(ip({"route", "add", "blackhole", address + "/32"}));
    // Quitting now must not pass the lines written into the dead link for sent.
    if (queued > 0)
        s.window()->close();
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
        QCOMPARE(closer.seen[1].text,
                 QStringLiteral("Keine Verbindung: %1 Befehlszeilen wurden nicht gesendet.")
                     .arg(queued - s.sim().receivedLines().size()));
        QVERIFY(s.window()->isVisible());
    }
}

void TestCommField::paneTakesFloodsInPiecesAndKeepsTheNewest_data()
{
    QTest::addColumn<int>("arrivals");
    QTest::addColumn<int>("linesEach");
    // More than the pane keeps in one arrival, and arrivals one by one that add up to more.
    QTest::newRow("one flood") << 1 << 7000;
    QTest::newRow("arrival by arrival") << 30 << 100;
}

void TestCommField::paneTakesFloodsInPiecesAndKeepsTheNewest()
{
    QFETCH(int, arrivals);
    QFETCH(int, linesEach);
    const int keep = 1000;
    QTextEdit pane;
    TerminalWriter writer(&pane, keep);
    int line = 0;
    for (int a = 0; a < arrivals; ++a) {
        QString text;
        for (int i = 0; i < linesEach; ++i)
            text += QStringLiteral("line %1\r\n").arg(++line, 90, 10, QLatin1Char('0'));
        writer.append(text);
        // A large arrival is not written in one go; small ones are, one by one.
        QCOMPARE(writer.hasPending(), text.size() > TerminalWriter::kPieceChars);
        QVERIFY(QTest::qWaitFor([&] { return !writer.hasPending(); }, 20000));
    }
    const QTextDocument *document = pane.document();
    // One flood too large for the pane leaves exactly its last paragraphs; arrivals one by one leave in
    // batches.
    QVERIFY2(arrivals == 1 ? document->blockCount() == keep
                           : document->blockCount() >= keep && document->blockCount() <= keep + keep / 50,
             qPrintable(QString::number(document->blockCount())));
    const QString problem = numberingProblem(document, line);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    // A line longer than a piece stays one paragraph, behind everything before it.
    const QString longLine(TerminalWriter::kPieceChars * 2 + 7, QLatin1Char('x'));
    writer.append(longLine);
    writer.append(QStringLiteral("after"));
    QVERIFY(QTest::qWaitFor([&] { return !writer.hasPending(); }, 20000));
    QCOMPARE(document->lastBlock().text(), QStringLiteral("after"));
    QCOMPARE(document->lastBlock().previous().text(), longLine);
}

QTEST_MAIN(TestCommField)
#include "tst_commfield.moc"
