// How the lines of a document end: one kind for all, or each break's own.
// The bytes of CR and LF never occur inside a character of Shift_JIS,
// EUC-JP, JIS or UTF-8, so line ends are found and rewritten on the bytes
// whatever their code.
#pragma once

#include "code_choices.h"

#include <QByteArrayView>
#include <QString>
#include <vector>

struct LineEnds
{
    Jconvert::ReturnCode main = Jconvert::ReturnCode::Lf; // the most common; the default when there is none
    // One per line break when the kinds differ, else empty.
    std::vector<Jconvert::ReturnCode> each;

    bool mixed() const { return !each.empty(); }
    // The end of the break after line `line` (0-based).
    Jconvert::ReturnCode at(std::size_t line) const { return line < each.size() ? each[line] : main; }
    // Whether every break is `end`.
    bool allAre(Jconvert::ReturnCode end) const { return !mixed() && main == end; }
};

// Tallies the kinds of break in `counts` (CR LF, CR, LF) and picks the most
// common, ties to the earlier; `none` when there is no break. Drops `each`
// when every break is the same.
void SettleLineEnds(LineEnds &ends, const qsizetype (&counts)[3], Jconvert::ReturnCode none);

// The line ends of a file's bytes; `none` when it has no line break.
LineEnds ScanLineEnds(QByteArrayView bytes, Jconvert::ReturnCode none);

// Turns every line end of `text` (CR LF, CR, LF) into '\n' and returns each
// one's kind; `none` when it has none.
LineEnds TakeLineEnds(QString &text, Jconvert::ReturnCode none);

// Rewrites the CR LF pairs of `data` (every one a line break) as the ends
// given, in place, counting breaks from *breaks (left alone when every end is
// CR LF); returns the new size.
qsizetype ApplyLineEnds(char *data, qsizetype size, const LineEnds &ends, std::size_t *breaks);
