// Failed expectations show QStrings as UTF-8 text and ranges as numbers.
#pragma once

#include "text_range.h"

#include <QString>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace TextTools {
inline void PrintTo(const TextRange &range, std::ostream *os)
{
    *os << '{' << range.start << ", " << range.length << '}';
}
} // namespace TextTools
