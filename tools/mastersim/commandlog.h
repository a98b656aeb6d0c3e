#ifndef COMMANDLOG_H
#define COMMANDLOG_H

#include <QFile>
#include <QString>

// Timestamped record of what reached the simulator, one entry a line, flushed at once so that a
// test or a technician watching the file sees each command as it arrives.
class CommandLog
{
public:
    // "-" writes to standard output; an existing file is appended to.
    bool open(const QString &path);
    bool isOpen() const { return m_file.isOpen(); }
    QString errorString() const { return m_file.errorString(); }
    void write(const QString &marker, const QString &text);

private:
    QFile m_file;
};

#endif // COMMANDLOG_H
