#include "terminalsaver.h"

#include "terminalwriter.h"

#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSaveFile>

TerminalSaver::TerminalSaver(QPlainTextEdit *pane, TerminalWriter *writer)
    : QObject(pane), pane(pane), writer(writer)
{
    pane->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pane, &QWidget::customContextMenuRequested, this, &TerminalSaver::showMenu);
}

QMenu *TerminalSaver::createMenu()
{
    QMenu *menu = pane->createStandardContextMenu();
    menu->addSeparator();
    if (writer) {
        QAction *stamps = menu->addAction(tr("Zeitstempel anzeigen"));
        stamps->setCheckable(true);
        stamps->setChecked(writer->timestamps());
        connect(stamps, &QAction::toggled, writer, &TerminalWriter::setTimestamps);
    }
    connect(menu->addAction(tr("Terminal speichern…")), &QAction::triggered, this,
            &TerminalSaver::chooseFileAndSave);
    return menu;
}

void TerminalSaver::showMenu(const QPoint &position)
{
    QMenu *menu = createMenu();
    menu->exec(pane->viewport()->mapToGlobal(position));
    delete menu;
}

QString TerminalSaver::suggestedFileName(const QDateTime &when)
{
    // No colons: they are not allowed in Windows file names.
    return when.toString(QStringLiteral("'terminal_'yyyy-MM-dd_HH-mm-ss'.txt'"));
}

void TerminalSaver::chooseFileAndSave()
{
    const QString suggested = QDir::home().filePath(suggestedFileName(QDateTime::currentDateTime()));
    const QString path = QFileDialog::getSaveFileName(pane->window(), tr("Terminal speichern"), suggested,
                                                      tr("Textdateien (*.txt);;Alle Dateien (*)"));
    if (!path.isEmpty())
        saveTo(path);
}

bool TerminalSaver::saveTo(const QString &path)
{
    // The pane took every CR LF and lone CR of the master's text as a paragraph end, so its
    // plain text has line feeds only.
    QString text = pane->toPlainText();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');

    // Text mode gives the platform's line ends; the save file leaves an existing file
    // as it was when writing fails.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text) && file.write(text.toUtf8()) >= 0 && file.commit())
        return true;
    QMessageBox::warning(pane->window(), tr("Terminal speichern"),
                         tr("Die Datei %1 konnte nicht geschrieben werden: %2")
                             .arg(QDir::toNativeSeparators(path), file.errorString()));
    return false;
}
