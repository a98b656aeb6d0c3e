#include "catalogues.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QStringList>

#include "startoptions.h"

Catalogues::Catalogues(const QString &language)
{
    // Installed even when loading fails: the interface then shows its source texts.
    (void)program.load(cataloguePath(language));
    QCoreApplication::installTranslator(&program);

    // The source texts of Qt are English. A deployed program brings Qt's
    // catalogues in a folder of its own; otherwise they are where Qt's are.
    if (language == QLatin1String("en"))
        return;
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    const QString qtTranslations = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#else
    const QString qtTranslations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
    const QStringList folders{
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
        qtTranslations};
    for (const QString &folder : folders) {
        if (qt.load(QStringLiteral("qtbase_") + language, folder)) {
            qtPath = qt.filePath();
            QCoreApplication::installTranslator(&qt);
            return;
        }
    }
}

Catalogues::~Catalogues()
{
    QCoreApplication::removeTranslator(&qt);
    QCoreApplication::removeTranslator(&program);
}
