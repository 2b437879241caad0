// The bytes of a palette set file: Shift_JIS lines, each followed by CR LF.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

namespace Palettes {

// The lines of a set file: reading stops at the first NUL, a line ends at CR, LF or CR LF, and a
// last line without an end is still a line. Bytes that do not decode survive a later write.
QStringList ParseSetFile(QByteArrayView bytes);

// The file bytes of `lines` (none may hold a line break), CR LF after every line.
// *firstUnencodable, when asked for, is the index in the joined text of the first character
// the code page lacks (written as '?'), -1 when there is none.
QByteArray SerializeSetFile(const QStringList &lines, qsizetype *firstUnencodable = nullptr);

} // namespace Palettes
