// The terminal pane without a window or a master: the writer against a model of what the pane
// must show (both bounds, cuts, every kind of line end, timestamps, texts one by one or at once),
// the find field, its menu in each language, and saving the pane to a file.

#include <QtTest>
#include <QtWidgets>

#include <limits>
#include <memory>
#include <utility>

#include "catalogues.h"
#include "commfixture.h"
#include "panefinder.h"
#include "terminalsaver.h"
#include "terminalwriter.h"

namespace {

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

class TestPane : public QObject
{
    Q_OBJECT

private slots:
    void paneKeepsTheNewestWithinBothBounds_data();
    void paneKeepsTheNewestWithinBothBounds();
    void findInThePane_data();
    void findInThePane();

    // New text is followed while the view is at the bottom; scrolled up, the view stays put.
    void followsOnlyAtTheBottom()
    {
        QPlainTextEdit pane;
        pane.resize(300, 120);
        pane.show();
        TerminalWriter writer(&pane);
        QScrollBar *bar = pane.verticalScrollBar();
        for (int scrolledTo : {-1, 5, -1}) {
            if (scrolledTo >= 0)
                bar->setValue(scrolledTo);
            const int before = bar->value(), maximum = bar->maximum();
            writer.append(QStringLiteral("text\n").repeated(50));
            QVERIFY(QTest::qWaitFor([&] { return bar->maximum() > maximum; }));
            QCOMPARE(bar->value(), scrolledTo < 0 ? bar->maximum() : before);
            bar->setValue(bar->maximum());
        }
    }

    // The technician's right-click opens the pane's menu: Qt's entries and the program's, in the
    // language of the catalogues (the program's and Qt's own).
    void contextMenu_data()
    {
        QTest::addColumn<QStringList>("menu"); // Qt's "Select All", then the program's entries ("+": checked)
        QTest::newRow("de") << QStringList{"Alles auswählen", "+Zeitstempel anzeigen", "Terminal speichern…"};
        QTest::newRow("it") << QStringList{"Seleziona tutto", "+Mostra orari", "Salva terminale…"};
        QTest::newRow("en") << QStringList{"Select All", "+Show timestamps", "Save terminal…"};
    }
    void contextMenu()
    {
        const Catalogues catalogues(QString::fromLatin1(QTest::currentDataTag()));
        QPlainTextEdit pane;
        pane.resize(300, 120);
        pane.show();
        QVERIFY(QTest::qWaitForWindowExposed(&pane));
        TerminalWriter writer(&pane);
        writer.setTimestamps(true);
        new TerminalSaver(&pane, &writer);
        QStringList shown;
        QTimer::singleShot(0, [&] {
            if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                for (QAction *action : menu->actions())
                    if (!action->isSeparator())
                        shown << (action->isChecked() ? "+" : "") +
                                     action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
                menu->close();
            }
        });
        QTest::mouseClick(pane.windowHandle(), Qt::RightButton, {},
                          pane.viewport()->mapTo(&pane, QPoint(20, 20)));
        QTEST(QStringList(shown.mid(shown.size() - 3)), "menu");
    }
    void save()
    {
        QTemporaryDir dir;
        QPlainTextEdit pane;
        TerminalSaver saver(&pane);
        for (const char *text : {"gua", "Master \xc3\xa4\xc3\xb6\r\n", "a\rb"})
            pane.appendPlainText(QString::fromUtf8(text));
        commtest::MessageBoxCloser closer;
        // Through the menu's entry and the file dialog (Qt's own, on every platform).
        QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            dialog->selectFile(dir.filePath(QStringLiteral("out.txt")));
            static_cast<QDialog *>(dialog)->accept();
        });
        std::unique_ptr<QMenu>(saver.createMenu())->actions().last()->trigger();
        QVERIFY(closer.seen.isEmpty());
        QFile out(dir.filePath(QStringLiteral("out.txt")));
        QVERIFY(out.open(QIODevice::ReadOnly));
        QByteArray expected("gua\nMaster \xc3\xa4\xc3\xb6\n\na\nb\n");
#ifdef Q_OS_WIN
        expected.replace("\n", "\r\n");
#endif
        QCOMPARE(out.readAll(), expected);

        const QString unwritable = dir.filePath(QStringLiteral("missing/out.txt"));
        QVERIFY(!saver.saveTo(unwritable));
        QCOMPARE(closer.seen.size(), 1); // the box is modal: answered by now
        QVERIFY2(closer.seen[0].text.contains(QDir::toNativeSeparators(unwritable)),
                 qPrintable(closer.seen[0].text));
        QCOMPARE(TerminalSaver::suggestedFileName(QDateTime({2024, 5, 1}, {14, 30, 5})),
                 QStringLiteral("terminal_2024-05-01_14-30-05.txt"));
    }
};

