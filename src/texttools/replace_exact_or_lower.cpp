#include "replace_exact_or_lower.h"

#include "letter_case.h"

namespace TextTools {

QString ReplaceExactOrLower(const QString &source, const QString &pattern, const QString &replacement)
{
    if (pattern.isEmpty())
        return source;
    const QString lower = ToLowerAscii(pattern);
    const bool oneForm = lower == pattern;
    // Each form's next occurrence is kept until the scan passes it, so the
    // text is searched once per form rather than once per match.
    qsizetype exact = source.indexOf(pattern, 0);
    qsizetype lowered = oneForm ? -1 : source.indexOf(lower, 0);
    if (exact < 0 && lowered < 0)
        return source;
    QString result;
    result.reserve(source.size());
    qsizetype from = 0;
    while (exact >= 0 || lowered >= 0) {
        const qsizetype at = (lowered < 0 || (exact >= 0 && exact <= lowered)) ? exact : lowered;
        result.append(QStringView(source).sliced(from, at - from));
        result.append(replacement);
        from = at + pattern.size();
        if (exact >= 0 && exact < from)
            exact = source.indexOf(pattern, from);
        if (lowered >= 0 && lowered < from)
            lowered = source.indexOf(lower, from);
    }
    result.append(QStringView(source).sliced(from));
    return result;
}

} // namespace TextTools
