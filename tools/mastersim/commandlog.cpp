#include "commandlog.h"

#include <QDateTime>

#include <cstdio>

bool CommandLog::open(const QString &path)
{
    if (path == QLatin1String("-")) // no Append: a terminal or pipe cannot seek to its end
        return m_file.open(stdout, QIODevice::WriteOnly | QIODevice::Text);
    m_file.setFileName(path);
    return m_file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Append);
}

void CommandLog::write(const QString &marker, const QString &text)
{
    if (!m_file.isOpen())
        return;
    const QString entry = QStringLiteral("%1 %2 %3\n")
                              .arg(QDateTime::currentDateTime().toString(Qt::ISODateWithMs), marker, text);
    m_file.write(entry.toUtf8());
    m_file.flush();
}
