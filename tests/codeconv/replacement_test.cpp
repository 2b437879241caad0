// What the converters cannot convert becomes the geta mark and takes only
// its own bytes; JIS output ends in ASCII. iconv is the reference where it
// reads the text.
#include "bytes.h"
#include "iconv_oracle.h"
#include "jconvert.h"
#include "jconvert_stream.h"

#include <gtest/gtest.h>

using namespace Jconvert;

namespace {

const std::string In = "\x1B$B";
const std::string Out = "\x1B(B";

struct Replacement
{
    const char *what;
    int source;
    int target;
    std::string input;
    std::string expected;
    DecodeError fault;
    std::size_t offset;
};

class Replacements : public ::testing::TestWithParam<Replacement>
{
};

// The text whole, and streamed in two pieces cut at every byte.
TEST_P(Replacements, GetaMarkInPlaceOfTheCharacterAlone)
{
    const Replacement &c = GetParam();
    std::string out;
    const DecodeResult r = StrictConvertJCodeChecked(c.input, c.source, c.target, out);
    EXPECT_EQ(out, c.expected);
    EXPECT_EQ(r.error, c.fault);
    if (c.fault != DecodeError::None) {
        EXPECT_EQ(r.offset, c.offset);
    }
    EXPECT_EQ(StrictConvertJCode(c.input, c.source, c.target), c.expected);

    // Padding puts the text past the stream's lookahead, so the cut falls anywhere in it.
    const std::string pad(CodeStream::Lookahead, 'p');
    const std::string text = pad + c.input;
    for (std::size_t cut = 0; cut <= text.size(); ++cut) {
        CodeStream stream(c.source, c.target);
        std::string streamed(stream.MaxOutput(text.size()), '\0');
        const StreamProgress first = stream.Convert(text.data(), cut, false, streamed.data());
        const StreamProgress second = stream.Convert(text.data() + first.read, text.size() - first.read, true,
                                                     streamed.data() + first.written);
        streamed.resize(first.written + second.written);
        ASSERT_EQ(streamed, pad + c.expected) << cut;
        ASSERT_EQ(stream.Fault().error, c.fault) << cut;
        if (c.fault != DecodeError::None) {
            ASSERT_EQ(stream.Fault().offset, pad.size() + c.offset) << cut;
        }
    }
}

const std::string Geta = "\x81\xAC", GetaEuc = "\xA2\xAE", GetaJis = In + "\x22\x2E" + Out;

INSTANTIATE_TEST_SUITE_P(
    Characters, Replacements,
    ::testing::Values(
        Replacement{"sjis lead before LF", JC_SJIS, JC_JIS_NEW, "\x93\xFA\x93\nabc",
                    In + "\x46\x7C\x22\x2E" + Out + "\nabc", DecodeError::BadCharacter, 2},
        Replacement{"sjis lead before CR LF", JC_SJIS, JC_EUC, "\x93\xFA\x93\r\n",
                    "\xC6\xFC" + GetaEuc + "\r\n", DecodeError::BadCharacter, 2},
        Replacement{"sjis lead cut off", JC_SJIS, JC_JIS_NEW, "a\x82", "a" + GetaJis, DecodeError::CutShort,
                    1},
        Replacement{"sjis trail 0x7F", JC_SJIS, JC_EUC, "\x81\x7F", GetaEuc + "\x7F",
                    DecodeError::BadCharacter, 0},
        Replacement{"sjis 0x80 begins nothing", JC_SJIS, JC_EUC,
                    "\x80"
                    "A",
                    GetaEuc + "A", DecodeError::BadCharacter, 0},
        Replacement{"sjis user-defined", JC_SJIS, JC_JIS_NEW, "\xF0\x40z", GetaJis + "z",
                    DecodeError::Unmappable, 0},
        Replacement{"euc JIS X 0212", JC_EUC, JC_SJIS, "T\x8F\xAB\xD7kaid\x8F\xAB\xD7 and",
                    "T" + Geta + "kaid" + Geta + " and", DecodeError::Unmappable, 1},
        Replacement{"euc JIS X 0212 to jis", JC_EUC, JC_JIS_NEW, "\xC5\xEC\x8F\xAB\xD7k",
                    In + "\x45\x6C\x22\x2E" + Out + "k", DecodeError::Unmappable, 2},
        Replacement{"euc 0x8F cut off", JC_EUC, JC_SJIS, "\xA4\xA2\x8F\xA1", "\x82\xA0" + Geta,
                    DecodeError::CutShort, 2},
        Replacement{"euc 0x8F before LF", JC_EUC, JC_JIS_NEW, "\x8F\xA1\nx", GetaJis + "\nx",
                    DecodeError::BadCharacter, 0},
        Replacement{"euc lead before CR", JC_EUC, JC_SJIS, "\xA4\r\n", Geta + "\r\n",
                    DecodeError::BadCharacter, 0},
        Replacement{"euc 0x8E before a letter", JC_EUC, JC_JIS_NEW,
                    "\x8E"
                    "A",
                    GetaJis + "A", DecodeError::BadCharacter, 0},
        Replacement{"euc 0x8E cut off", JC_EUC, JC_SJIS, "\x8E", Geta, DecodeError::CutShort, 0},
        Replacement{"euc bytes that begin nothing", JC_EUC, JC_SJIS, "\x80\xFF\xA0", Geta + Geta + Geta,
                    DecodeError::BadCharacter, 0},
        Replacement{"jis half pair cut off", JC_JIS_NEW, JC_EUC, "abc" + In + "F", "abc" + GetaEuc,
                    DecodeError::CutShort, 6},
        Replacement{"jis half pair cut off to sjis", JC_JIS_NEW, JC_SJIS, "abc" + In + "F", "abc" + Geta,
                    DecodeError::CutShort, 6},
        Replacement{"jis half pair before LF", JC_JIS_NEW, JC_SJIS, In + "\x46\x7C\x46\n" + Out + "x",
                    "\x93\xFA" + Geta + "\nx", DecodeError::BadCharacter, 5},
        Replacement{"jis 8-bit byte", JC_JIS_OLD, JC_SJIS, "a\xB1", "a" + Geta, DecodeError::BadCharacter, 1},
        Replacement{"jis escape cut off", JC_JIS_NEW, JC_EUC, "a\x1B$", "a" + GetaEuc, DecodeError::CutShort,
                    1},
        Replacement{"nothing to replace", JC_SJIS, JC_JIS_NEW, "a\x82\xA0", "a" + In + "\x24\x22" + Out,
                    DecodeError::None, 0}),
    [](const auto &info) {
        std::string name = info.param.what;
        for (char &ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

// Romanised Japanese and a dictionary line in EUC-JP with JIS X 0212
// letters, as iconv writes them; iconv reads them back, and each letter
// Shift_JIS and ISO-2022-JP lack is one geta mark there.
TEST(Replacements, ThreeByteCharactersAgainstIconv)
{
    const char *texts[] = {
        "東海道 Tōkaidō と Ōsaka、Kyūshū\n",
        "辞書 ǎ ǒ ŋ の見出し\r\n終わり",
        "Tōkaidō",
    };
    for (const char *utf8 : texts) {
        const auto euc = Iconv("UTF-8", "EUC-JP", utf8);
        ASSERT_TRUE(euc) << utf8;
        ASSERT_NE(euc->find('\x8F'), std::string::npos) << utf8;
        EXPECT_EQ(euc2sjis(*euc), IconvOrGeta("EUC-JP", "SHIFT_JIS", *euc)) << utf8;
        EXPECT_EQ(euc2jis83(*euc), IconvOrGeta("EUC-JP", "ISO-2022-JP", *euc)) << utf8;
    }
}

} // namespace
