// The program in the field: a master that sends markup, a link that dies without a word, quitting
// with lines still queued, and floods that the pane must take in pieces and keep bounded.

#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryFile>
#include <QTest>
#include <QTextBlock>
#include <QThread>

#include "catalogues.h"
#include "commfixture.h"
#include "panefinder.h"
#include "terminalsaver.h"
#include "terminalwriter.h"

using namespace commtest;

namespace {

bool ip(const QStringList &arguments)
{
    return QProcess::execute(QStringLiteral("ip"), arguments) == 0;
}

// What the pane must show for these texts: each text a new paragraph, a paragraph per line end
// (CR LF, CR or LF) and per kCutLength characters of a line, and then the oldest paragraphs
// dropped until both bounds hold.
QString expectedPane(const QStringList &texts, int maxParagraphs, int maxCharacters, int stamp)
{
    QStringList paragraphs;
    for (const QString &text : texts) {
        QString current;
        for (int i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            if (c == '\r' || c == '\n') {
                i += c == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
                paragraphs << std::exchange(current, QString());
                continue;
            }
            if (current.size() >= TerminalWriter::kCutLength && !c.isLowSurrogate())
                paragraphs << std::exchange(current, QString());
            current += c;
        }
        paragraphs << current;
    }
    qint64 characters = 0;
    for (const QString &p : paragraphs)
        characters += stamp + p.size() + 1;
    int first = 0;
    for (; paragraphs.size() - first > maxParagraphs || characters > maxCharacters; ++first)
        characters -= stamp + paragraphs[first].size() + 1;
    return paragraphs.mid(first).join('\n');
}

// Text in which every position differs from its neighbours, so that a lost or doubled piece shows.
QString patterned(int length, int seed)
{
    QString text(length, Qt::Uninitialized);
    for (int i = 0; i < length; ++i)
        text[i] = QChar('a' + (i + seed) % 26);
    return text;
}

} // namespace

class TestCommField : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void masterTextIsShownVerbatim_data();
    void masterTextIsShownVerbatim();
    void pacingAfterABusyEventLoop();
    void timestampsAndTheFindKey();
    void findInThePane_data();
    void findInThePane();
    void closingWithLinesQueued_data();
    void closingWithLinesQueued();
    void deadLinkGoesOffline_data();
    void deadLinkGoesOffline();
    void paneKeepsTheNewestWithinBothBounds_data();
    void paneKeepsTheNewestWithinBothBounds();
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
    const QTextDocument *pane = session->widget<QPlainTextEdit>("Display")->document();
    if (!text.startsWith(QLatin1String("gva")))
        QVERIFY2(pane->toPlainText().contains(text + QLatin1Char('\n')), qPrintable(pane->toPlainText()));
    QVERIFY(session->perform({"set:lineEdit=" + text, "click:Senden_btn"}).isEmpty());
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
        if (action->text() == QLatin1String("Zeitstempel anzeigen"))
            stamps = action;
    QVERIFY(stamps && stamps->isCheckable() && !stamps->isChecked());
    const QRegularExpression stamp(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d gsm$"));
    for (bool on : {true, false}) {
        stamps->setChecked(on);
        QVERIFY(session->perform({"set:lineEdit=gsm", "click:Senden_btn"}).isEmpty());
        QCOMPARE(stamp.match(pane->document()->lastBlock().text()).hasMatch(), on);
        QVERIFY(on || pane->document()->lastBlock().text() == QLatin1String("gsm"));
        QVERIFY(session->drainAndClear());
    }

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

void TestCommField::findInThePane_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("steps"); // "type:term", a key, or "append:text"
    QTest::addColumn<QStringList>("found"); // after each step: where the match begins, and the note
    const QString text = QStringLiteral("alpha beta\r\ngamma BETA\r\ndelta beta");
    QTest::newRow("next, previous, wrap-around")
        << text << QStringList{"type:beta", "Return", "F3", "Return", "Shift+Return", "Shift+F3"}
        << QStringList{"6|", "17|", "28|", "6|Vom Anfang weiter", "28|Vom Ende weiter", "17|"};
    QTest::newRow("longer term keeps its place")
        << text << QStringList{"type:b", "Return", "type:be", "type:bet"}
        << QStringList{"6|", "17|", "17|", "17|"};
    QTest::newRow("not found") << text << QStringList{"type:zeta", "Return"}
                               << QStringList{"-1|Nicht gefunden", "-1|Nicht gefunden"};
    QTest::newRow("markup is text") << "<b>x</b> <img src=\"/dev/zero\">"
                                    << QStringList{"type:<img src=\"/dev/zero\">"} << QStringList{"9|"};
    QTest::newRow("a thousand characters")
        << "start " + QString(1000, 'x')
        << QStringList{"type:" + QString(1000, 'X'), "type:" + QString(1001, 'x')}
        << QStringList{"6|", "6|Nicht gefunden"};
    QTest::newRow("while text arrives") << text << QStringList{"type:delta", "append:\r\ndelta again", "F3"}
                                        << QStringList{"22|", "22|", "34|"};
}

