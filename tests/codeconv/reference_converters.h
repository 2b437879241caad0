// Byte-at-a-time converters written straight from the conversion rules, with
// no tables and no block steps: the yardstick for the library's fast paths.
// What they cannot convert becomes the geta mark, taking only its own bytes.
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

// Bytes in the character at i that the converters take as one unit, and
// whether it converts (a Shift_JIS pair JIS X 0208 holds, a kana).
struct Unit
{
    std::size_t length;
    bool converts;
};

inline bool InRange(unsigned c, unsigned low, unsigned high)
{
    return c >= low && c <= high;
}

inline Unit SjisUnit(std::string_view t, std::size_t i)
{
    const unsigned char c = At(t, i);
    if (InRange(c, 0xA1, 0xDF))
        return {1, true};
    if (!InRange(c, 0x81, 0x9F) && !InRange(c, 0xE0, 0xFC))
        return {1, false};
    if (i + 1 >= t.size())
        return {1, false};
    const unsigned char d = At(t, i + 1);
    if (d < 0x40 || d == 0x7F || d > 0xFC)
        return {1, false};
    return {2, c < 0xF0};
}

inline Unit EucUnit(std::string_view t, std::size_t i)
{
    const unsigned char c = At(t, i);
    const auto euc = [&](std::size_t k) { return k < t.size() && InRange(At(t, k), 0xA1, 0xFE); };
    if (c == 0x8E)
        return i + 1 < t.size() && InRange(At(t, i + 1), 0xA1, 0xDF) ? Unit{2, true} : Unit{1, false};
    if (c == 0x8F)
        return {std::size_t(1 + euc(i + 1) + (euc(i + 1) && euc(i + 2))), false};
    if (!InRange(c, 0xA1, 0xFE))
        return {1, false};
    return euc(i + 1) ? Unit{2, true} : Unit{1, false};
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
        const Unit u = euc ? EucUnit(t, i) : SjisUnit(t, i);
        if (!u.converts) {
            o += "\x22\x2E";
            i += u.length - 1;
        } else if (!euc && u.length == 1) {
            Kana(o, t, i, false);
        } else if (euc && c == 0x8E) {
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
    if (kanji)
        o += "\x1B(B";
    return o;
}

inline std::string FromJisText(std::string_view t, bool toEuc)
{
    const char *geta = toEuc ? "\xA2\xAE" : "\x81\xAC";
    std::string o;
    bool kanji = false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const unsigned char c = At(t, i);
        if (c == 0x1B) {
            if (i + 2 >= t.size()) {
                o += geta;
                break;
            }
            if (At(t, i + 1) == '$')
                kanji = true;
            else if (At(t, i + 1) == '(')
                kanji = false;
            i += 2;
        } else if (c >= 0x80) {
            o += geta;
        } else if (!kanji || c < 0x21 || c > 0x7E) {
            o += char(c);
        } else if (i + 1 >= t.size() || !InRange(At(t, i + 1), 0x21, 0x7E)) {
            o += geta;
        } else if (toEuc) {
            o += char(c | 0x80);
            o += char(At(t, i + 1) | 0x80);
            ++i;
        } else {
            Put(o, ToSjis(c, At(t, i + 1)));
            ++i;
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
            continue;
        }
        const Unit u = SjisUnit(t, i);
        if (!u.converts) {
            o += "\xA2\xAE";
        } else if (u.length == 1) {
            o += '\x8E';
            o += char(c);
        } else {
            const BytePair j = ToJis(c, At(t, i + 1));
            Put(o, {static_cast<unsigned char>(j.first | 0x80), static_cast<unsigned char>(j.second | 0x80)});
        }
        i += u.length - 1;
    }
    return o;
}

inline std::string EucToSjis(std::string_view t)
{
    std::string o;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const unsigned char c = At(t, i);
        if (c < 0x80) {
            o += char(c);
            continue;
        }
        const Unit u = EucUnit(t, i);
        if (!u.converts)
            o += "\x81\xAC";
        else if (c == 0x8E)
            o += t[i + 1];
        else
            Put(o, ToSjis(c & 0x7F, At(t, i + 1) & 0x7F));
        i += u.length - 1;
    }
    return o;
}

} // namespace reference
