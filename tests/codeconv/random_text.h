// Random texts that mix every kind of byte the converters treat apart:
// ASCII, line breaks, controls, escapes, kana, pairs in each code, and noise.
#pragma once

#include "jconvert.h"

#include <random>
#include <string>

// Runs of one kind of content, so blocks of pairs and their edges both occur.
inline std::string RandomText(std::mt19937 &rng, std::size_t len, bool jisLike)
{
    std::string s;
    while (s.size() < len) {
        const unsigned kind = rng() % 10;
        const unsigned run = 1 + rng() % 24;
        const bool sjisForm = rng() % 2; // one code for the whole run, so long runs of pairs occur
        for (unsigned i = 0; i < run && s.size() < len; ++i) {
            switch (kind) {
            case 0: // ASCII
                s += char(0x20 + rng() % 0x5F);
                break;
            case 1: // line breaks and controls
                s += "\r\n\x1B\x00\x7F"[rng() % 5];
                break;
            case 2: // escapes
                s += std::string("\x1B$B\x1B(J\x1B(B\x1B$@").substr(3 * (rng() % 4), 3);
                break;
            case 3: // half-width katakana, marks
                s += char(0xA1 + rng() % 0x3F);
                break;
            case 4: // EUC kana
                s += '\x8E';
                s += char(0xA1 + rng() % 0x3F);
                break;
            case 5: // bytes the fast paths must leave to the slow path
                s += "\x80\xFF\x8E\xA0\xFD"[rng() % 5];
                break;
            case 6: // anything
                s += char(rng() & 0xFF);
                break;
            default: { // two-byte characters in Shift_JIS, EUC or JIS form
                const unsigned char j1 = 0x21 + rng() % 0x5E, j2 = 0x21 + rng() % 0x5E;
                if (jisLike) {
                    s += char(j1);
                    s += char(j2);
                } else if (sjisForm) {
                    const Jconvert::BytePair p = Jconvert::ToSjis(j1, j2);
                    s += char(p.first);
                    s += char(p.second);
                } else {
                    s += char(j1 | 0x80);
                    s += char(j2 | 0x80);
                }
            }
            }
        }
    }
    return s;
}
