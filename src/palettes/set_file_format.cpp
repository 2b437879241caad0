#include "set_file_format.h"

#include "cp932.h"

namespace Palettes {

QStringList ParseSetFile(QByteArrayView bytes)
{
    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        bytes = bytes.first(nul);
    if (bytes.isEmpty())
        return {};
    QString text = Cp932::Decode(bytes); // every line end becomes '\n'
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

SetFileBytes SerializeSetFile(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text += line;
        text += u'\n';
    }
    SetFileBytes file;
    file.bytes = Cp932::Encode(text, &file.firstUnencodable);
    return file;
}

} // namespace Palettes
