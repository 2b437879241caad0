#include "editor_units.h"

#include "cp932.h"

namespace EditorUnits {

int Width(QChar c)
{
    if (c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
        return 2;
    const int encoded = Cp932::EncodedLength(c);
    if (encoded != 0)
        return encoded;
    return c.isSurrogate() ? 1 : 2;
}

qsizetype Length(QStringView text)
{
    qsizetype units = 0;
    for (const QChar c : text)
        units += Width(c);
    return units;
}

qsizetype IndexAt(QStringView text, qsizetype units)
{
    qsizetype offset = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (offset >= units)
            return i;
        offset += Width(text[i]);
    }
    return text.size();
}

} // namespace EditorUnits
