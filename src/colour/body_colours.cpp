#include "body_colours.h"

#include <QColor>

namespace Colour {

namespace {

constexpr QLatin1StringView AttributeNames[BodyColourCount] = {
    QLatin1StringView("bgcolor"), QLatin1StringView("text"), QLatin1StringView("link"),
    QLatin1StringView("vlink"), QLatin1StringView("alink")};

// The search for ">" covers this many characters beyond the tag's own offset, so a document
// without a closing ">" is not scanned to its end.
constexpr qsizetype TagSearchSlack = 1024;

bool IsSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

bool IsHex(QStringView digits)
{
    for (QChar c : digits) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
            return false;
    }
    return true;
}

quint32 ToColourValue(const QColor &colour)
{
    return quint32(colour.red()) | quint32(colour.green()) << 8 | quint32(colour.blue()) << 16;
}

} // namespace

std::optional<QString> FindBodyTag(QStringView document)
{
    const qsizetype start = document.indexOf(QLatin1StringView("<BODY"), 0, Qt::CaseInsensitive);
    if (start < 0)
        return std::nullopt;
    const QStringView range = document.mid(start, start + TagSearchSlack);
    const qsizetype end = range.indexOf(u'>');
    if (end < 0)
        return std::nullopt;
    return range.left(end).toString();
}

std::optional<quint32> ParseHtmlColour(QStringView value)
{
    value = value.trimmed();
    if (value.startsWith(u'#')) {
        const QStringView digits = value.mid(1);
        if ((digits.size() != 3 && digits.size() != 6) || !IsHex(digits))
            return std::nullopt;
    } else if (!QColor::isValidColorName(value)) {
        return std::nullopt;
    }
    // QColor also takes "#RGB" and the SVG colour names.
    const QColor colour = QColor::fromString(value);
    if (!colour.isValid())
        return std::nullopt;
    return ToColourValue(colour);
}

BodyColours ReadBodyColours(QStringView tag)
{
    BodyColours colours;
    std::array<bool, BodyColourCount> seen{};
    qsizetype i = 0;
    // Past the element name.
    while (i < tag.size() && !IsSpace(tag[i]) && tag[i] != u'/')
        ++i;
    while (i < tag.size()) {
        while (i < tag.size() && (IsSpace(tag[i]) || tag[i] == u'/'))
            ++i;
        const qsizetype nameStart = i;
        while (i < tag.size() && !IsSpace(tag[i]) && tag[i] != u'=' && tag[i] != u'/')
            ++i;
        const QStringView name = tag.mid(nameStart, i - nameStart);
        while (i < tag.size() && IsSpace(tag[i]))
            ++i;
        QStringView value;
        if (i < tag.size() && tag[i] == u'=') {
            ++i;
            while (i < tag.size() && IsSpace(tag[i]))
                ++i;
            if (i < tag.size() && (tag[i] == u'"' || tag[i] == u'\'')) {
                const QChar quote = tag[i++];
                const qsizetype close = tag.indexOf(quote, i);
                const qsizetype end = close < 0 ? tag.size() : close;
                value = tag.mid(i, end - i);
                i = close < 0 ? end : end + 1;
            } else {
                const qsizetype valueStart = i;
                while (i < tag.size() && !IsSpace(tag[i]))
                    ++i;
                value = tag.mid(valueStart, i - valueStart);
            }
        }
        if (name.isEmpty())
            continue;
        for (int k = 0; k < BodyColourCount; ++k) {
            // As browsers do, the first of two equal attributes counts.
            if (!seen[k] && name.compare(AttributeNames[k], Qt::CaseInsensitive) == 0) {
                seen[k] = true;
                colours[k] = ParseHtmlColour(value);
            }
        }
    }
    return colours;
}

} // namespace Colour
