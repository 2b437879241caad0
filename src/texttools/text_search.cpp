#include "text_search.h"

#include "letter_case.h"

namespace TextTools {

namespace {

// Searches text as given, or ASCII-folded on both sides: QString's own
// case-insensitive search folds every script's letters.
class Matcher
{
public:
    Q_DISABLE_COPY_MOVE(Matcher)

    Matcher(QStringView text, QStringView pattern, bool matchCase)
    {
        if (matchCase) {
            text_ = text;
            pattern_ = pattern;
        } else {
            foldedText_ = ToLowerAscii(text.toString());
            foldedPattern_ = ToLowerAscii(pattern.toString());
            text_ = foldedText_;
            pattern_ = foldedPattern_;
        }
    }

    qsizetype find(qsizetype from) const
    {
        if (pattern_.isEmpty() || from < 0 || from > text_.size())
            return -1;
        return text_.indexOf(pattern_, from);
    }

private:
    QString foldedText_;
    QString foldedPattern_;
    QStringView text_;
    QStringView pattern_;
};

} // namespace

qsizetype FindText(QStringView text, QStringView pattern, qsizetype from, bool matchCase)
{
    if (from < 0 || from > text.size())
        return -1;
    // Only the part searched is folded.
    const qsizetype at = Matcher(text.sliced(from), pattern, matchCase).find(0);
    return at < 0 ? -1 : from + at;
}

QList<qsizetype> FindAllMatches(QStringView text, QStringView pattern, bool matchCase)
{
    const Matcher matcher(text, pattern, matchCase);
    QList<qsizetype> matches;
    for (qsizetype at = matcher.find(0); at >= 0; at = matcher.find(at + pattern.size()))
        matches.append(at);
    return matches;
}

} // namespace TextTools
