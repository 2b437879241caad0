#include "japanese_era.h"

#include <array>

namespace TextTools {

std::optional<JapaneseEra> JapaneseEraOf(QDate date)
{
    struct Start
    {
        int year, month, day;
        const char16_t *name;
    };
    // Newest first.
    static constexpr std::array<Start, 5> starts{{
        {2019, 5, 1, u"令和"},
        {1989, 1, 8, u"平成"},
        {1926, 12, 25, u"昭和"},
        {1912, 7, 30, u"大正"},
        {1868, 9, 8, u"明治"},
    }};
    for (const Start &s : starts) {
        if (date >= QDate(s.year, s.month, s.day))
            return JapaneseEra{QString::fromUtf16(s.name), date.year() - s.year + 1};
    }
    return std::nullopt;
}

} // namespace TextTools
