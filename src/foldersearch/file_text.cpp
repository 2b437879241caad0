#include "file_text.h"

#include "literal_lines.h"

#include <QFileInfo>

namespace FolderSearch {

namespace detail {

namespace {

DocumentBytes ReadBytes(const QString &path, const DocumentCodeOptions &codes)
{
    return ReadDocumentBytes(path, {std::nullopt, ConvertsOnLoad(path, codes)});
}

// Why a file that did not read is passed over.
Skipped Unread(const QString &path, const Outcome &outcome)
{
    // A file of fewer bytes than the limit never decodes to more characters.
    const bool tooLarge = QFileInfo(path).size() > MaxDocumentChars;
    // The message names the path, then says why.
    const QString why = outcome.message.section(QStringLiteral("\n\n"), -1);
    return Skipped{path, tooLarge ? SkipReason::TooLarge : SkipReason::Unreadable,
                   tooLarge ? QString() : why};
}

FileText Decoded(const QString &path, DocumentBytes bytes)
{
    FileText result;
    result.read = DecodeDocumentBytes(path, std::move(bytes));
    DocumentRead &read = result.read;
    if (!read.outcome.done()) {
        result.skipped = Unread(path, read.outcome);
        read = {};
        return result;
    }
    // Binary as the editor finds it from the leading bytes, or with a NUL
    // anywhere (UTF-16 keeps its NUL bytes as bytes).
    if (read.binary || read.text.contains(QChar(0))) {
        result.skipped = Skipped{path, SkipReason::Binary, {}};
        read = {};
    }
    return result;
}

} // namespace

} // namespace detail

FileText ReadFileText(const QString &path, const DocumentCodeOptions &codes)
{
    return detail::Decoded(path, detail::ReadBytes(path, codes));
}

FileSearch SearchFileText(const QString &path, const DocumentCodeOptions &codes,
                          const TextTools::SearchPattern &pattern, qsizetype maxRows)
{
    FileSearch result;
    DocumentBytes bytes = detail::ReadBytes(path, codes);
    const QByteArrayView body = bytes.body();
    // Without a NUL byte no line of these codes decodes to a NUL, and with no
    // more bytes than the limit no text exceeds it.
    if (bytes.outcome.done() && !bytes.detected.binary && pattern.lineLiteral() &&
        LinesDecodeAlone(bytes.detected.code) && body.size() <= MaxDocumentChars && !body.contains('\0')) {
        if (const std::optional<QByteArray> needle =
                LiteralBytes(*pattern.lineLiteral(), bytes.detected.code)) {
            result.identity = bytes.file.identity;
            result.matches =
                MatchLiteralLines(body, *DecoderFor(bytes.detected.code, bytes.detected.validUtf8),
                                  LiteralFinder(*needle, pattern.lineLiteral()->foldCase), pattern, maxRows);
            return result;
        }
    }
    FileText text = detail::Decoded(path, std::move(bytes));
    result.skipped = std::move(text.skipped);
    if (!result.skipped) {
        result.identity = text.read.identity;
        result.matches = MatchLines(text.read.text, pattern, maxRows);
    }
    return result;
}

} // namespace FolderSearch
