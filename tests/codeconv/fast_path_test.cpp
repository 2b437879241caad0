// The converters' block steps against byte-at-a-time conversion, on random
// texts that mix every kind of byte at every alignment.
#include "jconvert.h"
#include "reference_converters.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace Jconvert;

namespace {

// Runs of one kind of content, so blocks of pairs and their edges both occur.
std::string RandomText(std::mt19937 &rng, std::size_t len, bool jisLike)
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
                    const BytePair p = ToSjis(j1, j2);
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

} // namespace

TEST(FastPaths, AgreeWithByteAtATimeConversion)
{
    std::mt19937 rng(12345);
    for (int rep = 0; rep < 6000; ++rep) {
        const std::size_t len = rng() % 300;
        // Exact-size copies, so the sanitizer build sees any read past the end.
        const std::string text = RandomText(rng, len, false);
        const auto textBuf = std::make_unique<char[]>(text.size());
        std::copy(text.begin(), text.end(), textBuf.get());
        const std::string_view t(textBuf.get(), text.size());
        ASSERT_EQ(sjis2euc(t), reference::SjisToEuc(t)) << rep;
        ASSERT_EQ(euc2sjis(t), reference::EucToSjis(t)) << rep;
        ASSERT_EQ(sjis2jis83(t), reference::ToJisText(t, false)) << rep;
        ASSERT_EQ(euc2jis83(t), reference::ToJisText(t, true)) << rep;
        const std::string jisText = RandomText(rng, len, true);
        const auto jisBuf = std::make_unique<char[]>(jisText.size());
        std::copy(jisText.begin(), jisText.end(), jisBuf.get());
        const std::string_view j(jisBuf.get(), jisText.size());
        ASSERT_EQ(jis2sjis(j), reference::FromJisText(j, false)) << rep;
        ASSERT_EQ(jis2euc(j), reference::FromJisText(j, true)) << rep;
        ASSERT_EQ(jis2sjis(t), reference::FromJisText(t, false)) << rep;
    }
}

TEST(FastPaths, LongCleanTextsAtEveryStartOffset)
{
    std::string sjis;
    for (unsigned j1 = 0x30; j1 < 0x50; ++j1)
        for (unsigned j2 = 0x21; j2 < 0x7F; j2 += 3) {
            const BytePair p = ToSjis(j1, j2);
            sjis += char(p.first);
            sjis += char(p.second);
            if (j2 % 7 == 0)
                sjis += "ab";
        }
    for (std::size_t skip = 0; skip < 17; ++skip) {
        const std::string t = std::string(skip, 'x') + sjis;
        ASSERT_EQ(sjis2euc(t), reference::SjisToEuc(t));
        const std::string euc = sjis2euc(t);
        ASSERT_EQ(euc2sjis(euc), t);
        ASSERT_EQ(jis2sjis(sjis2jis83(t)), t);
    }
}
