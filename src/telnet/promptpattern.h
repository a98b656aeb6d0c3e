#ifndef PROMPTPATTERN_H
#define PROMPTPATTERN_H

#include <QRegularExpression>
#include <QString>
#include <QtGlobal>
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
#include <QRegExp>
#endif

// A prompt pattern as the application set it. A pattern with an empty text is
// no pattern: that prompt is not looked for.
class PromptPattern
{
public:
    PromptPattern() = default;
    explicit PromptPattern(const QRegularExpression &pattern) : expression(pattern) {}
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // A Qt 5 caller's QRegExp is searched by QRegExp itself, so its syntax and
    // anchoring mean exactly what they meant.
    explicit PromptPattern(const QRegExp &pattern) : legacy(pattern), isLegacy(true) {}
#endif

    bool isEmpty() const
    {
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        if (isLegacy)
            return legacy.isEmpty();
#endif
        return expression.pattern().isEmpty();
    }

    // An invalid pattern finds nothing (and is not handed to the matcher, which
    // would warn each time).
    bool matches(const QString &text) const
    {
        if (isEmpty())
            return false;
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
        if (isLegacy)
            return legacy.indexIn(text) != -1;
#endif
        return expression.isValid() && expression.match(text).hasMatch();
    }

private:
    QRegularExpression expression;
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    mutable QRegExp legacy; // indexIn keeps its captures, so it is not const
    bool isLegacy = false;
#endif
};

#endif // PROMPTPATTERN_H
