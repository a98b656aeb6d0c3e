#ifndef STARTOUTPUT_H
#define STARTOUTPUT_H

#include <QString>

// Writes what the program says before any window opens (usage, version, a bad
// option) to standard output, or to standard error when it reports an error.
void writeStartOutput(const QString &text, bool error);

#endif // STARTOUTPUT_H
