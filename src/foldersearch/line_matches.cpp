#include "line_matches.h"

#include "editor_units.h"

#include <algorithm>

namespace FolderSearch {

namespace detail {

namespace {

// Where a long line's excerpt starts: some context before the match.
constexpr qsizetype ContextBefore = 60;
const QChar Ellipsis(0x2026);

QString Shown(QStringView text)
{
    QString shown = text.toString();
    for (QChar &c : shown) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u' ';
    }
    return shown;
}

} // namespace

} // namespace detail

TextMatches MatchLines(QStringView text, const TextTools::SearchPattern &pattern, qsizetype maxRows)
{
    TextMatches result;
    const QList<TextTools::SearchMatch> found = pattern.findAllPlaces(text);
    result.count = found.size();
    // Lines are passed forward once from one match to the next; the line's
    // columns and text are reused while matches stay on it.
    const auto endOf = [text](qsizetype from) {
        const qsizetype nl = text.indexOf(u'\n', from);
        return nl < 0 ? text.size() : nl;
    };
    qsizetype line = 0, lineStart = 0, lineEnd = endOf(0);
    qsizetype unitsAt = 0, unitsBefore = 0; // editor units from the line start to unitsAt
    QString wholeLine;
    for (const TextTools::SearchMatch &m : found) {
        if (result.matches.size() >= maxRows)
            break;
        if (m.start > lineEnd) {
            const qsizetype breakBefore = text.lastIndexOf(u'\n', m.start - 1);
            line += text.sliced(lineEnd, breakBefore + 1 - lineEnd).count(u'\n');
            lineStart = breakBefore + 1;
            lineEnd = endOf(m.start);
            unitsAt = lineStart;
            unitsBefore = 0;
            wholeLine.clear();
        }
        unitsBefore += EditorUnits::Length(text.sliced(unitsAt, m.start - unitsAt));
        unitsAt = m.start;

        LineMatch row;
        row.line = line;
        row.offset = m.start - lineStart;
        row.length = m.length;
        row.column = unitsBefore;
        const qsizetype lineLength = lineEnd - lineStart;
        const qsizetype marked = std::min(m.length, lineLength - row.offset);
        if (lineLength <= ExcerptChars) {
            if (wholeLine.isEmpty())
                wholeLine = detail::Shown(text.sliced(lineStart, lineLength));
            row.excerpt = wholeLine;
            row.markFrom = row.offset;
            row.markLength = marked;
        } else {
            const qsizetype from = std::max<qsizetype>(0, row.offset - detail::ContextBefore);
            const qsizetype to = std::min(lineLength, from + ExcerptChars);
            const QString head = from > 0 ? QString(detail::Ellipsis) : QString();
            row.excerpt = head + detail::Shown(text.sliced(lineStart + from, to - from)) +
                          (to < lineLength ? QString(detail::Ellipsis) : QString());
            row.markFrom = head.size() + row.offset - from;
            row.markLength = std::min(marked, to - row.offset);
        }
        result.matches.append(std::move(row));
    }
    return result;
}

} // namespace FolderSearch
