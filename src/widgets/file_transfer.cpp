#include "file_transfer.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace FileTransfer {

namespace {

fs::path Native(const QString &path)
{
    return fs::path(QFile::encodeName(path).toStdString());
}

QString Reason(const std::error_code &error)
{
    return QString::fromLocal8Bit(error.message());
}

bool Inside(const QString &folder, const QString &item)
{
    return folder == item || folder.startsWith(item + QLatin1Char('/'));
}

Result Failure(const QString &destination, const QString &message)
{
    return {Outcome::failed(message), destination};
}

} // namespace

namespace detail {

Outcome CopyIntoPlace(const QString &source, const QString &destination)
{
    const QFileInfo target(destination);
    const fs::path temporary = Native(target.absolutePath() + QLatin1String("/.") + target.fileName() +
                                      QLatin1Char('.') + QUuid::createUuid().toString(QUuid::Id128).left(8));
    std::error_code ec;
    if (QFileInfo(source).isDir())
        fs::copy(Native(source), temporary, fs::copy_options::recursive | fs::copy_options::copy_symlinks,
                 ec);
    else
        fs::copy_file(Native(source), temporary, ec);
    if (!ec)
        fs::rename(temporary, Native(destination), ec);
    if (ec) {
        std::error_code ignored;
        fs::remove_all(temporary, ignored);
        return Outcome::failed(Reason(ec));
    }
    return {};
}

} // namespace detail

Result Transfer(const QString &source, const QString &folder, Mode mode, const ConfirmOverwrite &confirm)
{
    const QFileInfo item(source);
    const QString from = item.absoluteFilePath();
    const QString into = QDir(folder).absolutePath();
    const QString destination = into + QLatin1Char('/') + item.fileName();
    if (!item.exists() && !item.isSymLink())
        return Failure(destination, QStringLiteral("「%1」が見つかりません。").arg(from));
    if (!QFileInfo(into).isDir())
        return Failure(destination, QStringLiteral("「%1」はフォルダではありません。").arg(into));
    if (destination == from) {
        if (mode == Mode::Move)
            return {{}, destination};
        return Failure(destination,
                       QStringLiteral("「%1」はすでにこのフォルダにあります。").arg(item.fileName()));
    }
    if (item.isDir() && Inside(into, from))
        return Failure(destination, QStringLiteral("フォルダ「%1」をそれ自身の中へは移せません。").arg(from));

    const QFileInfo existing(destination);
    if (existing.exists() || existing.isSymLink()) {
        if (existing.isDir() || item.isDir())
            return Failure(destination,
                           QStringLiteral("「%1」には同じ名前のフォルダかファイルがあります。").arg(into));
        if (!confirm || !confirm(destination))
            return {Outcome::declined(), destination};
    }

    if (mode == Mode::Copy) {
        const Outcome copied = detail::CopyIntoPlace(from, destination);
        if (!copied.done())
            return Failure(destination,
                           QStringLiteral("「%1」をコピーできませんでした。\n%2").arg(from, copied.message));
        return {{}, destination};
    }

    std::error_code ec;
    fs::rename(Native(from), Native(destination), ec);
    if (!ec)
        return {{}, destination};
    if (ec != std::errc::cross_device_link)
        return Failure(destination,
                       QStringLiteral("「%1」を移動できませんでした。\n%2").arg(from, Reason(ec)));
    // Another device: the source goes only once its copy is whole.
    const Outcome copied = detail::CopyIntoPlace(from, destination);
    if (!copied.done())
        return Failure(destination,
                       QStringLiteral("「%1」を移動できませんでした。\n%2").arg(from, copied.message));
    fs::remove_all(Native(from), ec);
    if (ec)
        return {{Outcome::Done,
                 QStringLiteral("「%1」をコピーしましたが、元のファイルを削除できませんでした。\n%2")
                     .arg(from, Reason(ec))},
                destination};
    return {{}, destination};
}

} // namespace FileTransfer
