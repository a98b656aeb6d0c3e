#include "terminalwriter.h"

#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

TerminalWriter::TerminalWriter(QTextEdit *pane, int maxParagraphs, QObject *parent)
    : QObject(parent), pane(pane), maxParagraphs(maxParagraphs), trimBatch(qMax(1, maxParagraphs / 50))
{
    // The history would keep a second copy of every text.
    pane->document()->setUndoRedoEnabled(false);
    nextTurn.setSingleShot(true);
    nextTurn.setInterval(0);
    connect(&nextTurn, &QTimer::timeout, this, [this] { writePendingPieces(kTurnBudgetMs); });
}

void TerminalWriter::append(const QString &text)
{
    pending.append(Text{text, -1});
    pendingParagraphs += 1 + int(text.count(QLatin1Char('\n')));
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
    // As QTextEdit::append does: follow the new text only when the view was
    // at the bottom.
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
    dropOldParagraphs();
    if (atBottom)
        bar->setValue(bar->maximum());
    if (!pending.isEmpty())
        nextTurn.start();
}

void TerminalWriter::writePiece(Text &entry)
{
    const int start = qMax(entry.written, 0);
    int end = entry.text.size();
    if (end - start > kPieceChars) {
        // A piece ends at a line end, so that no break appears inside a line
        // that arrived whole; only a line longer than a piece is cut.
        const int lineEnd = entry.text.lastIndexOf(QLatin1Char('\n'), start + kPieceChars - 1);
        end = lineEnd >= start ? lineEnd + 1 : start + kPieceChars;
        if (end - start > 1 && entry.text.at(end - 1).isHighSurrogate())
            --end;
    }

    QTextCursor cursor(pane->document());
    cursor.movePosition(QTextCursor::End);
    if (entry.written < 0) {
        // A new paragraph in the formats of the pane's cursor, as append makes it.
        const QTextCursor paneCursor = pane->textCursor();
        if (!pane->document()->isEmpty())
            cursor.insertBlock(paneCursor.blockFormat(), paneCursor.charFormat());
        else
            cursor.setCharFormat(paneCursor.charFormat());
    }
    const QString piece = entry.text.mid(start, end - start);
    pendingParagraphs -= (entry.written < 0 ? 1 : 0) + int(piece.count(QLatin1Char('\n')));
    cursor.insertText(piece);
    entry.written = end;
}

// A backlog of more than maxParagraphs paragraphs (a flood that arrived
// faster than the pane lays it out) would push everything now in the pane, and
// its own beginning, out at the top before anyone could read it. Laying that
// out and removing it again would take longer than the rest of the flood, so
// the pane is emptied and only the last maxParagraphs paragraphs are written:
// the result is the same pane, much sooner.
void TerminalWriter::skipWhatWouldLeave()
{
    if (pendingParagraphs < maxParagraphs)
        return;
    int toKeep = maxParagraphs;
    for (int i = pending.size() - 1; i >= 0; --i) {
        Text &entry = pending[i];
        const int from = qMax(entry.written, 0);
        // Paragraphs begin after each line end, and at the start of a text
        // that has yet to be written.
        int lineEnd = entry.text.size();
        while ((lineEnd = entry.text.lastIndexOf(QLatin1Char('\n'), lineEnd - 1)) >= from) {
            if (--toKeep == 0) {
                entry.written = lineEnd + 1;
                break;
            }
            if (lineEnd == 0)
                break;
        }
        if (toKeep > 0 && entry.written < 0)
            --toKeep;
        if (toKeep == 0) {
            pending.erase(pending.begin(), pending.begin() + i);
            break;
        }
    }
    pendingParagraphs = maxParagraphs;
    pane->clear();
}

// A removal at the top costs about a tenth of a second with a full pane, whether
// one paragraph leaves or thousands.
void TerminalWriter::dropOldParagraphs()
{
    QTextDocument *document = pane->document();
    const int excess = document->blockCount() - maxParagraphs;
    if (excess < trimBatch)
        return;
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, excess);
    cursor.removeSelectedText();
}