void TestCommField::findInThePane()
{
    QFETCH(QString, text);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, found);
    QPlainTextEdit pane;
    TerminalWriter writer(&pane);
    PaneFinder finder(&pane);
    writer.append(text);
    finder.open();
    QStringList seen;
    for (const QString &step : steps) {
        if (step.startsWith(QLatin1String("type:"))) {
            finder.field()->clear();
            QTest::keyClicks(finder.field(), step.mid(5));
        } else if (step.startsWith(QLatin1String("append:"))) {
            writer.append(step.mid(7));
        } else {
            const bool shift = step.startsWith(QLatin1String("Shift+"));
            QTest::keyClick(finder.field(), step.endsWith(QLatin1String("F3")) ? Qt::Key_F3 : Qt::Key_Return,
                            shift ? Qt::ShiftModifier : Qt::NoModifier);
        }
        const QTextCursor cursor = pane.textCursor();
        seen << QStringLiteral("%1|%2")
                    .arg(cursor.hasSelection() ? cursor.selectionStart() : -1)
                    .arg(finder.note());
    }
    QCOMPARE(seen, found);
}

void TestCommField::closingWithLinesQueued_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closeAgain");
    QTest::addColumn<bool>("offline");
    QTest::addColumn<QString>("language");
    QTest::newRow("Yes: the lines go out first") << true << int(QMessageBox::Yes) << false << false << "de";
    QTest::newRow("Yes, then close again") << true << int(QMessageBox::Yes) << true << false << "de";
    QTest::newRow("No: closed at once") << true << int(QMessageBox::No) << false << false << "de";
    QTest::newRow("No, in Italian") << true << int(QMessageBox::No) << false << false << "it";
    QTest::newRow("nothing queued: no question") << false << int(QMessageBox::No) << false << false << "de";
    QTest::newRow("Yes while offline: warned, kept open")
        << true << int(QMessageBox::Yes) << true << true << "de";
}

