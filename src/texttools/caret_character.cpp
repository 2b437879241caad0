#include "caret_character.h"

#include "cp932.h"

#include <unicode/uchar.h>

namespace TextTools {

namespace detail {

QString UnicodeName(char32_t c)
{
    char name[128];
    UErrorCode status = U_ZERO_ERROR;
    // Controls have none.
    const int32_t length = u_charName(UChar32(c), U_UNICODE_CHAR_NAME, name, sizeof name, &status);
    return U_SUCCESS(status) ? QString::fromLatin1(name, length) : QString();
}

} // namespace detail

CaretCharacter DescribeCharacter(QStringView text, qsizetype index, const CharacterBytesOf &bytesOf)
{
    if (index < 0 || index >= text.size())
        return {};
    if (Cp932::IsKeptByte(text, index)) {
        const uint byte = text[index].unicode() - Cp932::EscapeBase;
        return {QStringLiteral("バイト ") + QString::number(byte, 16).toUpper().rightJustified(2, u'0'),
                QStringLiteral("文字にならないバイト")};
    }
    const QChar c = text[index];
    const bool pair = c.isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate();
    const char32_t point = pair ? QChar::surrogateToUcs4(c, text[index + 1]) : c.unicode();
    const QByteArray bytes = bytesOf(text.sliced(index, pair ? 2 : 1));
    const QString hex = QString::number(uint(point), 16).toUpper().rightJustified(4, u'0');
    return {QStringLiteral("U+") + hex + u' ' +
                (bytes.isEmpty() ? QStringLiteral("―") : QString::fromLatin1(bytes.toHex().toUpper())),
            detail::UnicodeName(point)};
}

} // namespace TextTools
