// UTF-8 document files <-> the editor's text, losing nothing either way:
// bytes that are not UTF-8 (in a file that starts with the byte-order mark)
// and characters the editor would take for line breaks come in as kept bytes
// (Cp932::IsKeptByte) and go out as the bytes they were, and every line keeps
// its own line end. No window and no file access here.
#pragma once

#include "code_choices.h"
#include "line_ends.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <vector>

struct Utf8Text
{
    QString text; // '\n' line breaks
    bool bom = false;
    LineEnds lineEnds;
};

// The editor's text of a UTF-8 document's bytes; `valid` says the UTF-8
// check found them valid (after the mark, if any).
Utf8Text DecodeUtf8Document(QByteArrayView bytes, bool valid);
// The text of the bytes after the mark, line ends as they are.
QString DecodeUtf8Text(QByteArrayView body, bool valid);

// Writes the editor's text as UTF-8 a piece at a time: line breaks ('\n',
// U+2029) as the line ends given, kept bytes as themselves.
class Utf8Encoder
{
public:
    explicit Utf8Encoder(const LineEnds &ends) : ends_(ends) {}

    // Room `out` needs for `units` code units.
    static constexpr qsizetype MaxBytes(qsizetype units) { return 3 * units; }
    // Encodes a piece that splits no surrogate pair into `out`; returns the
    // bytes written.
    qsizetype EncodeTo(QStringView piece, char *out);

private:
    const LineEnds &ends_;
    std::size_t breaks_ = 0; // line breaks written so far
};

// The whole file for `text`, the mark first when `bom`.
QByteArray EncodeUtf8Document(QStringView text, const LineEnds &ends, bool bom);
