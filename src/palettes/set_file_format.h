// The bytes of a palette set file: Shift_JIS lines, each followed by CR LF.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

namespace Palettes {

// The lines of a set file: reading stops at the first NUL, a line ends at CR, LF or CR LF, and a
// last line without an end is still a line. Bytes that do not decode survive a later write.
QStringList ParseSetFile(QByteArrayView bytes);

struct SetFileBytes
{
    QByteArray bytes;
    // Index in the lines joined by '\n' of the first character the code page lacks, or -1.
    qsizetype firstUnencodable = -1;
};

// The file bytes of `lines` (none may hold a line break), CR LF after every line; a character
// the code page lacks is written as '?'.
SetFileBytes SerializeSetFile(const QStringList &lines);

} // namespace Palettes
