// Commands keep their one-second pace while the master floods the terminal pane. The simulator
// runs as a process of its own, as the real master would: it writes as fast as the connection
// takes it, so the program reads megabytes at once and lays them out in the pane.

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include "commfixture.h"

using namespace commtest;

class TestCommFlood : public QObject
{
    Q_OBJECT

private slots:
    void queuedCommandsKeepTheirPaceDuringAFlood();
};

void TestCommFlood::queuedCommandsKeepTheirPaceDuringAFlood()
{
    const int lines = 100000;
    const int commands = 5;
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("mastersim.log"));
    QProcess sim;
    sim.start(QStringLiteral(TASTARELLO_MASTERSIM),
              {"--listen", kSimAddress, "--port", "23", "--flood", QString::number(lines), "--log", log});
    QVERIFY2(sim.waitForReadyRead(5000), "the simulator did not start");

    CommSession session(MasterSimOptions(), false);
    QVERIFY2(session.start(), qPrintable(session.error));
    QVERIFY(session.waitForQueueEmpty(3000));
    QTest::qWait(300);
    auto *display = session.widget<QTextEdit>("Display");
    const int blocks = display->document()->blockCount();
    QVERIFY(session.perform({"click:Alle_Werte_anzeigen_btn"}).isEmpty());
    for (int i = 0; i < commands; ++i)
        session.window()->queueCommand(QStringLiteral("gh"), Send, 0);
    QVERIFY(session.waitForQueueEmpty((commands + 3) * 2000));
    // Every flood line became a paragraph of its own.
    QVERIFY(QTest::qWaitFor([&] { return display->document()->blockCount() >= blocks + lines; }, 20000));
    QTest::qWait(500);
    sim.terminate();
    sim.waitForFinished(3000);

    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QList<QDateTime> arrivals;
    const QRegularExpression entry(QStringLiteral("^(\\S+) > gh$"), QRegularExpression::MultilineOption);
    for (auto it = entry.globalMatch(QString::fromLatin1(file.readAll())); it.hasNext();)
        arrivals.append(QDateTime::fromString(it.next().captured(1), Qt::ISODateWithMs));
    QCOMPARE(arrivals.size(), commands);
    QStringList gaps;
    bool paced = true;
    for (int i = 1; i < arrivals.size(); ++i) {
        const qint64 gap = arrivals[i - 1].msecsTo(arrivals[i]);
        gaps << QString::number(gap);
        // Coarse timers may fire up to 5 % early; never two lines together.
        paced = paced && gap >= 900 && gap <= 3000;
    }
    QVERIFY2(paced, qPrintable(QStringLiteral("gaps in ms: ") + gaps.join(QStringLiteral(", "))));
}

QTEST_MAIN(TestCommFlood)

#include "tst_commflood.moc"
