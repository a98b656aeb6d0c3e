#include "panefinder.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>

PaneFinder::PaneFinder(QPlainTextEdit *pane) : QFrame(pane), pane(pane)
{
    setObjectName(QStringLiteral("Find_bar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("Find_edit"));
    noteLabel = new QLabel(this);
    noteLabel->setObjectName(QStringLiteral("Find_note"));
    // A term is text to look for, never markup.
    noteLabel->setTextFormat(Qt::PlainText);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(2, 1, 4, 1);
    row->addWidget(edit, 1);
    row->addWidget(noteLabel);
    edit->installEventFilter(this);
    // Each change of the term looks again from the start of the current match,
    // so that a longer term keeps its place.
    connect(edit, &QLineEdit::textEdited, this, [this] { find({}, true); });
    hide();
}

QString PaneFinder::note() const
{
    return noteLabel->text();
}

// Over the pane's bottom edge, left of its scroll bar.
void PaneFinder::place()
{
    const int scrollBar = pane->verticalScrollBar()->isVisible() ? pane->verticalScrollBar()->width() : 0;
    const int width = qMin(kWidth, pane->width() - scrollBar - 4);
    setGeometry(pane->width() - scrollBar - 2 - width, pane->height() - kHeight - 2, width, kHeight);
}

void PaneFinder::open()
{
    if (!isVisible()) {
        focusBefore = QApplication::focusWidget();
        // From where the technician put the cursor; from the top while the pane
        // follows what arrives.
        const QTextCursor cursor = pane->textCursor();
        origin = cursor.hasSelection() ? cursor.selectionStart() : cursor.atEnd() ? 0 : cursor.position();
    }
    place();
    show();
    raise();
    // The last lines may then scroll up out from behind the field.
    pane->setCenterOnScroll(true);
    edit->setFocus(Qt::ShortcutFocusReason);
    edit->selectAll();
}

void PaneFinder::dismiss()
{
    hide();
    pane->setCenterOnScroll(false);
    noteLabel->clear();
    if (focusBefore)
        focusBefore->setFocus(Qt::OtherFocusReason);
}

bool PaneFinder::findNext()
{
    return find({}, false);
}

bool PaneFinder::findPrevious()
{
    return find(QTextDocument::FindBackward, false);
}

bool PaneFinder::find(QTextDocument::FindFlags direction, bool fromMatchStart)
{
    const QString term = edit->text();
    noteLabel->clear();
    if (term.isEmpty())
        return false;
    QTextDocument *document = pane->document();
    QTextCursor from = pane->textCursor();
    if (fromMatchStart)
        from.setPosition(from.hasSelection() ? from.selectionStart()
                                             : qMin(origin, document->characterCount() - 1));
    QTextCursor found = document->find(term, from, direction);
    if (found.isNull()) {
        // Round the end to the other one.
        QTextCursor edge(document);
        if (direction & QTextDocument::FindBackward)
            edge.movePosition(QTextCursor::End);
        found = document->find(term, edge, direction);
        if (!found.isNull())
            noteLabel->setText(direction & QTextDocument::FindBackward ? tr("Vom Ende weiter")
                                                                       : tr("Vom Anfang weiter"));
    }
    if (found.isNull()) {
        noteLabel->setText(tr("Nicht gefunden"));
        return false;
    }
    pane->setTextCursor(found);
    pane->ensureCursorVisible();
    // Not behind this field.
    if (pane->viewport()->mapTo(pane, pane->cursorRect().bottomLeft()).y() >= y())
        pane->centerCursor();
    return true;
}

bool PaneFinder::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != edit || event->type() != QEvent::KeyPress)
        return QFrame::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool backward = key->modifiers() & Qt::ShiftModifier;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F3:
        backward ? findPrevious() : findNext();
        return true;
    case Qt::Key_Escape:
        dismiss();
        return true;
    default:
        return false;
    }
}
