// The converters' block steps against byte-at-a-time conversion, on random
// texts that mix every kind of byte at every alignment.
#include "jconvert.h"
#include "random_text.h"
#include "reference_converters.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Jconvert;

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
