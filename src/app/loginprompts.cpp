#include "loginprompts.h"

#include <QtGlobal>

namespace {

const QString kLoginWord = QStringLiteral("login:");
const QString kPasswordWord = QStringLiteral("password:");
// A prompt word is never longer than this.
const int kKept = int(kPasswordWord.size());

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c.isNull();
}

} // namespace

LoginPrompts::Answer LoginPrompts::take(const QString &text)
{
    if (stage == Stage::Refused)
        return Nothing;
    int end = int(text.size());
    while (end > 0 && isBlank(text.at(end - 1)))
        --end;
    if (end == 0) {
        // Blanks neither make a prompt nor take one back.
        blanksAfterTail = blanksAfterTail || !text.isEmpty();
        return Nothing;
    }
    // Only the end of a long text can hold the prompt; the blank between the
    // kept characters and the new ones keeps "pass" and " word:" apart.
    const int from = qMax(0, end - kKept);
    QString recent = text.mid(from, end - from);
    if (from == 0)
        recent.prepend(blanksAfterTail ? tail + QLatin1Char(' ') : tail);
    tail = recent.right(kKept);
    blanksAfterTail = end < text.size();

    const bool login = recent.endsWith(kLoginWord);
    if (!login && !recent.endsWith(kPasswordWord))
        return Nothing;
    // A prompt is used up once seen: what follows it is new.
    tail.clear();
    blanksAfterTail = false;
    switch (stage) {
    case Stage::Waiting:
        stage = login ? Stage::UserSent : Stage::PasswordSent;
        return login ? User : Password;
    case Stage::UserSent:
        if (login)
            return Nothing;
        stage = Stage::PasswordSent;
        return Password;
    case Stage::PasswordSent:
        if (!login)
            return Nothing;
        stage = Stage::Refused;
        return Refused;
    case Stage::Refused:
        break;
    }
    return Nothing;
}

void LoginPrompts::reset()
{
    stage = Stage::Waiting;
    tail.clear();
    blanksAfterTail = false;
}
