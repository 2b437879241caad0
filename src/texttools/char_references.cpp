#include "char_references.h"

#include "cp932.h"
#include "html_entity_table.h"

#include <algorithm>
#include <optional>

namespace TextTools {

namespace detail {

const HtmlEntity *FindEntity(QStringView name)
{
    const HtmlEntity *end = HtmlEntities + HtmlEntityCount;
    // Names are ASCII: code-unit order is their byte order.
    const HtmlEntity *it = std::lower_bound(HtmlEntities, end, name, [](const HtmlEntity &e, QStringView n) {
        return QLatin1StringView(e.name).compare(n) < 0;
    });
    return it != end && QLatin1StringView(it->name) == name ? it : nullptr;
}

bool IsAsciiAlnum(QChar c)
{
    return c.unicode() < 0x80 && c.isLetterOrNumber();
}

// The value of an ASCII digit in base 10 or 16, or -1.
int DigitValue(QChar c, bool hex)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (hex && (u | 0x20) >= u'a' && (u | 0x20) <= u'f')
        return (u | 0x20) - u'a' + 10;
    return -1;
}

// What a numeric reference's value reads as, if it is a character.
std::optional<char32_t> NumericCharacter(char32_t value)
{
    if (value >= 0x80 && value <= 0x9F)
        value = C1Replacements[value - 0x80];
    const bool control =
        (value < 0x20 && value != u'\t' && value != u'\n') || (value >= 0x7F && value <= 0x9F);
    if (control || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    return value;
}

struct Reference
{
    qsizetype length = 0; // 0: none here
    char32_t first = 0;
    char32_t second = 0;
};

// The reference that starts with the '&' at text[at].
Reference ReadReference(QStringView text, qsizetype at)
{
    qsizetype i = at + 1;
    if (i < text.size() && text[i] == u'#') {
        const bool hex = i + 1 < text.size() && (text[i + 1] == u'x' || text[i + 1] == u'X');
        i += hex ? 2 : 1;
        const qsizetype digitsFrom = i;
        char32_t value = 0;
        for (int digit; i < text.size() && (digit = DigitValue(text[i], hex)) >= 0; ++i)
            // Held just past the last code point, however long the digits run.
            value = std::min<char32_t>(value * (hex ? 16 : 10) + digit, 0x110000);
        if (i == digitsFrom)
            return {};
        const std::optional<char32_t> c = NumericCharacter(value);
        if (!c)
            return {};
        if (i < text.size() && text[i] == u';')
            ++i;
        return {i - at, *c, 0};
    }
    while (i < text.size() && IsAsciiAlnum(text[i]))
        ++i;
    const QStringView name = text.sliced(at + 1, i - at - 1);
    const HtmlEntity *entity = name.isEmpty() ? nullptr : FindEntity(name);
    if (entity == nullptr)
        return {};
    if (i < text.size() && text[i] == u';')
        return {i + 1 - at, entity->first, entity->second};
    if (entity->bare && (i == text.size() || text[i] != u'='))
        return {i - at, entity->first, entity->second};
    return {};
}

void AppendCodePoint(QString &out, char32_t c)
{
    out += QString::fromUcs4(&c, 1);
}

} // namespace detail

bool CodeHolds(char32_t c, bool anyCharacter)
{
    if (anyCharacter)
        return true;
    return c <= 0xFFFF && !QChar::isSurrogate(c) && Cp932::EncodedLength(QChar(char16_t(c))) > 0;
}

QString EscapeReferences(QStringView text, bool anyCharacter)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'&':
            out += QLatin1StringView("&amp;");
            continue;
        case u'<':
            out += QLatin1StringView("&lt;");
            continue;
        case u'>':
            out += QLatin1StringView("&gt;");
            continue;
        case u'"':
            out += QLatin1StringView("&quot;");
            continue;
        case u'\n':
            out += c;
            continue;
        }
        if (Cp932::IsKeptByte(text, i)) {
            out += c;
            continue;
        }
        const bool pair = c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t code = pair ? QChar::surrogateToUcs4(c, text[i + 1]) : c.unicode();
        if (CodeHolds(code, anyCharacter) || (!pair && c.isSurrogate())) {
            out += c;
            continue;
        }
        out += QLatin1StringView("&#x") + QString::number(uint(code), 16).toUpper() + u';';
        i += pair ? 1 : 0;
    }
    return out;
}

QString UnescapeReferences(QStringView text, bool anyCharacter)
{
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    for (qsizetype at = text.indexOf(u'&'); at >= 0; at = text.indexOf(u'&', at + 1)) {
        const detail::Reference ref = detail::ReadReference(text, at);
        if (ref.length == 0 || !CodeHolds(ref.first, anyCharacter) ||
            (ref.second != 0 && !CodeHolds(ref.second, anyCharacter)))
            continue;
        out += text.sliced(from, at - from);
        detail::AppendCodePoint(out, ref.first);
        if (ref.second != 0)
            detail::AppendCodePoint(out, ref.second);
        from = at + ref.length;
        at = from - 1;
    }
    out += text.sliced(from);
    return out;
}

} // namespace TextTools
