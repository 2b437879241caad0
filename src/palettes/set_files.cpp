#include "set_files.h"

#include "cp932.h"
#include "file_read.h"
#include "safe_file_writer.h"
#include "set_file_edit.h"
#include "set_file_format.h"
#include "system_reason.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>

namespace Palettes {

namespace {

const QString KeptInMemory =
    QStringLiteral("\n\n変更はこのセットに残っています。次に登録が書き込めたときに一緒に書き込みます。");

bool HasControl(const QString &name)
{
    return std::any_of(name.begin(), name.end(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
}

// Why the read file is not a whole set; empty when it is. A missing file is left to the caller.
QString ReadProblem(const QString &path, const FileRead &file)
{
    switch (file.status) {
    case FileRead::Ok: {
        const qsizetype nul = file.bytes.indexOf('\0');
        if (nul < 0)
            return {};
        return CannotOpenMessage(path) +
               QStringLiteral("\n\n%1 バイト目に NUL があり、その後ろは読めません。").arg(nul + 1);
    }
    case FileRead::SystemError:
        return WithReason(CannotOpenMessage(path), file.error);
    case FileRead::NotRegular:
        return CannotOpenMessage(path) + QStringLiteral("\n\n%1 はセットとして読めません。").arg(file.kind);
    case FileRead::TooLarge:
        break;
    }
    return CannotOpenMessage(path) +
           QStringLiteral("\n\nセットファイルは %1 バイトまでです。").arg(MaxSetFileBytes);
}

bool IsMissing(const FileRead &file)
{
    return file.status == FileRead::SystemError && file.error == ENOENT;
}

struct EncodedSet
{
    QByteArray bytes;
    Outcome outcome;
};

// The file bytes of `lines`; failed, naming the first character Shift_JIS lacks, when there is one.
EncodedSet Encode(const QStringList &lines, const QString &path)
{
    SetFileBytes file = SerializeSetFile(lines);
    EncodedSet encoded{std::move(file.bytes), {}};
    if (file.firstUnencodable >= 0) {
        const Cp932::Unencodable bad = Cp932::DescribeCharacterAt(lines.join(u'\n'), file.firstUnencodable);
        encoded.outcome = Outcome::failed(
            CannotCreateMessage(path) + QStringLiteral("\n\n%1 行目の「%2」は Shift_JIS で書けない文字です。")
                                            .arg(bad.line)
                                            .arg(bad.character));
    }
    return encoded;
}

// A failure after which the palette still shows the change.
Outcome NotKept(const QString &problem)
{
    return Outcome::failed(problem + KeptInMemory);
}

// A failed write leaves the previous file as it was.
Outcome Write(const QString &path, const QByteArray &bytes)
{
    const int error = SafeFileWriter::writeAll(path, bytes);
    if (error == 0)
        return {};
    return Outcome::failed(WithReason(CannotCreateMessage(path), error) +
                           QStringLiteral("\n前のファイルはそのままです。"));
}

} // namespace

QString SetNameProblem(const QString &name)
{
    if (name.isEmpty())
        return QStringLiteral("セット名が空です。名前を入れてください。");
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(QLatin1String("..")) || HasControl(name))
        return QStringLiteral("セット名「%1」は使えません。\n\n"
                              "「/」「\\」「..」や制御文字を含まない名前にしてください。")
            .arg(QString(name).replace(u'\0', u' '));
    return {};
}

SetFile SetFilePath(const QString &programDir, const QString &name, const PaletteKind &kind)
{
    const QString problem = SetNameProblem(name);
    if (!problem.isEmpty())
        return {QString(), Outcome::failed(problem)};
    return {programDir + name + kind.extension, {}};
}

QStringList ListSets(const QString &programDir, const PaletteKind &kind)
{
    QStringList names;
    const QStringList files = QDir(programDir).entryList({QLatin1Char('*') + kind.extension}, QDir::Files);
    for (const QString &file : files) {
        const QString name = file.chopped(kind.extension.size());
        // Only names that load again; the filter also matches other letter cases.
        if (file.endsWith(kind.extension) && SetNameProblem(name).isEmpty())
            names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

QStringList ListTagSets(const QString &programDir)
{
    return ListSets(programDir, TagPalette());
}

QStringList ListClipSets(const QString &programDir)
{
    return ListSets(programDir, ClipPalette());
}

SetRead ReadSet(const QString &programDir, const QString &name, const PaletteKind &kind)
{
    SetRead result;
    // The clip set's default name: there is nothing to load, and nothing to report.
    if (name.isEmpty()) {
        result.outcome = Outcome::declined();
        return result;
    }
    const SetFile set = SetFilePath(programDir, name, kind);
    if (!set.outcome.done()) {
        result.outcome = set.outcome;
        return result;
    }
    const QString &path = set.path;
    result.path = path;
    const FileRead file = ReadRegularFile(path, MaxSetFileBytes);
    if (IsMissing(file)) {
        result.outcome = Outcome::declined();
    } else if (file.status == FileRead::Ok) {
        // Cut at a NUL, the buttons before it still show; writing is refused.
        result.list = SetList(ParseSetFile(file.bytes));
    } else {
        result.outcome = Outcome::failed(ReadProblem(path, file));
    }
    return result;
}

Outcome SaveSet(const QString &programDir, const QString &name, const PaletteKind &kind, const SetList &list)
{
    const SetFile set = SetFilePath(programDir, name, kind);
    if (!set.outcome.done())
        return NotKept(set.outcome.message);
    const EncodedSet encoded = Encode(list.lines(), set.path);
    const Outcome written = encoded.outcome.done() ? Write(set.path, encoded.bytes) : encoded.outcome;
    return written.done() ? written : NotKept(written.message);
}

SetDefined DefineInSet(const QString &programDir, const PaletteKind &kind, const SetDefinition &change)
{
    SetDefined result;
    const SetFile set = SetFilePath(programDir, change.name, kind);
    if (!set.outcome.done()) {
        result.outcome = NotKept(set.outcome.message);
        return result;
    }
    const QString &path = set.path;
    const FileRead file = ReadRegularFile(path, MaxSetFileBytes);
    EncodedSet encoded;
    if (IsMissing(file)) {
        if (path == change.loadedPath) {
            result.outcome = NotKept(CannotCreateMessage(path) +
                                     QStringLiteral("\n\nこのセットのファイルは読み込んだ後になくなりました。"
                                                    "別の名前で登録すると新しいセットになります。"));
            return result;
        }
        SetList list = change.inMemory;
        list.define(change.number, change.definition);
        encoded = Encode(list.lines(), path);
    } else {
        const QString problem = ReadProblem(path, file);
        if (!problem.isEmpty()) {
            result.outcome = NotKept(problem + QStringLiteral("\n読めないセットには書き込みません。"));
            return result;
        }
        encoded = Encode(RecordLines(change.number, change.definition), path);
        encoded.bytes = WithRecord(file.bytes, change.number, encoded.bytes);
    }
    Outcome written = encoded.outcome;
    if (written.done() && encoded.bytes.size() > MaxSetFileBytes)
        written =
            Outcome::failed(CannotCreateMessage(path) +
                            QStringLiteral("\n\nセットファイルは %1 バイトまでです。").arg(MaxSetFileBytes));
    if (written.done())
        written = Write(path, encoded.bytes);
    if (!written.done()) {
        result.outcome = NotKept(written.message);
        return result;
    }
    result.merged = SetList(ParseSetFile(encoded.bytes));
    result.path = path;
    return result;
}

Outcome DeleteSet(const QString &programDir, const QString &name, const PaletteKind &kind)
{
    const SetFile set = SetFilePath(programDir, name, kind);
    if (set.outcome.done())
        QFile::remove(set.path);
    return set.outcome;
}

} // namespace Palettes
