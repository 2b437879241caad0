// Letter-case rules of the editor: only the ASCII letters A-Z and a-z change,
// so full-width letters and every other character stay as they are.
#pragma once

#include <QString>

namespace TextTools {

// `c` lowered when it is an ASCII capital, otherwise unchanged.
inline QChar AsciiLower(QChar c)
{
    return (c >= u'A' && c <= u'Z') ? QChar(c.unicode() + 32) : c;
}

// `c` raised when it is an ASCII small letter, otherwise unchanged.
inline QChar AsciiUpper(QChar c)
{
    return (c >= u'a' && c <= u'z') ? QChar(c.unicode() - 32) : c;
}

// The text with A-Z lowered ("全て小文字に変換").
QString ToLowerAscii(QString text);

// The text with a-z raised ("全て大文字に変換").
QString ToUpperAscii(QString text);

} // namespace TextTools
