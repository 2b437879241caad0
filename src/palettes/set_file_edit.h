// One record changed in a set file's bytes, every other byte as it was: the
// file stays whatever another window or program made of it.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace Palettes {

// `file` (a whole set file without NUL) with the first record of button `number`, found record by
// record, replaced by `record` (its six lines, each with its line end); without such a record,
// `record` is appended after the last line, which gets a CR LF when it has no line end.
QByteArray WithRecord(QByteArrayView file, int number, QByteArrayView record);

} // namespace Palettes