void TestCommField::closingWithLinesQueued()
{
    QFETCH(bool, save);
    QFETCH(int, answer);
    QFETCH(bool, closeAgain);
    QFETCH(bool, offline);
    QFETCH(QString, language);
    const Catalogues catalogues(language); // Qt's buttons in the technician's language too
    session.reset();                       // one simulator on port 23 at a time
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
    if (save) {
        QVERIFY2(closer.seen[0].text.contains(QLatin1String(": 2.")), qPrintable(closer.seen[0].text));
        QCOMPARE(closer.seen[0].title, language == "it" ? QStringLiteral("Esci") : QStringLiteral("Beenden"));
        const QStringList buttons =
            language == "it" ? QStringList{"&No", "&S\u00ec"} : QStringList{"&Ja", "&Nein"};
        QCOMPARE(closer.seen[0].buttons, buttons);
    }

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
#ifdef Q_OS_WIN
    QSKIP("cuts the link with Linux's ip command, which a Windows program cannot start");
#endif
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

void TestCommField::paneKeepsTheNewestWithinBothBounds_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<int>("maxParagraphs");
    QTest::addColumn<int>("maxCharacters");
    QTest::addColumn<int>("burstFrom"); // texts from here on arrive at once, those before one by one
    QTest::addColumn<bool>("stamped");
    const auto lines = [](int from, int count, int length) {
        QString text;
        for (int i = from; i < from + count; ++i)
            text += QStringLiteral("line %1 ").arg(i) + patterned(length, i) + QStringLiteral("\r\n");
        return text;
    };
    QStringList arrivals, flood, wide, unended, tiny;
    for (int a = 0; a < 30; ++a)
        arrivals << lines(a * 100, 100, 80);
    flood << lines(0, 7000, 80);
    for (int a = 0; a < 40; ++a)
        wide << lines(a * 10, 10, 500);
    for (int a = 0; a < 100; ++a)
        unended << patterned(50000, a);
    for (int a = 0; a < 20000; ++a)
        tiny << patterned(a % 3 + 1, a);
    const int cut = TerminalWriter::kCutLength;
    const QString smiley = QString::fromUtf8("\xf0\x9f\x98\x80"); // a surrogate pair
    const int never = 1 << 30 << false;
    QTest::newRow("paragraph bound, arrival by arrival") << arrivals << 1000 << 10000000 << never << false;
    QTest::newRow("paragraph bound, one flood") << flood << 1000 << 10000000 << never << false;
    QTest::newRow("character bound first") << wide << 1000 << 50000 << never << false;
    QTest::newRow("lines longer than the cut")
        << QStringList{"before", patterned(3 * cut + 7, 0),
                       "x\r\n" + patterned(cut, 1) + "\r\n" + patterned(cut + 1, 2), "after"}
        << 1000 << 10000000 << never << false;
    QTest::newRow("no line end at all") << unended << 100000 << 1000000 << never << false;
    QTest::newRow("no line end at all, at once") << unended << 100000 << 1000000 << 0 << false;
    // Less than fills the pane: nothing of what the pane holds may be skipped.
    QTest::newRow("no line end at all, the last at once")
        << unended.mid(0, 30) + QStringList{patterned(200000, 1), patterned(200000, 2), patterned(200000, 3)}
        << 100000 << 1000000 << 30 << false;
    QTest::newRow("line ends of every kind, a surrogate pair at the cut")
        << QStringList{"a\rb\nc\r\nd\n\r",
                       patterned(cut - 1, 0) + smiley + "y",
                       "\r\n",
                       "",
                       "x\r",
                       "\n" + patterned(cut, 3) + "\r",
                       patterned(TerminalWriter::kPieceChars - 1, 4) + "\r\nz"}
        << 1000 << 10000000 << never << false;
    QTest::newRow("line ends and cuts, stamped")
        << QStringList{"a\rb\nc\r\n", patterned(3 * cut + 7, 0), "\r\n", ""} << 1000 << 10000 << never
        << true;
    QTest::newRow("tiny texts at once") << tiny << 5000 << 10000000 << 0 << false;
    QTest::newRow("CR LF dense, at once")
        << QStringList(QVector<QString>(10, QStringLiteral("ab\r\n").repeated(25000)).toList()) << 1000000
        << 100000 << 0 << false;
}

// A paragraph per text, per line end and per kCutLength characters, nothing lost or doubled, in
// the order of arrival, within both bounds: whether the texts come one by one or all at once.
void TestCommField::paneKeepsTheNewestWithinBothBounds()
{
    QFETCH(QStringList, texts);
    QFETCH(int, maxParagraphs);
    QFETCH(int, maxCharacters);
    QFETCH(int, burstFrom);
    QFETCH(bool, stamped);
    QPlainTextEdit pane;
    TerminalWriter writer(&pane, maxParagraphs, maxCharacters);
    writer.setTimestamps(stamped);
    for (int i = 0; i < texts.size(); ++i) {
        const QString &text = texts[i];
        writer.append(text);
        if (i >= burstFrom)
            continue;
        // A large arrival is not written in one go; the event loop runs in between.
        QCOMPARE(writer.hasPending(), text.size() > TerminalWriter::kPieceChars);
        QVERIFY(QTest::qWaitFor([&] { return !writer.hasPending(); }, 20000));
    }
    QVERIFY(QTest::qWaitFor([&] { return !writer.hasPending(); }, 20000));
    const QString expected =
        expectedPane(texts, maxParagraphs, maxCharacters, stamped ? TerminalWriter::kStampLength : 0);
    QString shown = pane.toPlainText();
    if (stamped) {
        // Every paragraph begins with its time, which is then left out of the comparison.
        const QRegularExpression stamp(QStringLiteral("(^|\n)\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d "));
        QCOMPARE(shown.count(stamp), shown.count('\n') + 1);
        shown.replace(stamp, QStringLiteral("\\1"));
    }
    // Compared by size and digest: the texts run to megabytes.
    QCOMPARE(shown.size(), expected.size());
    QCOMPARE(qHash(shown), qHash(expected));
}

QTEST_MAIN(TestCommField)
#include "tst_commfield.moc"
