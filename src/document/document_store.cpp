#include "document_store.h"

#include "cp932.h"
#include "document_codec.h"
#include "file_read.h"
#include "jconvert_stream.h"
#include "line_ends.h"
#include "piece_writer.h"
#include "safe_file_writer.h"
#include "system_reason.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstring>

namespace {

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
// kept ranges, and the kept ranges' own bytes. The text is Shift_JIS, or
// UTF-8 when a UTF-8 encoder is given.
class PieceEncoder
{
public:
    // Shift_JIS line breaks are written as `ends` gives them when given.
    PieceEncoder(QStringView text, const KeptBytes *kept, qsizetype pieceUnits, Utf8Encoder *utf8 = nullptr,
                 const LineEnds *ends = nullptr)
        : text_(text), kept_(kept), units_(pieceUnits), utf8_(utf8), ends_(ends)
    {
    }

    bool atEnd() const { return from_ >= text_.size(); }
    qsizetype firstUnencodable() const { return firstUnencodable_; }

    // Writes the next piece into `out` (room for
    // Utf8Encoder::MaxBytes(pieceUnits) bytes) and returns its size.
    qsizetype next(char *out)
    {
        const KeptRange *range = nullptr;
        if (kept_ != nullptr && range_ < kept_->ranges.size())
            range = &kept_->ranges[range_];
        if (range != nullptr && range->textFrom == from_) {
            const qsizetype start = range->byteFrom + keptDone_;
            const qsizetype size = std::min(2 * units_, range->byteTo - start);
            std::memcpy(out, kept_->bytes.constData() + start, size_t(size));
            keptDone_ += size;
            if (start + size == range->byteTo) {
                from_ = range->textTo;
                keptDone_ = 0;
                ++range_;
            }
            return size;
        }
        const QStringView free = text_.first(range != nullptr ? range->textFrom : text_.size());
        const qsizetype to = Cp932::PieceEnd(free, from_, units_);
        const QStringView piece = free.sliced(from_, to - from_);
        qsizetype unencodable = -1;
        qsizetype size =
            utf8_ != nullptr ? utf8_->EncodeTo(piece, out) : Cp932::EncodeTo(piece, out, &unencodable);
        if (unencodable >= 0 && firstUnencodable_ < 0)
            firstUnencodable_ = from_ + unencodable;
        // Kept ranges hold no line break, so the breaks counted here are all of them.
        if (utf8_ == nullptr && ends_ != nullptr)
            size = ApplyLineEnds(out, size, *ends_, &breaks_);
        from_ = to;
        return size;
    }

private:
    QStringView text_;
    const KeptBytes *kept_;
    qsizetype units_;
    Utf8Encoder *utf8_;
    const LineEnds *ends_;
    std::size_t breaks_ = 0;
    qsizetype from_ = 0;
    std::size_t range_ = 0;
    qsizetype keptDone_ = 0;
    qsizetype firstUnencodable_ = -1;
};

// Large enough that handing pieces between the threads costs little, small
// enough to stay in the cache between encoding and writing.
constexpr qsizetype PieceUnits = 256 * 1024;
constexpr qsizetype PieceBytes = Utf8Encoder::MaxBytes(PieceUnits);

} // namespace

DocumentRead ReadDocument(const QString &path, bool convert)
{
    DocumentRead result;
    if (NameWasMangled(path)) {
        result.outcome = Outcome::failed(
            CannotOpenMessage(path) +
            QStringLiteral("\n\nファイル名が UTF-8 として正しくないため、このファイルは扱えません。"));
        return result;
    }
    // Shift_JIS takes at most two bytes per character, UTF-8 three (and its
    // mark), JIS with its escape sequences far fewer than eight: a bigger file
    // cannot fit.
    const FileRead file = ReadRegularFile(path, convert ? MaxDocumentChars * 8 : MaxDocumentChars * 3 + 3);
    if (file.status != FileRead::Ok) {
        result.outcome = Outcome::failed(ReadFailureMessage(path, file));
        return result;
    }
    Jconvert::Utf8Detector utf8;
    utf8.Feed(std::string_view(file.bytes.constData(), std::size_t(file.bytes.size())));
    const Jconvert::Utf8Verdict verdict = utf8.Finish();
    if (verdict.document()) {
        Utf8Text decoded = DecodeUtf8Document(file.bytes, verdict.valid);
        result.text = std::move(decoded.text);
        result.utf8 = true;
        result.bom = decoded.bom;
        result.lineEnds = std::move(decoded.lineEnds);
    } else {
        if (convert) {
            result.text = DocumentTextFromBytes(file.bytes, true);
        } else {
            Cp932::DecodeInfo info;
            result.text = Cp932::Decode(file.bytes, &info);
            if (!info.canonical)
                result.original = file.bytes;
        }
        // Code conversion moves no line break, so the file's own are the text's.
        result.lineEnds = ScanLineEnds(file.bytes, Jconvert::ReturnCode::CrLf);
    }
    if (result.text.size() > MaxDocumentChars) {
        result.text.clear();
        result.original.clear();
        result.outcome = Outcome::failed(TooLargeMessage(path));
        return result;
    }
    result.identity = file.identity;
    return result;
}

QByteArray EncodeDocument(QStringView text, const KeptBytes *kept, qsizetype *firstUnencodable)
{
    PieceEncoder encoder(text, kept, PieceUnits);
    QByteArray bytes;
    while (!encoder.atEnd()) {
        const qsizetype at = bytes.size();
        bytes.resize(at + PieceBytes);
        bytes.truncate(at + encoder.next(bytes.data() + at));
    }
    if (firstUnencodable != nullptr)
        *firstUnencodable = encoder.firstUnencodable();
    return bytes;
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
                            const KeptBytes *kept, const LineEnds &ends)
{
    PieceEncoder encoder(text, kept, PieceUnits, nullptr, &ends);
    return WritePieces(path, encoder, stopAtUnencodable, {});
}

TextWrite WriteUtf8DocumentText(const QString &path, QStringView text, const LineEnds &ends, bool bom)
{
    Utf8Encoder utf8(ends);
    PieceEncoder encoder(text, nullptr, PieceUnits, &utf8);
    const QByteArrayView mark(Jconvert::UTF8_BOM.data(), qsizetype(Jconvert::UTF8_BOM.size()));
    return WritePieces(path, encoder, false, bom ? mark : QByteArrayView());
}
