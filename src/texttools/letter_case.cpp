#include "letter_case.h"

namespace TextTools {

QString ToLowerAscii(QString text)
{
    for (QChar &c : text)
        c = AsciiLower(c);
    return text;
}

QString ToUpperAscii(QString text)
{
    for (QChar &c : text)
        c = AsciiUpper(c);
    return text;
}

} // namespace TextTools
