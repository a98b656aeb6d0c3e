#ifndef SHELLSUPPORT_H
#define SHELLSUPPORT_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QTranslator>
#include <QtGlobal>

// Installs one catalogue from the resources for the lifetime of the object, the
// way main() does: the translator is installed even when loading fails, so an
// unknown language shows the source texts.
class ScopedCatalogue
{
public:
    explicit ScopedCatalogue(const QString &language)
    {
        if (!language.isEmpty())
            loaded = translator.load(QStringLiteral(":/language/spieltool_") + language);
        QCoreApplication::installTranslator(&translator);
    }
    ~ScopedCatalogue() { QCoreApplication::removeTranslator(&translator); }
    ScopedCatalogue(const ScopedCatalogue &) = delete;
    ScopedCatalogue &operator=(const ScopedCatalogue &) = delete;

    bool loaded = false;
    QTranslator translator;
};

// Collects every warning and critical message while it exists; the previous
// handler is restored afterwards so that QTest's own output is unaffected.
class WarningLog
{
public:
    WarningLog()
    {
        messages().clear();
        previous = qInstallMessageHandler(&WarningLog::handle);
    }
    ~WarningLog() { qInstallMessageHandler(previous); }
    WarningLog(const WarningLog &) = delete;
    WarningLog &operator=(const WarningLog &) = delete;

    static QStringList &messages()
    {
        static QStringList log;
        return log;
    }

    // Failed string-based connections are reported this way by QObject::connect.
    static QStringList connectionFailures()
    {
        QStringList failures;
        for (const QString &message : messages()) {
            if (message.contains(QLatin1String("No such")) ||
                message.contains(QLatin1String("QObject::connect")))
                failures << message;
        }
        return failures;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &, const QString &message)
    {
        if (type == QtWarningMsg || type == QtCriticalMsg)
            messages() << message;
    }

    QtMessageHandler previous = nullptr;
};

#endif // SHELLSUPPORT_H
