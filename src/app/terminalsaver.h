#ifndef TERMINALSAVER_H
#define TERMINALSAVER_H

#include <QDateTime>
#include <QObject>

class QMenu;
class QPoint;
class QPlainTextEdit;
class TerminalWriter;

// Adds "Zeitstempel anzeigen" and "Terminal speichern…" to the terminal pane's context
// menu. Only the technician's choice of a file writes anything: the program keeps no log
// of its own.
class TerminalSaver : public QObject
{
    Q_OBJECT

public:
    // Takes over the pane's context menu and lives as its child.
    explicit TerminalSaver(QPlainTextEdit *pane, TerminalWriter *writer = nullptr);

    // The pane's standard menu followed by the timestamp switch (with a writer) and the
    // save entry; the caller owns it.
    QMenu *createMenu();
    // Writes the pane's text as UTF-8 with the platform's line ends. A failure is shown
    // in a warning box naming the file and returns false.
    bool saveTo(const QString &path);
    static QString suggestedFileName(const QDateTime &when);

private slots:
    void showMenu(const QPoint &position);
    void chooseFileAndSave();

private:
    QPlainTextEdit *pane;
    TerminalWriter *writer;
};

#endif // TERMINALSAVER_H
