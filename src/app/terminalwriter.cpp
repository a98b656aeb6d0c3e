#include "terminalwriter.h"

#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

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
    // The document drops the oldest paragraphs itself, a few at a time as new ones come.
    pane->setMaximumBlockCount(maxParagraphs);
    nextTurn.setSingleShot(true);
    nextTurn.setInterval(0);
    connect(&nextTurn, &QTimer::timeout, this, [this] { writePendingPieces(kTurnBudgetMs); });
}

void TerminalWriter::append(const QString &text)
{
    pending.append(Text{text, -1, 0});
    pendingParagraphs += 1 + int(text.count(QLatin1Char('\n')));
    pendingCharacters += text.size();
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
    // Follow the new text only when the view was at the bottom.
    QScrollBar *bar = pane->verticalScrollBar();
    const bool atBottom = pane->isReadOnly() ? bar->value() >= bar->maximum() : pane->textCursor().atEnd();
    skipWhatWouldLeave();
    while (!pending.isEmpty()) {
        Text &entry = pending.first();
        writePiece(entry);
        if (entry.written == entry.text.size())
            pending.removeFirst();
        if (turn.elapsed() >= budgetMs)
            break;
    }
    dropOldCharacters();
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
    int run = entry.written;
    int newlines = 0;
    for (int i = entry.written; i < end; ++i) {
        const QChar c = text[i];
        if (isLineEnd(c)) {
            out.append(text + run, i - run);
            if (c == QLatin1Char('\r') && i + 1 < end && text[i + 1] == QLatin1Char('\n'))
                ++i;
            newlines += text[i] == QLatin1Char('\n');
            out += QLatin1Char('\n');
            entry.column = 0;
            run = i + 1;
            continue;
        }
        if (entry.column >= kCutLength && !c.isLowSurrogate()) {
            out.append(text + run, i - run);
            out += QLatin1Char('\n');
            entry.column = 0;
            run = i;
        }
        ++entry.column;
    }
    out.append(text + run, end - run);
    pendingParagraphs -= newlines + (entry.written == 0 ? 1 : 0);
    pendingCharacters -= end - entry.written;
    entry.written = end;

    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(out);
}

// Whole paragraphs leave at the top, so that no line in the pane starts in the
// middle.
void TerminalWriter::dropOldCharacters()
{
    QTextDocument *document = pane->document();
    const int excess = document->characterCount() - maxCharacters;
    if (excess <= 0)
        return;
    const QTextBlock next = document->findBlock(excess - 1).next();
    QTextCursor cursor(document);
    cursor.setPosition(next.isValid() ? next.position() : document->lastBlock().position());
    cursor.setPosition(0, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

// A backlog larger than the pane keeps (a flood that arrived faster than the pane
// lays it out) would push everything now in the pane, and its own beginning, out
// at the top before anyone could read it. Laying that out and removing it again
// would take longer than the rest of the flood, so the pane is emptied and only
// the newest part is written: the result is the same pane, much sooner.
//
// The counts are lower bounds of what the backlog adds to the pane: a paragraph
// per line feed and per text, a character per two (a CR LF becomes one paragraph
// end), so nothing is skipped that would have stayed.
void TerminalWriter::skipWhatWouldLeave()
{
    if (pendingParagraphs < maxParagraphs && pendingCharacters < 2 * qint64(maxCharacters))
        return;
    int toKeep = maxParagraphs;
    qint64 characters = 0;
    for (int i = pending.size() - 1; i >= 0; --i) {
        Text &entry = pending[i];
        const int from = qMax(entry.written, 0);
        // Paragraphs begin after each line end, and at the start of a text that
        // has yet to be written.
        int lineEnd = entry.text.size();
        while ((lineEnd = entry.text.lastIndexOf(QLatin1Char('\n'), lineEnd - 1)) >= from) {
            if (--toKeep == 0) {
                entry.written = lineEnd + 1;
                entry.column = 0;
                break;
            }
            if (lineEnd == 0)
                break;
        }
        if (toKeep > 0 && entry.written < 0)
            --toKeep;
        characters += entry.text.size() - qMax(entry.written, 0);
        // Whole texts, so that every paragraph is cut where it would have been.
        if (toKeep == 0 || characters >= 2 * qint64(maxCharacters)) {
            pending.erase(pending.begin(), pending.begin() + i);
            break;
        }
    }
    pendingParagraphs = 0;
    pendingCharacters = 0;
    for (const Text &entry : pending) {
        const int from = qMax(entry.written, 0);
        pendingParagraphs += entry.written < 0 ? 1 : 0;
        for (int p = from; (p = int(entry.text.indexOf(QLatin1Char('\n'), p))) >= 0; ++p)
            ++pendingParagraphs;
        pendingCharacters += entry.text.size() - from;
    }
    pane->clear();
}
