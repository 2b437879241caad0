#include "tag_case.h"

#include "letter_case.h"

namespace TextTools {

namespace {

// One tag, "<" through ">": pieces split after each double quote alternate
// converted / kept, starting converted; the piece after the last quote is
// always converted, so an unclosed quote does not protect the rest.
void AppendConvertedTag(QString &out, QStringView tag, bool toLower)
{
    const qsizetype lastQuote = tag.lastIndexOf(u'"');
    const qsizetype begin = out.size();
    bool convert = true;
    for (qsizetype i = 0; i < tag.size(); ++i) {
        const QChar c = tag[i];
        if (convert || i > lastQuote)
            out.append(toLower ? AsciiLower(c) : AsciiUpper(c));
        else
            out.append(c);
        if (c == u'"')
            convert = !convert;
    }
    // A stored line-break marker raised to \R\N inside a tag is a line break.
    const qsizetype marker = out.indexOf(QLatin1String("\\R\\N"), begin);
    if (marker >= 0) {
        const QString converted = out.sliced(begin).replace(QLatin1String("\\R\\N"), QLatin1String("\n"));
        out.truncate(begin);
        out.append(converted);
    }
}

} // namespace

QString ConvertTagCase(const QString &text, int caseMode)
{
    if (caseMode != LowerCase && caseMode != UpperCase)
        return text;
    const bool toLower = caseMode == LowerCase;
    QString out;
    out.reserve(text.size());
    qsizetype pos = 0;
    while (true) {
        const qsizetype open = text.indexOf(u'<', pos);
        // A ">" ahead of the "<" is text (a script's "a > b"), not a tag's end.
        const qsizetype close = open < 0 ? -1 : text.indexOf(u'>', open);
        if (close < 0)
            break;
        out.append(QStringView(text).sliced(pos, open - pos));
        AppendConvertedTag(out, QStringView(text).sliced(open, close - open + 1), toLower);
        pos = close + 1;
    }
    out.append(QStringView(text).sliced(pos));
    return out;
}

} // namespace TextTools
