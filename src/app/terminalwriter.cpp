#include "terminalwriter.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTime>

namespace {

bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\n') || c == QLatin1Char('\r');
}

} // namespace

TerminalWriter::TerminalWriter(QPlainTextEdit *pane, int maxParagraphs, int maxCharacters, QObject *parent)
    : QObject(parent), pane(pane), maxParagraphs(maxParagraphs), maxCharacters(maxCharacters)
{
    // The history would keep a second copy of every text.
    pane->document()->setUndoRedoEnabled(false);
    nextTurn.setSingleShot(true);
    nextTurn.setInterval(0);
    connect(&nextTurn, &QTimer::timeout, this, [this] { writePendingPieces(kTurnBudgetMs); });
}

void TerminalWriter::append(const QString &text)
{
    const int newlines = int(text.count(QLatin1Char('\n')));
    const int returns = int(text.count(QLatin1Char('\r')));
    const QString stamp =
        stamping ? QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz ")) : QString();
    pending.append(Text{text, -1, 0, newlines, returns, stamp, true});
    pendingParagraphs += 1 + newlines;
    pendingCharacters += pending.last().leastCharacters();
    // Behind texts still being written, a new one waits its turn, so the pane
    // keeps the order of arrival. Here, inside the socket's notification, at
    // most one piece is written; the rest follows from the event loop.
    if (pending.size() == 1)
        writePendingPieces(0);
}

void TerminalWriter::writePendingPieces(int budgetMs)
{
    QElapsedTimer turn;
    turn.start();
    // Follow the new text only when the view was at the bottom: a technician who
    // scrolled up to read keeps the view.
    QScrollBar *bar = pane->verticalScrollBar();
    const bool atBottom = bar->value() >= bar->maximum();
    skipWhatWouldLeave();
    while (!pending.isEmpty()) {
        Text &entry = pending.first();
        writePiece(entry);
        if (entry.written == entry.text.size())
            pending.removeFirst();
        if (turn.elapsed() >= budgetMs)
            break;
    }
    dropOldText();
    if (atBottom)
        bar->setValue(bar->maximum());
    if (!pending.isEmpty())
        nextTurn.start();
}

// A piece ends at a line end, so that no break appears inside a line that
// arrived whole; only a line longer than a piece is cut, never inside a CR LF or
// a surrogate pair.
int TerminalWriter::pieceEnd(const Text &entry) const
{
    const QString &text = entry.text;
    const int start = qMax(entry.written, 0);
    if (text.size() - start <= kPieceChars)
        return int(text.size());
    for (int end = start + kPieceChars; end > start; --end)
        if (isLineEnd(text.at(end - 1)) &&
            !(text.at(end - 1) == QLatin1Char('\r') && text.at(end) == QLatin1Char('\n')))
            return end;
    int end = start + kPieceChars;
    if (text.at(end - 1) == QLatin1Char('\r') || text.at(end - 1).isHighSurrogate())
        --end;
    return end;
}

// Writes the next piece as paragraphs: every line end (CR LF, CR or LF) ends one,
// and so does every kCutLength characters of a line.
void TerminalWriter::writePiece(Text &entry)
{
    const int end = pieceEnd(entry);
    const QChar *const text = entry.text.constData();
    QTextDocument *document = pane->document();
    QString out;
    out.reserve(end - qMax(entry.written, 0) + (end - qMax(entry.written, 0)) / kCutLength + 2);
    if (entry.written < 0) {
        // A new paragraph, as QTextEdit::append makes it.
        if (!document->isEmpty())
            out += QLatin1Char('\n');
        entry.written = 0;
    }
    if (entry.paragraphStart)
        out += entry.stamp;
    entry.paragraphStart = false;
    int run = entry.written;
    int newlines = 0;
    int returns = 0;
    for (int i = entry.written; i < end; ++i) {
        const QChar c = text[i];
        if (isLineEnd(c)) {
            out.append(text + run, i - run);
            returns += c == QLatin1Char('\r');
            if (c == QLatin1Char('\r') && i + 1 < end && text[i + 1] == QLatin1Char('\n'))
                ++i;
            newlines += text[i] == QLatin1Char('\n');
            out += QLatin1Char('\n');
            out += entry.stamp;
            entry.column = 0;
            run = i + 1;
            continue;
        }
        if (entry.column >= kCutLength && !c.isLowSurrogate()) {
            out.append(text + run, i - run);
            out += QLatin1Char('\n');
            out += entry.stamp;
            entry.column = 0;
            run = i;
        }
        ++entry.column;
    }
    out.append(text + run, end - run);
    pendingCharacters -= entry.leastCharacters();
    entry.newlines -= newlines;
    entry.returns -= returns;
    pendingParagraphs -= newlines + (entry.written == 0 ? 1 : 0);
    entry.written = end;
    pendingCharacters += entry.leastCharacters();

    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(out);
}

