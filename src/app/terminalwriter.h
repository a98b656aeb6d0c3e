#ifndef TERMINALWRITER_H
#define TERMINALWRITER_H

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QTextEdit;

// Appends texts to the terminal pane, each as a new paragraph of plain text.
//
// What the master sends is data: it is never taken as markup (an image tag
// would make the pane open a local file). A large arrival is written in pieces
// that end at line ends, with the event loop running in between, so the window
// and the command queue keep going while a flood is laid out. The pane keeps
// the most recent maxParagraphs paragraphs (and up to a batch more, below).
class TerminalWriter : public QObject
{
    Q_OBJECT

public:
    static constexpr int kMaxParagraphs = 100000;
    static constexpr int kPieceChars = 64 * 1024;
    // Pieces written in one turn of the event loop stop after this much time.
    static constexpr int kTurnBudgetMs = 25;

    // The oldest paragraphs leave in batches of a fiftieth of maxParagraphs:
    // every removal at the top makes the pane position all that stays anew.
    explicit TerminalWriter(QTextEdit *pane, int maxParagraphs = kMaxParagraphs, QObject *parent = nullptr);

    // True while pieces of earlier texts still wait for their turn.
    bool hasPending() const { return !pending.isEmpty(); }

public slots:
    void append(const QString &text);

private:
    struct Text
    {
        QString text;
        int written; // characters of text already in the pane
    };

    void writePendingPieces(int budgetMs);
    void writePiece(Text &entry);
    void dropOldParagraphs();
    void skipWhatWouldLeave();

    QTextEdit *pane;
    const int maxParagraphs;
    const int trimBatch;
    QList<Text> pending;
    // Paragraphs that the pending texts will add to the pane.
    qint64 pendingParagraphs = 0;
    QTimer nextTurn;
};

#endif // TERMINALWRITER_H
