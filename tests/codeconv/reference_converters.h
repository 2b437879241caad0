// Byte-at-a-time converters written straight from the conversion rules, with
// no tables and no block steps: the yardstick for the library's fast paths.
#pragma once

#include "hankana_table.h"
#include "jconvert.h"

#include <string>
#include <string_view>

namespace reference {

using namespace Jconvert;

inline unsigned char At(std::string_view t, std::size_t i)
{
    return static_cast<unsigned char>(t[i]);
}

inline void Put(std::string &o, BytePair p)
{
    o += char(p.first);
    o += char(p.second);
}

inline void Kana(std::string &o, std::string_view t, std::size_t &i, bool euc)
{
    const unsigned char k = At(t, i) & 0x7F;
    unsigned char cell = detail::HankanaCell[k - 0x21];
    const std::size_t m = i + 1;
    int mark = 0;
    if (euc && m + 1 < t.size() && At(t, m) == 0x8E)
        mark = At(t, m + 1);
    if (!euc && m < t.size())
        mark = At(t, m);
    bool fold = false;
    if (mark == 0xDE && k == 0x33)
        cell = 0x74, fold = true;
    else if (mark == 0xDE && ((k >= 0x36 && k <= 0x44) || (k >= 0x4A && k <= 0x4E)))
        cell += 1, fold = true;
    else if (mark == 0xDF && k >= 0x4A && k <= 0x4E)
        cell += 2, fold = true;
    Put(o, {detail::HankanaRow(k), cell});
    if (fold)
        i += euc ? 2 : 1;
}

inline std::string ToJisText(std::string_view t, bool euc)
{
    std::string o;
    bool kanji = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const unsigned char c = At(t, i);
        if (c < 0x80) {
            if (kanji)
                o += "\x1B(B", kanji = false;
            o += char(c);
            continue;
        }
        if (!kanji)
            o += "\x1B$B", kanji = true;
        if (!euc && c >= 0xA1 && c <= 0xDF) {
            Kana(o, t, i, false);
        } else if (i + 1 >= t.size()) {
            o += char(c);
        } else if (euc && c == 0x8E && At(t, i + 1) >= 0xA1 && At(t, i + 1) <= 0xDF) {
            ++i;
            Kana(o, t, i, true);
        } else if (euc) {
            Put(o, {static_cast<unsigned char>(c & 0x7F), static_cast<unsigned char>(At(t, i + 1) & 0x7F)});
            ++i;
        } else {
            Put(o, ToJis(c, At(t, i + 1)));
            ++i;
        }
    }
    return o;
}

inline std::string FromJisText(std::string_view t, bool toEuc)
{
    std::string o;
    bool kanji = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const unsigned char c = At(t, i);
        if (c == 0x1B) {
            if (i + 2 >= t.size()) {
                o += t.substr(i);
                break;
            }
            if (At(t, i + 1) == '$')
                kanji = true;
            else if (At(t, i + 1) == '(')
                kanji = false;
            i += 2;
        } else if (!kanji || c < 0x21 || c > 0x7E) {
            o += char(c);
        } else if (toEuc) {
            o += char(c | 0x80);
        } else if (i + 1 < t.size()) {
            Put(o, ToSjis(c, At(t, i + 1)));
            ++i;
        } else {
            o += char(c);
        }
    }
    return o;
}

inline std::string SjisToEuc(std::string_view t)
{
    std::string o;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const unsigned char c = At(t, i);
        if (c < 0x80) {
            o += char(c);
        } else if (c >= 0xA1 && c <= 0xDF) {
            o += '\x8E';
            o += char(c);
        } else if (i + 1 < t.size()) {
            const BytePair j = ToJis(c, At(t, i + 1));
            Put(o, {static_cast<unsigned char>(j.first | 0x80), static_cast<unsigned char>(j.second | 0x80)});
            ++i;
        } else {
            o += char(c);
        }
    }
    return o;
}

inline std::string EucToSjis(std::string_view t)
{
    std::string o;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const unsigned char c = At(t, i);
        if (c <= 0x80 || c == 0xFF || i + 1 >= t.size()) {
            o += char(c);
        } else if (c == 0x8E) {
            o += t[++i];
        } else {
            Put(o, ToSjis(c & 0x7F, At(t, i + 1) & 0x7F));
            ++i;
        }
    }
    return o;
}

} // namespace reference
