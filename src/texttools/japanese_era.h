// The Japanese imperial calendar's eras. Qt 6 has no Japanese QCalendar, so
// the era comes from a table of the eras' first days (Gregorian dates).
#pragma once

#include <QDate>
#include <QString>
#include <optional>

namespace TextTools {

struct JapaneseEra
{
    QString name; // "令和"
    int year = 0; // 1 in the era's first year
};

// The era holding `date`; none before Meiji (1868-09-08).
std::optional<JapaneseEra> JapaneseEraOf(QDate date);

} // namespace TextTools
