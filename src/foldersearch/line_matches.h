// The matches of a search in one text, each placed on its line, as the
// results list shows them.
#pragma once

#include "search_pattern.h"

#include <QList>
#include <QString>

namespace FolderSearch {

struct LineMatch
{
    qsizetype line = 0;   // from 0
    qsizetype offset = 0; // of the match in its line (UTF-16 units)
    qsizetype length = 0; // of the whole match, line breaks included
    // Editor units before the match in its line, as the status bar counts the column.
    qsizetype column = 0;
    // The line, cut around the match when long, control characters as spaces.
    QString excerpt;
    qsizetype markFrom = 0; // the match's part of the excerpt (up to the line's end)
    qsizetype markLength = 0;
};

struct TextMatches
{
    QList<LineMatch> matches; // the first `maxRows`
    qsizetype count = 0;      // all of them
};

// Characters of a line shown around a match at most.
inline constexpr qsizetype ExcerptChars = 240;

// Every match of `pattern` in `text` ('\n' line breaks), at most `maxRows` of them placed.
TextMatches MatchLines(QStringView text, const TextTools::SearchPattern &pattern, qsizetype maxRows);

} // namespace FolderSearch
