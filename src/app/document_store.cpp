#include "document_store.h"

#include "cp932.h"
#include "document_codec.h"

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
