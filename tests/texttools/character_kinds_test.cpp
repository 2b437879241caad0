#include "character_kinds.h"
#include "printers.h"

#include <gtest/gtest.h>
#include <unicode/translit.h>

#include <memory>

namespace {

using namespace TextTools;
using Kind = CharacterKind;

struct KindCase
{
    Kind kind;
    const char *input;
    const char *expected;
    KindScope scope = {};
};

TEST(CharacterKinds, EachConversion)
{
    const KindScope html{true, false};
    const KindScope utf8{false, true};
    const KindCase cases[] = {
        {Kind::FullAlnumToHalf, "ＡＢｃ１２３！？（）＠＼～", "ABc123!?()@\\~"},
        {Kind::FullAlnumToHalf, "全角　スペース、句読点。と￥はそのまま",
         "全角　スペース、句読点。と￥はそのまま"},
        {Kind::HalfAlnumToFull, "Abc 123!", "Ａｂｃ １２３！"},
        {Kind::FullKanaToHalf, "ガギグパピプヴ", "ｶﾞｷﾞｸﾞﾊﾟﾋﾟﾌﾟｳﾞ"},
        {Kind::FullKanaToHalf, "「コーヒー」、・。゛゜", "｢ｺｰﾋｰ｣､･｡ﾞﾟ"},
        // No half-width form: stays.
        {Kind::FullKanaToHalf, "ヵヶヮヰヱかなＡ", "ヵヶヮヰヱかなＡ"},
        {Kind::HalfKanaToFull, "ｶﾞｷﾞﾊﾟﾋﾟｳﾞｰ", "ガギパピヴー"},
        {Kind::HalfKanaToFull, "｢ｺｰﾋｰ｣､･｡", "「コーヒー」、・。"},
        // Marks that compose nothing become spacing marks, not combining ones.
        {Kind::HalfKanaToFull, "ｱﾞﾞﾟ", "ア゛゛゜"},
        {Kind::HalfKanaToFull, "ﾜﾞｦﾞ", "ワ゛ヲ゛"},
        {Kind::HalfKanaToFull, "ﾜﾞｦﾞ", "ヷヺ", utf8},
        {Kind::HiraganaToKatakana, "がっこう、ゔぁゝゞーＡ", "ガッコウ、ヴァヽヾーＡ"},
        {Kind::KatakanaToHiragana, "ガッコウヽヾーｶﾞ", "がっこうゝゞーｶﾞ"},
        {Kind::KatakanaToHiragana, "3ヶ月ヴヷ", "3ヶ月ヴヷ"},
        {Kind::KatakanaToHiragana, "ヴ", "ゔ", utf8},
        {Kind::FullSpaceToHalf, "a　b\u3000\tc", "a b \tc"},
        {Kind::HalfSpaceToFull, "a b\t\nc ", "a　b\t\nc　"},
        // Surrogate pairs and kept bytes pass through.
        {Kind::FullAlnumToHalf, "𠮷Ａ😀", "𠮷A😀"},
        // In HTML, tags and references stay as written.
        {Kind::HalfAlnumToFull, "<p class=\"x\">ab&amp;c&#x41;&copy;&foo;d</p>",
         "<p class=\"x\">ａｂ&amp;ｃ&#x41;&copy;&foo;ｄ</p>", html},
        {Kind::HalfSpaceToFull, "<a href=x>a b</a> < c", "<a href=x>a　b</a>　<　c", html},
        {Kind::HalfAlnumToFull, "a & b <x", "ａ ＆ ｂ ＜ｘ", html},
        {Kind::FullKanaToHalf, "<ア>ア&nbsp;ア", "<ア>ｱ&nbsp;ｱ", html},
    };
    for (const KindCase &c : cases)
        EXPECT_EQ(ConvertCharacterKind(QString::fromUtf8(c.input), c.kind, c.scope),
                  QString::fromUtf8(c.expected))
            << c.input;
    const QString kept = QStringLiteral("Ａ") + QChar(0xDC81) + QStringLiteral("Ｂ");
    EXPECT_EQ(ConvertCharacterKind(kept, Kind::FullAlnumToHalf, {}),
              QStringLiteral("A") + QChar(0xDC81) + u'B');
}

// The tables agree with ICU's transliterator run over the whole text.
TEST(CharacterKinds, AsIcuConvertsWholeTexts)
{
    QString sample;
    for (char16_t c = 0x20; c < 0x7F; ++c)
        sample += QChar(c);
    for (char16_t c = 0x3000; c < 0x3100; ++c)
        sample += QChar(c);
    for (char16_t c = 0xFF01; c < 0xFFA0; ++c)
        sample += QChar(c) + QStringLiteral("ﾞ") + QChar(c) + QStringLiteral("ﾟ");
    sample += QStringLiteral("ｶﾞｷﾞﾊﾟﾋﾟｳﾞﾜﾞｦﾞﾞﾟ\n漢字😀");
    for (int k = 0; k <= int(Kind::HalfSpaceToFull); ++k) {
        for (const bool any : {false, true}) {
            UErrorCode status = U_ZERO_ERROR;
            UParseError parseError;
            const std::unique_ptr<icu::Transliterator> icu(icu::Transliterator::createFromRules(
                u"x", icu::UnicodeString(detail::KindRules(Kind(k), any)), UTRANS_FORWARD, parseError,
                status));
            ASSERT_TRUE(U_SUCCESS(status));
            icu::UnicodeString whole(reinterpret_cast<const UChar *>(sample.utf16()), int32_t(sample.size()));
            icu->transliterate(whole);
            EXPECT_EQ(ConvertCharacterKind(sample, Kind(k), {false, any}),
                      QString(reinterpret_cast<const QChar *>(whole.getBuffer()), whole.length()))
                << k << any;
        }
    }
}

} // namespace
