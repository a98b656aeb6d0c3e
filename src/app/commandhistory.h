#ifndef COMMANDHISTORY_H
#define COMMANDHISTORY_H

#include <QObject>
#include <QStringList>

class QLineEdit;

// The lines sent from a command line during this run, walked with Up and Down as in a
// shell. Kept in memory only; the program stores nothing between runs.
class CommandHistory : public QObject
{
public:
    static constexpr int kMaxLines = 200;

    // Watches the keys of edit and lives as its child.
    explicit CommandHistory(QLineEdit *edit);

    // An empty line, or one equal to the newest, adds nothing. Ends any walk.
    void add(const QString &line);
    const QStringList &lines() const { return entries; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void older();
    void newer();
    bool newestIsTyped(int index) const;

    QLineEdit *edit;
    QStringList entries;
    int position = 0; // entries.size(): not walking, the field holds what is being typed
    QString typed;
};

#endif // COMMANDHISTORY_H
