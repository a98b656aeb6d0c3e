#ifndef PANEFINDER_H
#define PANEFINDER_H

#include <QFrame>
#include <QPointer>
#include <QTextDocument>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

// A small find field over the bottom edge of the terminal pane. Typing finds the
// next occurrence (case-insensitive) and selects it in view; Return or F3 finds
// the next, with Shift the previous, wrapping round at either end with a note;
// Escape closes it and gives the focus back. The term is plain text.
class PaneFinder : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 26;

    explicit PaneFinder(QPlainTextEdit *pane);

    QLineEdit *field() const { return edit; }
    QString note() const;

public slots:
    void open();
    void dismiss();
    // Finds the term after (or before) the current match; false when it is nowhere.
    bool findNext();
    bool findPrevious();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool find(QTextDocument::FindFlags direction, bool fromMatchStart);
    void place();

    QPlainTextEdit *pane;
    QLineEdit *edit;
    QLabel *noteLabel;
    QPointer<QWidget> focusBefore;
    int origin = 0; // where typing looks from until there is a match
};

#endif // PANEFINDER_H
