// HTML5's named character references, sorted by name (in code-unit order),
// and what a numeric reference to a C1 control stands for. The table is
// generated: see tools/make_html_entity_table.py.
#pragma once

#include <cstddef>

namespace TextTools::detail {

struct HtmlEntity
{
    const char *name; // without '&' and ';'
    char32_t first;
    char32_t second; // 0 for a name of one code point
    bool bare;       // also recognised without ';' (the names HTML 4 had)
};

extern const HtmlEntity HtmlEntities[];
extern const std::size_t HtmlEntityCount;

// For &#x80; to &#x9F;: the windows-1252 character HTML5 reads, or the
// control itself where windows-1252 has none.
extern const char32_t C1Replacements[32];

} // namespace TextTools::detail