void TestPane::paneKeepsTheNewestWithinBothBounds_data()
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
    QStringList arrivals, unended;
    for (int a = 0; a < 30; ++a)
        arrivals << lines(a * 100, 100, 80);
    for (int a = 0; a < 30; ++a)
        unended << patterned(50000, a);
    const int cut = TerminalWriter::kCutLength;
    const QString smiley = QString::fromUtf8("\xf0\x9f\x98\x80"); // a surrogate pair
    const int never = std::numeric_limits<int>::max();            // every text on its own
    QTest::newRow("paragraph bound, arrival by arrival") << arrivals << 1000 << 10000000 << never << false;
    // Less than fills the pane: nothing of what the pane holds may be skipped.
    QTest::newRow("no line end at all, the last at once")
        << unended + QStringList{patterned(200000, 1), patterned(200000, 2), patterned(200000, 3)} << 100000
        << 1000000 << 30 << false;
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
    // The pane's own bounds: a hundred thousand paragraphs, ten million characters.
    QTest::newRow("default paragraph bound")
        << QStringList{QStringLiteral("ab\r\n").repeated(120000)} << 0 << 0 << 0 << false;
    QTest::newRow("default character bound")
        << QStringList(QVector<QString>(3000, patterned(3999, 5) + "\n").toList()) << 0 << 0 << 0 << false;
    QTest::newRow("CR LF dense, at once")
        << QStringList(QVector<QString>(10, QStringLiteral("ab\r\n").repeated(25000)).toList()) << 1000000
        << 100000 << 0 << false;
}

// A paragraph per text, per line end and per kCutLength characters, nothing lost or doubled, in
// the order of arrival, within both bounds: whether the texts come one by one or all at once.
void TestPane::paneKeepsTheNewestWithinBothBounds()
{
    QFETCH(QStringList, texts);
    QFETCH(int, maxParagraphs);
    QFETCH(int, maxCharacters);
    QFETCH(int, burstFrom);
    QFETCH(bool, stamped);
    QPlainTextEdit pane;
    std::unique_ptr<TerminalWriter> bounded;
    if (maxParagraphs == 0)
        bounded = std::make_unique<TerminalWriter>(&pane), maxParagraphs = 100000, maxCharacters = 10000000;
    else
        bounded = std::make_unique<TerminalWriter>(&pane, maxParagraphs, maxCharacters);
    TerminalWriter &writer = *bounded;
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

void TestPane::findInThePane_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");          // the pane's cursor when the field opens, -1 at the end
    QTest::addColumn<QStringList>("steps"); // "type:term" or a key
    QTest::addColumn<QStringList>("found"); // after each step: where the match begins, and the note
    const QString text = QStringLiteral("alpha beta\r\ngamma BETA\r\ndelta beta");
    QTest::newRow("from the cursor") << text << 12 << QStringList{"type:beta"} << QStringList{"17|"};
    QString lines;
    for (int i = 0; i < 40; ++i)
        lines += QStringLiteral("line %1\n").arg(i, 2, 10, QLatin1Char('0'));
    QTest::newRow("a match in the last line, behind the field")
        << lines + "needle" << -1 << QStringList{"type:needle"} << QStringList{"320|"};
    QTest::newRow("next, previous, wrap-around")
        << text << -1 << QStringList{"type:beta", "Return", "F3", "Return", "Shift+Return", "Shift+F3"}
        << QStringList{"6|", "17|", "28|", "6|Vom Anfang weiter", "28|Vom Ende weiter", "17|"};
    QTest::newRow("not found") << text << -1 << QStringList{"type:zeta", "Return"}
                               << QStringList{"-1|Nicht gefunden", "-1|Nicht gefunden"};
}

void TestPane::findInThePane()
{
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, found);
    QPlainTextEdit pane;
    pane.resize(400, 160);
    pane.show();
    TerminalWriter writer(&pane);
    PaneFinder finder(&pane);
    writer.append(text);
    if (from >= 0) {
        QTextCursor cursor = pane.textCursor();
        cursor.setPosition(from);
        pane.setTextCursor(cursor);
    }
    finder.open();
    QStringList seen;
    for (const QString &step : steps) {
        if (step.startsWith(QLatin1String("type:"))) {
            finder.field()->clear();
            QTest::keyClicks(finder.field(), step.mid(5));
        } else {
            const bool shift = step.startsWith(QLatin1String("Shift+"));
            QTest::keyClick(finder.field(), step.endsWith(QLatin1String("F3")) ? Qt::Key_F3 : Qt::Key_Return,
                            shift ? Qt::ShiftModifier : Qt::NoModifier);
        }
        const QTextCursor cursor = pane.textCursor();
        // A match is shown, above the field.
        if (cursor.hasSelection())
            QVERIFY(pane.cursorRect().top() >= 0 &&
                    pane.viewport()->mapTo(&pane, pane.cursorRect().bottomLeft()).y() < finder.y());
        seen << QStringLiteral("%1|%2")
                    .arg(cursor.hasSelection() ? cursor.selectionStart() : -1)
                    .arg(finder.note());
    }
    QCOMPARE(seen, found);
}

QTEST_MAIN(TestPane)
#include "tst_pane.moc"
