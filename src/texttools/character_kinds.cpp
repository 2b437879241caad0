#include "character_kinds.h"

#include "html_markup.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <array>
#include <memory>

namespace TextTools {

namespace detail {

// ICU's transliterators, each restricted by a global filter to the
// characters of its command. Marks left alone by the composition (ﾞ after a
// kana that takes none) become the spacing marks code page 932 has.
const char16_t *KindRules(CharacterKind kind, bool anyCharacter)
{
    switch (kind) {
    case CharacterKind::FullAlnumToHalf:
        return u"::[\\uFF01-\\uFF5E]; ::Fullwidth-Halfwidth;";
    case CharacterKind::HalfAlnumToFull:
        return u"::[\\u0021-\\u007E]; ::Halfwidth-Fullwidth;";
    case CharacterKind::FullKanaToHalf:
        return u"::[\\u3001\\u3002\\u300C\\u300D\\u309B\\u309C\\u30A1-\\u30FC]; ::Fullwidth-Halfwidth;"
               u"\\u309B > \\uFF9E; \\u309C > \\uFF9F;";
    case CharacterKind::HalfKanaToFull:
        // ヷ and ヺ only where the code holds them.
        return anyCharacter
                   ? u"::[\\uFF61-\\uFF9F]; ::Halfwidth-Fullwidth; \\u3099 > \\u309B; \\u309A > \\u309C;"
                   : u"::[\\uFF61-\\uFF9F]; \\uFF9C\\uFF9E > \\u30EF\\u309B; \\uFF66\\uFF9E > \\u30F2\\u309B;"
                     u"::Halfwidth-Fullwidth; \\u3099 > \\u309B; \\u309A > \\u309C;";
    case CharacterKind::HiraganaToKatakana:
        return u"::[\\u3041-\\u3096\\u309D\\u309E]; ::Hiragana-Katakana;";
    case CharacterKind::KatakanaToHiragana:
        // ゔ only where the code holds it; ヵヶ are counters more often than kana.
        return anyCharacter ? u"::[\\u30A1-\\u30F4\\u30FD\\u30FE]; ::Katakana-Hiragana;"
                            : u"::[\\u30A1-\\u30F3\\u30FD\\u30FE]; ::Katakana-Hiragana;";
    case CharacterKind::FullSpaceToHalf:
        return u"::[\\u3000]; ::Fullwidth-Halfwidth;";
    case CharacterKind::HalfSpaceToFull:
        // ICU's Halfwidth-Fullwidth leaves the space alone.
        return u"\\u0020 > \\u3000;";
    }
    return u"";
}

constexpr std::size_t KindCount = std::size_t(CharacterKind::HalfSpaceToFull) + 1;

// Made on first use: start-up pays nothing. An ICU transliterator is not
// shared between threads.
icu::Transliterator *KindTransliterator(CharacterKind kind, bool anyCharacter)
{
    thread_local std::array<std::unique_ptr<icu::Transliterator>, 2 * KindCount> made;
    std::unique_ptr<icu::Transliterator> &slot = made[2 * std::size_t(kind) + (anyCharacter ? 1 : 0)];
    if (!slot) {
        UErrorCode status = U_ZERO_ERROR;
        UParseError parseError;
        slot.reset(icu::Transliterator::createFromRules(u"qumo-kind",
                                                        icu::UnicodeString(KindRules(kind, anyCharacter)),
                                                        UTRANS_FORWARD, parseError, status));
        if (U_FAILURE(status))
            slot.reset();
    }
    return slot.get();
}

QString Transliterate(const icu::Transliterator &transliterator, const QString &text)
{
    icu::UnicodeString s(reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()));
    transliterator.transliterate(s);
    return QString(reinterpret_cast<const QChar *>(s.getBuffer()), s.length());
}

} // namespace detail

std::optional<QString> ConvertCharacterKind(const QString &text, CharacterKind kind, KindScope scope)
{
    const icu::Transliterator *transliterator = detail::KindTransliterator(kind, scope.anyCharacter);
    if (transliterator == nullptr)
        return std::nullopt;
    const auto convert = [transliterator](const QString &run) {
        return detail::Transliterate(*transliterator, run);
    };
    return scope.html ? RewriteOutsideMarkup(text, convert) : convert(text);
}

} // namespace TextTools
