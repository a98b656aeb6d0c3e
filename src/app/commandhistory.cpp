#include "commandhistory.h"

#include <QKeyEvent>
#include <QLineEdit>

CommandHistory::CommandHistory(QLineEdit *edit) : QObject(edit), edit(edit)
{
    edit->installEventFilter(this);
}

void CommandHistory::add(const QString &line)
{
    if (!line.isEmpty() && (entries.isEmpty() || entries.last() != line)) {
        entries.append(line);
        if (entries.size() > kMaxLines)
            entries.removeFirst();
    }
    position = entries.size();
}

bool CommandHistory::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (key->key() == Qt::Key_Up) {
                older();
                return true;
            }
            if (key->key() == Qt::Key_Down) {
                newer();
                return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

// A sent line stays in the field, so the newest line often equals what is being typed;
// both are then one step of the walk, and the first Up already shows the line before.
bool CommandHistory::newestIsTyped(int index) const
{
    return index == entries.size() - 1 && entries.at(index) == typed;
}

void CommandHistory::older()
{
    if (position == 0)
        return;
    if (position == entries.size())
        typed = edit->text();
    --position;
    if (newestIsTyped(position) && position > 0)
        --position;
    edit->setText(entries.at(position));
}

void CommandHistory::newer()
{
    if (position == entries.size())
        return;
    ++position;
    if (newestIsTyped(position))
        ++position;
    edit->setText(position == entries.size() ? typed : entries.at(position));
}
