// Failed expectations show QStrings as UTF-8 text.
#pragma once

#include <QString>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}
