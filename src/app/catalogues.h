#ifndef CATALOGUES_H
#define CATALOGUES_H

#include <QString>
#include <QTranslator>

// The interface's catalogues for one language, installed in the application for
// as long as this object lives: the program's own, and Qt's own texts (the
// buttons of message boxes, file dialogs, the standard context menus) from the
// catalogue Qt ships for the language.
class Catalogues
{
public:
    explicit Catalogues(const QString &language);
    ~Catalogues();
    Catalogues(const Catalogues &) = delete;
    Catalogues &operator=(const Catalogues &) = delete;

    // Where Qt's catalogue was found; empty when there is none for the language,
    // and Qt's texts then stay English.
    QString qtCataloguePath() const { return qtPath; }

private:
    QTranslator program;
    QTranslator qt;
    QString qtPath;
};

#endif // CATALOGUES_H
