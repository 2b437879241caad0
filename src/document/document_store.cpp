#include "document_store.h"

#include "code_detection.h"
#include "cp932.h"
#include "document_codec.h"
#include "file_read.h"
#include "piece_writer.h"
#include "safe_file_writer.h"
#include "system_reason.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstring>

namespace {

// Large enough that handing pieces between the threads costs little, small
// enough to stay in the cache between encoding and writing.
constexpr qsizetype PieceUnits = 256 * 1024;
constexpr qsizetype PieceBytes = TextEncoder::MaxBytesPerUnit * PieceUnits + TextEncoder::MaxFinishBytes;

QString TooLargeMessage(const QString &path)
{
    return CannotOpenMessage(path) + QStringLiteral("\n\n") + DocumentLimitText();
}

} // namespace

QString ReadFailureMessage(const QString &path, const FileRead &read)
{
    switch (read.status) {
    case FileRead::NotRegular:
        return CannotOpenMessage(path) + QStringLiteral("\n\n%1 は文書として開けません。").arg(read.kind);
    case FileRead::TooLarge:
        return TooLargeMessage(path);
    default:
        return WithReason(CannotOpenMessage(path), read.error);
    }
}

namespace {

// A name read from a command line or a URL that was not valid UTF-8 comes
// through with U+FFFD and names another file, or none.
bool NameWasMangled(const QString &path)
{
    return path.contains(QChar::ReplacementCharacter) && !QFile::exists(path);
}

// Produces the bytes of a document piece by piece: encoded text between the
// kept ranges, and the kept ranges' own bytes.
class PieceEncoder
{
public:
    PieceEncoder(QStringView text, TextEncoder &encoder, const KeptBytes *kept)
        : text_(text), encoder_(encoder), kept_(kept)
    {
    }

    bool atEnd() const { return finished_; }
    qsizetype firstUnencodable() const { return firstUnencodable_; }

    // Writes the next piece into `out` (room for PieceBytes) and returns its size.
    qsizetype next(char *out)
    {
        const KeptRange *range = nullptr;
        if (kept_ != nullptr && range_ < kept_->ranges.size())
            range = &kept_->ranges[range_];
        if (range != nullptr && range->textFrom == from_) {
            qsizetype size = keptDone_ == 0 ? encoder_.keep(range->shift, out) : 0;
            const qsizetype start = range->byteFrom + keptDone_;
            const qsizetype copied = std::min(2 * PieceUnits, range->byteTo - start);
            std::memcpy(out + size, kept_->bytes.constData() + start, size_t(copied));
            keptDone_ += copied;
            if (start + copied == range->byteTo) {
                from_ = range->textTo;
                keptDone_ = 0;
                ++range_;
            }
            return size + copied;
        }
        if (from_ >= text_.size()) {
            finished_ = true;
            return encoder_.finish(out);
        }
        const QStringView free = text_.first(range != nullptr ? range->textFrom : text_.size());
        const qsizetype to = Cp932::PieceEnd(free, from_, PieceUnits);
        const EncodedPiece encoded = encoder_.encode(free.sliced(from_, to - from_), out);
        if (encoded.firstUnencodable >= 0 && firstUnencodable_ < 0)
            firstUnencodable_ = from_ + encoded.firstUnencodable;
        from_ = to;
        return encoded.bytes;
    }

private:
    QStringView text_;
    TextEncoder &encoder_;
    const KeptBytes *kept_;
    qsizetype from_ = 0;
    std::size_t range_ = 0;
    qsizetype keptDone_ = 0;
    qsizetype firstUnencodable_ = -1;
    bool finished_ = false;
};

} // namespace

QByteArrayView DocumentBytes::body() const
{
    const qsizetype mark = detected.bom ? ByteOrderMark(detected.code).size() : 0;
    return QByteArrayView(file.bytes).sliced(mark);
}

DocumentBytes ReadDocumentBytes(const QString &path, const CodeChoice &choice)
{
    DocumentBytes result;
    if (NameWasMangled(path)) {
        result.outcome = Outcome::failed(
            CannotOpenMessage(path) +
            QStringLiteral("\n\nファイル名が UTF-8 として正しくないため、このファイルは扱えません。"));
        return result;
    }
    // No code takes more than eight bytes a character (JIS with its escape
    // sequences far fewer): a bigger file cannot fit.
    result.file = ReadRegularFile(path, MaxDocumentChars * 8);
    if (result.file.status != FileRead::Ok) {
        result.outcome = Outcome::failed(ReadFailureMessage(path, result.file));
        return result;
    }
    result.detected = choice.code ? ReadAs(result.file.bytes, *choice.code)
                                  : DetectCode(result.file.bytes, choice.undecidedIsEuc);
    return result;
}

