#include "transformations.h"

#include "replace_exact_or_lower.h"

#include <array>

namespace TextTools {

QString HtmlToText(const QString &page)
{
    struct Step
    {
        QLatin1String pattern;
        QString replacement;
    };
    // Rules and headings keep a "<" so that stripping removes the rest of
    // their tag; "</TD>" with its line break joins a row's cells.
    const QString rule = QString(80, u'-') + u'<';
    const std::array<Step, 10> steps{{
        {QLatin1String("<B>"), QStringLiteral("[")},
        {QLatin1String("</B>"), QStringLiteral("]")},
        {QLatin1String("<HR"), rule},
        {QLatin1String("</TD>\n"), QString()},
        {QLatin1String("<H1"), QStringLiteral("■<")},
        {QLatin1String("<H2"), QStringLiteral("■<")},
        {QLatin1String("<H3"), QStringLiteral("■<")},
        {QLatin1String("<TITLE>"), QStringLiteral("★【")},
        {QLatin1String("</TITLE>"), QStringLiteral("】")},
        {QLatin1String("&nbsp;"), QStringLiteral(" ")},
    }};
    QString text = page;
    for (const Step &step : steps)
        text = ReplaceExactOrLower(text, step.pattern, step.replacement);
    return StripTags(text);
}

QString StripTags(const QString &text)
{
    QString out;
    out.reserve(text.size());
    qsizetype pos = 0;
    while (true) {
        const qsizetype open = text.indexOf(u'<', pos);
        const qsizetype close = open < 0 ? -1 : text.indexOf(u'>', open + 1);
        if (close < 0)
            break;
        out.append(QStringView(text).sliced(pos, open - pos));
        pos = close + 1;
    }
    out.append(QStringView(text).sliced(pos));
    return out;
}

QString LineBreakTag(int caseMode)
{
    return caseMode == 2 ? QStringLiteral("<BR>") : QStringLiteral("<br>");
}

QString AddLineBreakTags(const QString &text, const QString &tag)
{
    QString out = text;
    return out.replace(u'\n', tag + u'\n');
}

LineSpan TabIndentLines(QStringView text, qsizetype selectionStart, qsizetype selectionLength)
{
    const auto lineOf = [text](qsizetype pos) {
        return text.first(qBound<qsizetype>(0, pos, text.size())).count(u'\n');
    };
    // The last line holds the last selected character: a selection ending
    // just after a line break leaves the next line alone, and a caret at the
    // start of a line indents nothing. At the top of the text there is no
    // character before the caret; the first line is indented then.
    const qsizetype lastChar = selectionStart + selectionLength - 1;
    const qsizetype first = lineOf(selectionStart);
    return {first, lastChar < 0 ? first : lineOf(lastChar)};
}

QString IndentWithTab(const QString &lines)
{
    QString out = lines;
    return out.replace(u'\n', QLatin1String("\n\t")).prepend(u'\t');
}

QString RemoveTabs(QString text)
{
    return text.remove(u'\t');
}

QString QuoteText(const QString &pasted)
{
    QString out = pasted;
    out.replace(u'\n', QLatin1String("\n> ")).prepend(QLatin1String("> "));
    if (pasted.endsWith(u'\n'))
        out.chop(2);
    else
        out.append(u'\n');
    return out;
}

} // namespace TextTools
