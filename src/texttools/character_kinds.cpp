#include "character_kinds.h"

#include "html_markup.h"

#include <QHash>
#include <QList>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/uniset.h>
#include <unicode/unistr.h>

#include <array>
#include <memory>
#include <mutex>

namespace TextTools {

namespace detail {

// The rules of ICU's transliterators, each restricted by a global filter to the
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

// What ICU's transliterator makes of each character it changes, and of each
// such character followed by a mark it composes with (ｶﾞ to ガ). Run over
// whole texts ICU takes 3 µs a character for the kana widths, 3 s for a
// megabyte; each character's result looked up here costs nanoseconds.
struct KindTable
{
    QHash<char16_t, QString> single;
    QHash<quint32, QString> pairs; // first << 16 | second
};

QString Transliterate(const icu::Transliterator &transliterator, const QString &text)
{
    icu::UnicodeString s(reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()));
    transliterator.transliterate(s);
    return QString(reinterpret_cast<const QChar *>(s.getBuffer()), s.length());
}

std::optional<KindTable> MakeKindTable(CharacterKind kind, bool anyCharacter)
{
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    const std::unique_ptr<icu::Transliterator> transliterator(icu::Transliterator::createFromRules(
        u"qumo-kind", icu::UnicodeString(KindRules(kind, anyCharacter)), UTRANS_FORWARD, parseError, status));
    if (U_FAILURE(status) || !transliterator)
        return std::nullopt;
    // The global filter where there is one: getSourceSet misses what ICU's
    // own kana rules take.
    icu::UnicodeSet source;
    if (const auto *filter = dynamic_cast<const icu::UnicodeSet *>(transliterator->getFilter()))
        source = *filter;
    else
        transliterator->getSourceSet(source);
    QList<char16_t> chars, marks;
    for (int32_t i = 0; i < source.getRangeCount(); ++i) {
        for (UChar32 c = source.getRangeStart(i); c <= source.getRangeEnd(i) && c <= 0xFFFF; ++c) {
            chars << char16_t(c);
            if (u_hasBinaryProperty(c, UCHAR_GRAPHEME_EXTEND))
                marks << char16_t(c);
        }
    }
    KindTable table;
    for (const char16_t c : chars) {
        const QString one{QChar(c)};
        const QString result = Transliterate(*transliterator, one);
        if (result != one)
            table.single.insert(c, result);
    }
    for (const char16_t c : chars) {
        for (const char16_t mark : marks) {
            const QString both = Transliterate(*transliterator, QString(QChar(c)) + QChar(mark));
            if (both !=
                table.single.value(c, QString(QChar(c))) + table.single.value(mark, QString(QChar(mark))))
                table.pairs.insert(quint32(c) << 16 | mark, both);
        }
    }
    return table;
}

// Made on first use: start-up pays nothing.
const KindTable *KindTableFor(CharacterKind kind, bool anyCharacter)
{
    static std::array<std::optional<KindTable>, 2 * KindCount> made;
    static std::array<std::once_flag, 2 * KindCount> once;
    const std::size_t slot = 2 * std::size_t(kind) + (anyCharacter ? 1 : 0);
    std::call_once(once[slot], [&] { made[slot] = MakeKindTable(kind, anyCharacter); });
    return made[slot] ? &*made[slot] : nullptr;
}

QString Convert(const KindTable &table, QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (!table.pairs.isEmpty() && i + 1 < text.size()) {
            const auto pair = table.pairs.constFind(quint32(c) << 16 | text[i + 1].unicode());
            if (pair != table.pairs.constEnd()) {
                out += *pair;
                ++i;
                continue;
            }
        }
        const auto single = table.single.constFind(c);
        if (single != table.single.constEnd())
            out += *single;
        else
            out += QChar(c);
    }
    return out;
}

} // namespace detail

std::optional<QString> ConvertCharacterKind(const QString &text, CharacterKind kind, KindScope scope)
{
    const detail::KindTable *table = detail::KindTableFor(kind, scope.anyCharacter);
    if (table == nullptr)
        return std::nullopt;
    const auto convert = [table](const QString &run) { return detail::Convert(*table, run); };
    return scope.html ? RewriteOutsideMarkup(text, convert) : convert(text);
}

} // namespace TextTools
