// The streaming detector and converters against their whole-text
// counterparts, on random texts cut into pieces at every boundary.
#include "bytes.h"
#include "jconvert.h"
#include "jconvert_stream.h"
#include "random_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace Jconvert;

namespace {

// The piece boundaries of a text: the given cuts, then its end.
std::vector<std::size_t> Bounds(std::vector<std::size_t> cuts, std::size_t size)
{
    cuts.push_back(size);
    return cuts;
}

// Feeds the pieces as a reader of a file would: what a call leaves untaken
// comes again in front of the next piece. Each call sees an exact-size copy,
// so the sanitizer build catches a read past the piece.
template <typename Call> void InPieces(std::string_view text, const std::vector<std::size_t> &cuts, Call call)
{
    std::string pending;
    std::size_t from = 0;
    const std::vector<std::size_t> bounds = Bounds(cuts, text.size());
    for (std::size_t k = 0; k < bounds.size(); ++k) {
        pending.append(text.substr(from, bounds[k] - from));
        from = bounds[k];
        const auto exact = std::make_unique<char[]>(pending.size());
        std::copy(pending.begin(), pending.end(), exact.get());
        pending.erase(0, call(std::string_view(exact.get(), pending.size()), k + 1 == bounds.size()));
    }
    ASSERT_TRUE(pending.empty());
}

std::string Streamed(std::string_view text, int source, int target, const std::vector<std::size_t> &cuts,
                     DecodeResult *fault = nullptr)
{
    CodeStream stream(source, target);
    std::string out;
    InPieces(text, cuts, [&](std::string_view piece, bool last) {
        std::string buf(stream.MaxOutput(piece.size()), '\0');
        const StreamProgress got = stream.Convert(piece.data(), piece.size(), last, buf.data());
        EXPECT_LE(got.written, buf.size());
        out.append(buf, 0, got.written);
        return got.read;
    });
    if (fault)
        *fault = stream.Fault();
    return out;
}

// The code, and every verdict given before the end, which must match it.
std::vector<int> Detected(std::string_view text, const std::vector<std::size_t> &cuts)
{
    CodeDetector detector;
    std::vector<int> verdicts;
    InPieces(text, cuts, [&](std::string_view piece, bool last) -> std::size_t {
        if (last) {
            verdicts.push_back(detector.Finish(piece));
            return piece.size();
        }
        const std::size_t taken = detector.Feed(piece);
        if (detector.Decided() >= 0)
            verdicts.push_back(detector.Decided());
        return taken;
    });
    return verdicts;
}

std::string Normalized(std::string_view text, int target, const std::vector<std::size_t> &cuts)
{
    ReturnCodeStream stream(target);
    std::string out;
    InPieces(text, cuts, [&](std::string_view piece, bool) {
        std::string buf(ReturnCodeStream::MaxOutput(piece.size()), '\0');
        out.append(buf, 0, stream.Convert(piece.data(), piece.size(), buf.data()));
        return piece.size();
    });
    return out;
}

std::vector<std::size_t> RandomCuts(std::mt19937 &rng, std::size_t size, std::size_t most)
{
    std::vector<std::size_t> cuts;
    for (std::size_t at = rng() % most; at < size; at += 1 + rng() % most)
        cuts.push_back(at);
    return cuts;
}

// Texts that keep detection open for long: ASCII and pairs that EUC-JP and
// Shift_JIS share, with now and then an escape, a control byte or a byte that
// only one of the codes has.
std::string UndecidedText(std::mt19937 &rng, std::size_t len)
{
    static const std::string rare[] = {"\x1B$B",   "\x1B$@",   "\x1B(B",   "\x1B$",
                                       "\x01",     "\xFF",     "\x82\xA0", "\xF0",
                                       "\xB1\xE5", "\xE0\xFD", "\x8E\xB1", "\xA4\xE0\x8F"};
    std::string s;
    while (s.size() < len) {
        const unsigned r = rng() % 1000;
        if (r < 500)
            s += char(0x20 + rng() % 0x5F);
        else if (r < 990)
            s += {char(0xA1 + rng() % 0x3F), char(0xA1 + rng() % 0x3F)};
        else
            s += rare[rng() % std::size(rare)];
    }
    return s;
}

struct CodePair
{
    int source;
    int target;
};

constexpr CodePair Pairs[] = {
    {JC_SJIS, JC_EUC},     {JC_SJIS, JC_JIS_NEW}, {JC_EUC, JC_SJIS},  {JC_EUC, JC_JIS_NEW},
    {JC_JIS_NEW, JC_SJIS}, {JC_JIS_OLD, JC_EUC},  {JC_SJIS, JC_SJIS}, {JC_EUC_OR_SJIS, JC_EUC},
};

} // namespace