// Whole paragraphs leave at the top, so that no line in the pane starts in the
// middle. The selection is set by position: QTextDocument's own block limit and
// cursor movement by blocks lay out every paragraph they pass, which costs more
// than everything else the pane does.
void TerminalWriter::dropOldText()
{
    QTextDocument *document = pane->document();
    int end = 0;
    const int surplusParagraphs = document->blockCount() - maxParagraphs;
    if (surplusParagraphs > 0)
        end = document->findBlockByNumber(surplusParagraphs).position();
    const int surplusCharacters = document->characterCount() - maxCharacters;
    if (surplusCharacters > 0) {
        const QTextBlock next = document->findBlock(surplusCharacters - 1).next();
        end = qMax(end, next.isValid() ? next.position() : document->lastBlock().position());
    }
    if (end == 0)
        return;
    QTextCursor cursor(document);
    cursor.setPosition(end);
    cursor.setPosition(0, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

// A backlog larger than the pane keeps (a flood that arrived faster than the pane
// lays it out) would push everything now in the pane, and its own beginning, out
// at the top before anyone could read it. Laying that out and removing it again
// would take longer than the rest of the flood, so the pane is emptied and only
// the newest part is written: the result is the same pane, much sooner.
//
// The counts are lower bounds of what the backlog adds to the pane, so nothing is
// skipped that would have stayed.
void TerminalWriter::skipWhatWouldLeave()
{
    if (pendingParagraphs < maxParagraphs && pendingCharacters < maxCharacters)
        return;
    // From the newest text back to the one in which either bound is reached:
    // that one is the first to be written.
    qint64 paragraphs = 0;
    qint64 characters = 0;
    int first = int(pending.size());
    while (first > 0) {
        const Text &entry = pending[--first];
        paragraphs += entry.newlines + (entry.written < 0 ? 1 : 0);
        characters += entry.leastCharacters();
        if (paragraphs >= maxParagraphs || characters >= maxCharacters)
            break;
    }
    Text &entry = pending[first];
    // Within it, the paragraph bound may start the text at a line end; the
    // character bound keeps it whole, so that every paragraph is cut where it
    // would have been.
    if (characters < maxCharacters && paragraphs > maxParagraphs) {
        // Its first paragraph counts only if it is a new one; a continued one
        // leaves with the rest of the pane.
        const int skipped = int(paragraphs - maxParagraphs) + (entry.written < 0 ? 0 : 1);
        int lineEnd = qMax(entry.written, 0) - 1;
        for (int i = 0; i < skipped; ++i)
            lineEnd = int(entry.text.indexOf(QLatin1Char('\n'), lineEnd + 1));
        entry.newlines -= skipped;
        entry.written = lineEnd + 1;
        entry.column = 0;
        entry.paragraphStart = true;
        entry.returns = int(QStringView(entry.text).mid(entry.written).count(QLatin1Char('\r')));
    }
    pending.erase(pending.begin(), pending.begin() + first);
    pendingParagraphs = 0;
    pendingCharacters = 0;
    for (const Text &text : pending) {
        pendingParagraphs += text.newlines + (text.written < 0 ? 1 : 0);
        pendingCharacters += text.leastCharacters();
    }
    pane->clear();
}
