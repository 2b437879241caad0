#include "tag_colouring.h"

#include "editor_units.h"

namespace TextTools {

namespace {

bool IsLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// Position of `c` in text[from, to), or -1.
qsizetype FindIn(QStringView text, QChar c, qsizetype from, qsizetype to)
{
    to = qMin(to, text.size());
    if (from >= to)
        return -1;
    const qsizetype at = text.sliced(from, to - from).indexOf(c);
    return at < 0 ? -1 : from + at;
}

} // namespace

TextRanges ColourAllTagsRanges(QStringView text)
{
    TextRanges ranges;
    // Past the last ">" no tag can close; knowing where it is keeps a run of
    // unclosed "<" from searching the rest of the text again and again.
    const qsizetype lastClose = text.lastIndexOf(u'>');
    qsizetype a = text.indexOf(u'<');
    while (a >= 0) {
        qsizetype p = a;
        do {
            ++p;
            if (p > lastClose)
                break;
            p = text.indexOf(u'>', p) + 1;
            while (p < text.size() && IsLineBreak(text[p]))
                ++p;
        } while (p < text.size() && text[p] == u'<');
        ranges.append({a, p - a});
        a = p < text.size() ? text.indexOf(u'<', p) : -1;
    }
    return ranges;
}

NearCaretColouring ColourTagsNearCaretRanges(QStringView text, qsizetype caret)
{
    caret = qBound<qsizetype>(0, caret, text.size());
    const qsizetype end = caret + EditorUnits::IndexAt(text.sliced(caret), 100);
    qsizetype from = caret;
    for (qsizetype units = 0; from > 0 && units < 150; --from)
        units += EditorUnits::Width(text[from - 1]);

    // Every search stays inside the window: read literally, the searches for
    // "<" may run past its end and give ranges of negative length.
    qsizetype first = FindIn(text, u'<', from, end);
    if (first < 0)
        return {};
    NearCaretColouring result{{first, end - first}, {}};
    while (first >= 0) {
        // A ">" standing right at the window's end still closes the tag.
        qsizetype gt = FindIn(text, u'>', first + 1, end + 1);
        if (gt < 0)
            gt = end;
        result.blue.append({first, qMin(gt + 1, text.size()) - first});
        first = FindIn(text, u'<', gt, end);
    }
    return result;
}

} // namespace TextTools
