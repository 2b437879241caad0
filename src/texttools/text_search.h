// Literal search in the editor's text. Without match case only the ASCII
// letters compare equal in either case, like every letter-case rule here.
#pragma once

#include <QList>
#include <QString>

namespace TextTools {

// Position of the first match of `pattern` at or after `from`, or -1; an
// empty pattern matches nowhere.
qsizetype FindText(QStringView text, QStringView pattern, qsizetype from, bool matchCase);

// Every match from the start, each search resuming behind the previous
// match, so matches never overlap.
QList<qsizetype> FindAllMatches(QStringView text, QStringView pattern, bool matchCase);

} // namespace TextTools
