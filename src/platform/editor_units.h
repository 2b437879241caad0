// Editor units: positions and lengths counted as bytes of the document in code
// page 932, a line break counting two (CR LF). Stored offsets use these units.
#pragma once

#include <QChar>
#include <QStringView>

namespace EditorUnits {

// 1 for ASCII, half-width katakana and escaped bytes, 2 for a line break and
// everything else. A surrogate pair counts 1 + 1.
int Width(QChar c);

qsizetype Length(QStringView text);

// Index of the first code unit whose unit offset is at least `units`
// (text.size() when the text is shorter).
qsizetype IndexAt(QStringView text, qsizetype units);

} // namespace EditorUnits