DocumentRead DecodeDocumentBytes(const QString &path, DocumentBytes bytes)
{
    DocumentRead result;
    if (!bytes.outcome.done()) {
        result.outcome = std::move(bytes.outcome);
        return result;
    }
    const DetectedCode &detected = bytes.detected;
    DecodedText decoded = DecoderFor(detected.code, detected.validUtf8)->decode(bytes.body());
    result.text = std::move(decoded.text);
    result.lineEnds = std::move(decoded.lineEnds);
    result.code = detected.code;
    result.bom = detected.bom;
    result.binary = detected.binary;
    if (!decoded.exact)
        result.original = bytes.file.bytes;
    if (result.text.size() > MaxDocumentChars) {
        result.text.clear();
        result.original.clear();
        result.outcome = Outcome::failed(TooLargeMessage(path));
        return result;
    }
    result.identity = bytes.file.identity;
    return result;
}

DocumentRead ReadDocument(const QString &path, const CodeChoice &choice)
{
    return DecodeDocumentBytes(path, ReadDocumentBytes(path, choice));
}

EncodedText EncodeDocumentText(QStringView text, const DocumentFormat &format, const LineEnds &ends,
                               const KeptBytes *kept)
{
    const std::unique_ptr<TextEncoder> encoder = EncoderFor(format.code, ends);
    PieceEncoder pieces(text, *encoder, kept);
    EncodedText encoded;
    QByteArray &bytes = encoded.bytes;
    while (!pieces.atEnd()) {
        const qsizetype at = bytes.size();
        bytes.resize(at + PieceBytes);
        bytes.truncate(at + pieces.next(bytes.data() + at));
    }
    encoded.firstUnencodable = pieces.firstUnencodable();
    return encoded;
}

Outcome WriteDocument(const QString &path, const QByteArray &bytes)
{
    const int failure = SafeFileWriter::writeAll(path, bytes);
    if (failure != 0)
        return Outcome::failed(WithReason(CannotCreateMessage(path), failure));
    return {};
}

namespace {

// Writes what the encoder produces after `head`, the way WriteDocument
// writes bytes.
TextWrite WritePieces(const QString &path, PieceEncoder &encoder, bool stopAtUnencodable, QByteArrayView head)
{
    constexpr int QueuedPieces = 4;
    TextWrite result;
    SafeFileWriter file(path);
    bool ok = file.open();
    if (ok) {
        PieceWriter writer(file.device(), PieceBytes, QueuedPieces);
        if (!head.isEmpty()) {
            QByteArray piece = writer.takeBuffer();
            piece.truncate(head.size());
            std::memcpy(piece.data(), head.data(), size_t(head.size()));
            ok = writer.write(std::move(piece));
        }
        while (ok && !encoder.atEnd()) {
            QByteArray piece = writer.takeBuffer();
            piece.truncate(encoder.next(piece.data()));
            if (encoder.firstUnencodable() >= 0 && result.firstUnencodable < 0) {
                result.firstUnencodable = encoder.firstUnencodable();
                if (stopAtUnencodable) {
                    writer.finish();
                    file.cancel();
                    result.outcome = Outcome::declined();
                    return result;
                }
            }
            ok = writer.write(std::move(piece));
        }
        ok = writer.finish() && ok;
    }
    if (ok && file.commit())
        return result;
    const int error = file.error() != 0 ? file.error() : file.device()->systemError();
    file.cancel();
    result.outcome = Outcome::failed(WithReason(CannotCreateMessage(path), error));
    return result;
}

} // namespace

TextWrite WriteDocumentText(const QString &path, QStringView text, bool stopAtUnencodable,
                            const DocumentFormat &format, const LineEnds &ends, const KeptBytes *kept)
{
    const std::unique_ptr<TextEncoder> encoder = EncoderFor(format.code, ends);
    PieceEncoder pieces(text, *encoder, kept);
    return WritePieces(path, pieces, stopAtUnencodable,
                       format.bom ? ByteOrderMark(format.code) : QByteArrayView());
}
