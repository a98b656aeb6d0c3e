#ifndef SHELLSUPPORT_H
#define SHELLSUPPORT_H

#include <QCoreApplication>
#include <QStringList>
#include <QTranslator>
#include <functional>

// Installs one catalogue from the resources while it exists, the way main() does:
// installed even when loading fails, so an unknown language shows the source texts.
struct ScopedCatalogue
{
    explicit ScopedCatalogue(const QString &language)
    {
        loaded = !language.isEmpty() && translator.load(QStringLiteral(":/language/spieltool_") + language);
        QCoreApplication::installTranslator(&translator);
    }
    ~ScopedCatalogue() { QCoreApplication::removeTranslator(&translator); }
    bool loaded = false;
    QTranslator translator;
};

// The warnings of failed string-based connections while build() runs.
inline QStringList connectFailures(const std::function<void()> &build)
{
    static QStringList failures;
    failures.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
            if (text.contains(QLatin1String("QObject::connect")))
                failures << text;
        });
    build();
    qInstallMessageHandler(previous);
    return failures;
}

template <typename T> T *child(QObject &parent, const QString &name)
{
    T *widget = parent.findChild<T *>(name);
    if (!widget)
        qFatal("widget %s of the expected class is missing", qPrintable(name));
    return widget;
}

#endif // SHELLSUPPORT_H
