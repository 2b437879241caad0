#include "line_file.h"

#include "file_read.h"
#include "safe_file_writer.h"
#include "system_reason.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

namespace {

// Larger files are no desktop list; reading them is refused rather than half done.
constexpr qint64 MaxBytes = 16 * 1024 * 1024;

} // namespace

LineFile::LineFile(const QString &path) : path_(path)
{
    const FileRead file = ReadRegularFile(path, MaxBytes);
    const QString shown = QDir::toNativeSeparators(path);
    switch (file.status) {
    case FileRead::Ok:
        existed_ = true;
        original_ = file.bytes;
        break;
    case FileRead::SystemError:
        if (file.error != ENOENT)
            read_ = Outcome::failed(WithReason(QStringLiteral("%1 を読めません。").arg(shown), file.error));
        return;
    case FileRead::NotRegular:
        read_ = Outcome::failed(QStringLiteral("%1 を読めません。\n\n%2 です。").arg(shown, file.kind));
        return;
    case FileRead::TooLarge:
        read_ = Outcome::failed(QStringLiteral("%1 を読めません。\n\n%2 バイトより大きいファイルです。")
                                    .arg(shown)
                                    .arg(MaxBytes));
        return;
    }
    for (qsizetype from = 0; from < original_.size();) {
        const qsizetype newline = original_.indexOf('\n', from);
        const qsizetype stop = newline < 0 ? original_.size() : newline + 1;
        Line line{original_.sliced(from, stop - from), {}};
        if (line.text.endsWith('\n')) {
            const qsizetype endLength = line.text.endsWith("\r\n") ? 2 : 1;
            line.end = line.text.last(endLength);
            line.text.chop(endLength);
        }
        lines_.append(line);
        from = stop;
    }
}

QByteArray LineFile::lineEnd() const
{
    for (const Line &line : lines_) {
        if (!line.end.isEmpty())
            return line.end;
    }
    return "\n";
}

void LineFile::insert(qsizetype at, const QByteArray &text)
{
    const QByteArray end = lineEnd();
    if (at == lines_.size() && !lines_.isEmpty() && lines_.last().end.isEmpty()) {
        lines_.last().end = end;
        lines_.append(Line{text, {}});
        return;
    }
    lines_.insert(at, Line{text, end});
}

void LineFile::remove(qsizetype at)
{
    if (lines_[at].end.isEmpty() && at > 0)
        lines_[at - 1].end.clear();
    lines_.removeAt(at);
}

QByteArray LineFile::bytes() const
{
    QByteArray out;
    out.reserve(original_.size() + 256);
    for (const Line &line : lines_)
        out += line.text + line.end;
    return out;
}

Outcome LineFile::save() const
{
    if (!read_.done())
        return Outcome::failed(read_.message + QStringLiteral("\n読めないファイルは書き換えません。"));
    const QByteArray out = bytes();
    if (out == original_ && (existed_ || out.isEmpty()))
        return {};
    QDir().mkpath(QFileInfo(path_).absolutePath());
    const int error = SafeFileWriter::writeAll(path_, out);
    if (error == 0)
        return {};
    return Outcome::failed(
        WithReason(QStringLiteral("%1 に書き込めません。").arg(QDir::toNativeSeparators(path_)), error));
}