class CodeStreamPairs : public ::testing::TestWithParam<CodePair>
{
};

TEST_P(CodeStreamPairs, EveryCutGivesTheWholeTextResult)
{
    const auto [source, target] = GetParam();
    std::mt19937 rng(source * 10 + target);
    for (int rep = 0; rep < 8; ++rep) {
        const std::string text = RandomText(rng, 420, source == JC_JIS_NEW || source == JC_JIS_OLD);
        std::string whole;
        const DecodeResult wholeFault = StrictConvertJCodeChecked(text, source, target, whole);
        for (std::size_t cut = 0; cut <= text.size(); ++cut) {
            DecodeResult fault;
            ASSERT_EQ(Streamed(text, source, target, {cut}, &fault), whole) << rep << " cut at " << cut;
            ASSERT_EQ(fault.error, wholeFault.error) << rep << " cut at " << cut;
            ASSERT_EQ(fault.offset, wholeFault.offset) << rep << " cut at " << cut;
        }
    }
}

TEST_P(CodeStreamPairs, ManySmallAndLargePieces)
{
    const auto [source, target] = GetParam();
    std::mt19937 rng(source * 100 + target);
    for (int rep = 0; rep < 60; ++rep) {
        const std::string text = RandomText(rng, 1 + rng() % 5000, rng() % 2);
        const std::vector<std::size_t> cuts = RandomCuts(rng, text.size(), rep % 2 ? 70 : 700);
        ASSERT_EQ(Streamed(text, source, target, cuts), StrictConvertJCode(text, source, target)) << rep;
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, CodeStreamPairs, ::testing::ValuesIn(Pairs));

TEST(CodeStream, EscapeAndPairSplitAtTheStop)
{
    // The stop falls Lookahead bytes before a piece's end: put an escape, a
    // pair and a kana with its mark across every position near it.
    const std::string tails[] = {"\x1B$B\x30\x21\x1B(B", "\x88\x9F", "\xB6\xDE", "\x8E\xB6\x8E\xDE",
                                 "\xA4\xA2"};
    for (const std::string &tail : tails) {
        for (std::size_t pad = 0; pad < 80; ++pad) {
            const std::string text = std::string(pad, 'a') + tail + std::string(100, 'b');
            for (const CodePair &pair : Pairs) {
                const std::size_t cut = pad + CodeStream::Lookahead + 1;
                ASSERT_EQ(Streamed(text, pair.source, pair.target, {cut}),
                          StrictConvertJCode(text, pair.source, pair.target))
                    << pad << " " << pair.source << "->" << pair.target;
            }
        }
    }
}

TEST(CodeStream, ShortPiecesWaitForMore)
{
    CodeStream stream(JC_SJIS, JC_EUC);
    char out[256];
    const std::string piece(CodeStream::Lookahead, 'a');
    EXPECT_EQ(stream.Convert(piece.data(), piece.size(), false, out).read, 0u);
    EXPECT_EQ(stream.Convert(piece.data(), piece.size(), true, out).read, piece.size());
}

TEST(CodeDetector, EveryCutGivesInCodeCheck)
{
    std::mt19937 rng(7);
    for (int rep = 0; rep < 60; ++rep) {
        const std::string text = UndecidedText(rng, rng() % 1200);
        const int whole = InCodeCheck(text);
        for (std::size_t cut = 0; cut <= text.size(); cut += 1 + rep % 5) {
            for (const int verdict : Detected(text, {cut}))
                ASSERT_EQ(verdict, whole) << rep << " cut at " << cut;
        }
        for (int k = 0; k < 20; ++k) {
            for (const int verdict : Detected(text, RandomCuts(rng, text.size(), 1 + k * 10)))
                ASSERT_EQ(verdict, whole) << rep;
        }
    }
}

TEST(CodeDetector, DecidesBeforeTheEndOnceThePreScanIsDone)
{
    std::string sjis = B({0x82, 0xA0}) + std::string(600, 'a');
    CodeDetector detector;
    detector.Feed(std::string_view(sjis).substr(0, 100));
    EXPECT_EQ(detector.Decided(), -1); // a control byte may still follow among the first 512
    detector.Feed(sjis);
    EXPECT_EQ(detector.Decided(), JC_SJIS);

    // A binary byte decides as soon as a byte follows it, not when it is the last.
    CodeDetector binary;
    binary.Feed("ab\x01");
    EXPECT_EQ(binary.Decided(), -1);
    EXPECT_EQ(binary.Finish("\x01"), JC_ASCII);
    CodeDetector binary2;
    binary2.Feed("ab\x01z");
    EXPECT_EQ(binary2.Decided(), JC_BINARY);
}

struct LineEndCase
{
    const char *text;
    int target;
    const char *expected;
};

class NormalizeReturnCodeCases : public ::testing::TestWithParam<LineEndCase>
{
};

TEST_P(NormalizeReturnCodeCases, EveryLineEndTakesTheTargetForm)
{
    const LineEndCase &c = GetParam();
    EXPECT_EQ(NormalizeReturnCode(c.text, c.target), c.expected);
    for (std::size_t cut = 0; cut <= std::strlen(c.text); ++cut)
        EXPECT_EQ(Normalized(c.text, c.target, {cut}), c.expected) << cut;
}

INSTANTIATE_TEST_SUITE_P(Kinds, NormalizeReturnCodeCases,
                         ::testing::Values(LineEndCase{"", RC_LF, ""}, LineEndCase{"abc", RC_CRLF, "abc"},
                                           LineEndCase{"a\r\nb\rc\nd", RC_LF, "a\nb\nc\nd"},
                                           LineEndCase{"a\r\nb\rc\nd", RC_CR, "a\rb\rc\rd"},
                                           LineEndCase{"a\r\nb\rc\nd", RC_CRLF, "a\r\nb\r\nc\r\nd"},
                                           LineEndCase{"\n\r\r\n\n\r", RC_CRLF, "\r\n\r\n\r\n\r\n\r\n"},
                                           LineEndCase{"\r\r\n\n", RC_LF, "\n\n\n"},
                                           LineEndCase{"a\r", RC_LF, "a\n"},
                                           LineEndCase{"x\r\n", RC_CR, "x\r"},
                                           LineEndCase{"a\r\nb\n", 0, "a\r\nb\n"},
                                           LineEndCase{"a\r\nb\n", 7, "a\r\nb\n"},
                                           LineEndCase{"0123456789abcdef\r\n0123456789abcdef\r", RC_LF,
                                                       "0123456789abcdef\n0123456789abcdef\n"}));

TEST(NormalizeReturnCode, RandomTextsAtEveryCut)
{
    std::mt19937 rng(3);
    for (int rep = 0; rep < 40; ++rep) {
        const std::string text = RandomText(rng, 200, rep % 2);
        for (int target = RC_CRLF; target <= RC_LF; ++target) {
            const std::string whole = NormalizeReturnCode(text, target);
            // Nothing but the target's line ends is left.
            const std::string other = target == RC_CRLF ? "" : (target == RC_CR ? "\n" : "\r");
            if (!other.empty()) {
                ASSERT_EQ(whole.find(other), std::string::npos);
            }
            for (std::size_t cut = 0; cut <= text.size(); ++cut)
                ASSERT_EQ(Normalized(text, target, {cut}), whole) << rep << " " << cut;
        }
    }
}
