// What the editor's own keys and buttons compute, apart from the keys and
// the window: indentation, line deletion, the text size cycle.
#pragma once

#include "text_range.h"

#include <QString>
#include <optional>

namespace TextTools {

// Enter in `line` with the caret at `column`: a line break and the line's
// leading TABs and spaces (at most `column` of them), or nothing for a plain
// Enter (column 0, or a line that does not start with a TAB or a space).
std::optional<QString> AutoIndentText(QStringView line, qsizetype column);

// Shift+Delete: the line holding `caret` with its line break; the last line
// takes the break before it instead, so the line goes away in every case.
TextRange LineDeletionRange(QStringView text, qsizetype caret);

// The text size button's cycle 9 -> 12 -> 15 -> 9; any other size gives 9.
int NextTextSize(int size);

} // namespace TextTools
