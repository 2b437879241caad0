// "文字種変換": full-width and half-width letters, digits, kana and spaces,
// hiragana and katakana, as ICU's transliterators convert them. What each
// makes of each character is asked of ICU on first use and kept.
#pragma once

#include <QString>
#include <optional>

namespace TextTools {

enum class CharacterKind {
    FullAlnumToHalf,    // 全角英数→半角: Ａ１！ to A1! (the full-width forms of ASCII)
    HalfAlnumToFull,    // 半角英数→全角
    FullKanaToHalf,     // 全角カナ→半角カナ: ガ to ｶﾞ, with 。「」、・ー゛゜
    HalfKanaToFull,     // 半角カナ→全角カナ: ｶﾞ to ガ
    HiraganaToKatakana, // ひらがな→カタカナ, ゝゞ to ヽヾ
    KatakanaToHiragana, // カタカナ→ひらがな; ヵヶ stay (3ヶ月)
    FullSpaceToHalf,    // 全角スペース→半角
    HalfSpaceToFull,    // 半角スペース→全角
};

struct KindScope
{
    bool html = false;         // tags and character references stay as written
    bool anyCharacter = false; // the document's code holds every character (UTF-8)
};

// `text` converted; what the document's code could not hold (ヷ, ゔ in
// Shift_JIS) is not made. Nothing when ICU cannot make the transliterator.
std::optional<QString> ConvertCharacterKind(const QString &text, CharacterKind kind, KindScope scope);

namespace detail {
// The ICU transliterator rules of a conversion.
const char16_t *KindRules(CharacterKind kind, bool anyCharacter);
} // namespace detail

} // namespace TextTools
