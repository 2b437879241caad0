// One decoder and one encoder for each code a document is read and written
// in, behind one interface. Decoding loses nothing: a byte that is no
// character becomes a kept byte (Cp932::IsKeptByte) that every encoder writes
// back as that byte. Every CR LF, CR and LF of a file is one line break of
// the text, in every code.
#pragma once

#include "document_format.h"
#include "line_ends.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <memory>
#include <optional>

struct DecodedText
{
    QString text;      // '\n' line breaks
    LineEnds lineEnds; // as the file's lines end
    // Encoding the text gives back the bytes: no line needs its own bytes kept.
    bool exact = true;
};

class TextDecoder
{
public:
    virtual ~TextDecoder() = default;
    // The text of a file's bytes, without their byte-order mark.
    virtual DecodedText decode(QByteArrayView bytes) const = 0;
};

// What bytes kept from a file need of the shift state around them (JIS):
// the state they were read in, and the state they leave. AnyShift: they
// need none, or leave the one they found.
struct KeptShift
{
    static constexpr int AnyShift = -1;
    int before = AnyShift;
    int after = AnyShift;
    friend bool operator==(KeptShift, KeptShift) = default;
};

// What encoding a piece wrote.
struct EncodedPiece
{
    qsizetype bytes = 0;
    qsizetype firstUnencodable = -1; // index in the piece of the first character the code lacks, or -1
};

// What encoding a whole text gave.
struct EncodedText
{
    QByteArray bytes;
    qsizetype firstUnencodable = -1; // index in the text of the first character the code lacks, or -1
};

class TextEncoder
{
public:
    // Bytes an encoder writes for a code unit at most, a finish included.
    static constexpr qsizetype MaxBytesPerUnit = 5;
    static constexpr qsizetype MaxFinishBytes = 3;

    virtual ~TextEncoder() = default;
    // Writes `piece` to `out`; a piece splits no surrogate pair, and its line
    // breaks ('\n', U+2029) take the next ends of the line ends given. A
    // character the code lacks is written as '?'.
    virtual EncodedPiece encode(QStringView piece, char *out) = 0;
    // What ends the text; the encoder starts again after it.
    virtual qsizetype finish(char *) { return 0; }
    // Bytes kept from the file with `shift` follow: writes what puts the
    // state where they need it.
    virtual qsizetype keep(KeptShift, char *) { return 0; }
    // How the bytes of a line read in shift state `state` depend on it.
    virtual KeptShift keptShift(QByteArrayView, int) const { return {}; }
};

// An encoder of a code whose line breaks are the bytes CR and LF: it writes
// each break as CR LF, then rewrites them as the line ends given.
class ByteCodeEncoder : public TextEncoder
{
public:
    explicit ByteCodeEncoder(const LineEnds &ends) : ends_(ends) {}
    EncodedPiece encode(QStringView piece, char *out) final
    {
        EncodedPiece encoded = encodeCrLf(piece, out);
        encoded.bytes = ApplyLineEnds(out, encoded.bytes, ends_, &breaks_);
        return encoded;
    }

protected:
    virtual EncodedPiece encodeCrLf(QStringView piece, char *out) = 0;

private:
    const LineEnds &ends_;
    std::size_t breaks_ = 0;
};

// The text `write(p, n, out)` decodes from the n bytes at p into `out`,
// which has room for a code unit a byte; it returns the end of what it wrote.
template <typename Write> QString DecodedUnits(QByteArrayView bytes, Write write)
{
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *const start = reinterpret_cast<char16_t *>(text.data());
    char16_t *const end = write(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size(), start);
    text.truncate(end - start);
    return text;
}

// QTextDocument splits its blocks at these as at a line break: a file's own
// are kept as bytes.
bool BreaksBlock(char32_t c);

// The decoder for `code`. `validUtf8`, when known, spares the UTF-8 decoder
// checking its bytes again.
std::unique_ptr<TextDecoder> DecoderFor(DocumentCode code, std::optional<bool> validUtf8 = std::nullopt);
// The encoder for `code`; `ends` must outlive it.
std::unique_ptr<TextEncoder> EncoderFor(DocumentCode code, const LineEnds &ends);
// The byte-order mark of a Unicode code, empty for the others.
QByteArrayView ByteOrderMark(DocumentCode code);
