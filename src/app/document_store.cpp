#include "document_store.h"

#include "cp932.h"
#include "document_codec.h"
#include "piece_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

QString CannotOpenMessage(const QString &path)
{
    return QStringLiteral("ファイル %1 は開けません").arg(QDir::toNativeSeparators(path));
}

QString CannotCreateMessage(const QString &path)
{
    return QStringLiteral("ファイル %1 を作成できません").arg(QDir::toNativeSeparators(path));
}

namespace {

QString TooLargeMessage(const QString &path)
{
    return CannotOpenMessage(path) +
           QStringLiteral("\n\n編集できる文書は %1 文字までです。").arg(MaxDocumentChars);
}

} // namespace

DocumentRead ReadDocument(const QString &path, bool convert)
{
    DocumentRead result;
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly)) {
        result.error = CannotOpenMessage(path);
        return result;
    }
    // Shift_JIS takes at most two bytes per character, JIS with its escape
    // sequences far fewer than eight: a bigger file cannot fit.
    if (file.size() > MaxDocumentChars * (convert ? 8 : 2)) {
        result.error = TooLargeMessage(path);
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.error = CannotOpenMessage(path);
        return result;
    }
    if (convert) {
        result.text = DocumentTextFromBytes(bytes, true);
    } else {
        Cp932::DecodeInfo info;
        result.text = Cp932::Decode(bytes, &info);
        if (!info.canonical && info.crLfOnly)
            result.verbatim = bytes;
    }
    if (result.text.size() > MaxDocumentChars) {
        result.text.clear();
        result.error = TooLargeMessage(path);
        return result;
    }
    result.ok = true;
    return result;
}

bool WriteDocument(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    file.cancelWriting();
    if (error != nullptr)
        *error = CannotCreateMessage(path);
    return false;
}

TextWrite WriteDocumentText(const QString &path, QStringView text, bool stopAtUnencodable)
{
    // Large enough that handing pieces between the threads costs little,
    // small enough to stay in the cache between encoding and writing.
    constexpr qsizetype PieceUnits = 256 * 1024;
    constexpr int QueuedPieces = 4;
    TextWrite result;
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly);
    if (ok) {
        PieceWriter writer(&file, 2 * PieceUnits, QueuedPieces);
        for (qsizetype from = 0; ok && from < text.size();) {
            const qsizetype to = Cp932::PieceEnd(text, from, PieceUnits);
            QByteArray piece = writer.takeBuffer();
            qsizetype unencodable = -1;
            piece.truncate(Cp932::EncodeTo(text.sliced(from, to - from), piece.data(), &unencodable));
            if (unencodable >= 0 && result.firstUnencodable < 0) {
                result.firstUnencodable = from + unencodable;
                if (stopAtUnencodable) {
                    writer.finish();
                    file.cancelWriting();
                    return result;
                }
            }
            ok = writer.write(std::move(piece));
            from = to;
        }
        ok = writer.finish() && ok;
    }
    if (ok && file.commit()) {
        result.written = true;
        return result;
    }
    file.cancelWriting();
    result.error = CannotCreateMessage(path);
    return result;
}
