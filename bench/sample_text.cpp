#include "sample_text.h"

#include "jconvert.h"

#include <random>

std::string MakeSjisSample(std::size_t bytes, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string s;
    s.reserve(bytes + 64);
    auto put = [&](unsigned j1, unsigned j2) {
        const Jconvert::BytePair p = Jconvert::ToSjis(j1, j2);
        s += char(p.first);
        s += char(p.second);
    };
    static const char *words[] = {"HTML", "QUMOEDIT", "<p>", "</p>", "2026", "text", "<br>", "CSS"};
    std::size_t column = 0;
    while (s.size() < bytes) {
        const unsigned r = rng() % 100;
        if (r < 35)
            put(0x24, 0x21 + rng() % 0x53); // hiragana
        else if (r < 50)
            put(0x25, 0x21 + rng() % 0x56); // katakana
        else if (r < 85)
            put(0x30 + rng() % 0x1F, 0x21 + rng() % 0x5E); // kanji
        else if (r < 90)
            put(0x21, r % 2 ? 0x22 : 0x23); // 、。
        else
            s += words[rng() % 8];
        if (++column >= 38) {
            s += "\r\n";
            column = 0;
        }
    }
    return s;
}
