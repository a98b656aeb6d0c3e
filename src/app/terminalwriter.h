#ifndef TERMINALWRITER_H
#define TERMINALWRITER_H

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QPlainTextEdit;

// Appends texts to the terminal pane, each as a new paragraph of plain text.
//
// What the master sends is data: it is never taken as markup, and it cannot make
// the pane grow without bound. The pane keeps the most recent maxParagraphs
// paragraphs and at most maxCharacters characters; a line longer than kCutLength
// characters is shown as several paragraphs. A large arrival is written in pieces
// that end at line ends, with the event loop running in between, so the window
// and the command queue keep going while a flood is laid out; a backlog larger
// than the pane keeps is not written only to leave again.
class TerminalWriter : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxParagraphs = 100000;
    static constexpr int kMaxCharacters = 10000000;
    // Longest paragraph: a longer line continues in the next one. Appending to a
    // paragraph lays all of it out again, so this bounds the cost of every write.
    static constexpr int kCutLength = 4096;
    static constexpr int kPieceChars = 64 * 1024;
    // Pieces written in one turn of the event loop stop after this much time.
    static constexpr int kTurnBudgetMs = 25;

    explicit TerminalWriter(QPlainTextEdit *pane, int maxParagraphs = kMaxParagraphs,
                            int maxCharacters = kMaxCharacters, QObject *parent = nullptr);

    // True while texts that have arrived are not yet all in the pane.
    bool hasPending() const { return !pending.isEmpty(); }

    // While on, every paragraph begins with the local time at which its text
    // arrived or was sent, "hh:mm:ss.zzz ".
    void setTimestamps(bool on) { stamping = on; }
    bool timestamps() const { return stamping; }
    static constexpr int kStampLength = 13;

public slots:
    void append(const QString &text);

private:
    struct Text
    {
        QString text;
        int written;         // characters of text already in the pane, -1 before the first piece
        int column;          // characters of text in the pane's last paragraph
        int newlines;        // line feeds in the part still to be written
        int returns;         // carriage returns in it
        QString stamp;       // begins each of its paragraphs
        bool paragraphStart; // the next character begins a paragraph
        // Characters it adds to the pane at least: a CR LF becomes one paragraph end.
        qint64 leastCharacters() const { return text.size() - qMax(written, 0) - returns; }
    };

    void writePendingPieces(int budgetMs);
    void writePiece(Text &entry);
    int pieceEnd(const Text &entry) const;
    void dropOldText();
    void skipWhatWouldLeave();

    QPlainTextEdit *pane;
    const int maxParagraphs;
    const int maxCharacters;
    QList<Text> pending;
    // What the pending texts add to the pane at least: paragraphs (one per text
    // and per line feed) and characters.
    qint64 pendingParagraphs = 0;
    qint64 pendingCharacters = 0;
    QTimer nextTurn;
    bool stamping = false;
};

#endif // TERMINALWRITER_H
