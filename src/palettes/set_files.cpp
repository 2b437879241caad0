#include "set_files.h"

#include "cp932.h"
#include "file_read.h"
#include "safe_file_writer.h"
#include "set_file_format.h"
#include "system_reason.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>

namespace Palettes {

namespace {

const QString KeptInMemory = QStringLiteral("\n\n変更はこのセットに残っています。");

bool HasControl(const QString &name)
{
    return std::any_of(name.begin(), name.end(),
                       [](QChar c) { return c.category() == QChar::Other_Control; });
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

QString SetFilePath(const QString &programDir, const QString &name, const PaletteKind &kind, QString *problem)
{
    *problem = SetNameProblem(name);
    return problem->isEmpty() ? programDir + name + kind.extension : QString();
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
        result.status = SetRead::Missing;
        return result;
    }
    const QString path = SetFilePath(programDir, name, kind, &result.message);
    if (path.isEmpty())
        return result;
    const FileRead file = ReadRegularFile(path, MaxSetFileBytes);
    switch (file.status) {
    case FileRead::Ok:
        result.status = SetRead::Read;
        result.list = SetList(ParseSetFile(file.bytes));
        break;
    case FileRead::SystemError:
        if (file.error == ENOENT)
            result.status = SetRead::Missing;
        else
            result.message = WithReason(CannotOpenMessage(path), file.error);
        break;
    case FileRead::NotRegular:
        result.message =
            CannotOpenMessage(path) + QStringLiteral("\n\n%1 はセットとして読めません。").arg(file.kind);
        break;
    case FileRead::TooLarge:
        result.message = CannotOpenMessage(path) +
                         QStringLiteral("\n\nセットファイルは %1 バイトまでです。").arg(MaxSetFileBytes);
        break;
    }
    return result;
}

QString SaveSet(const QString &programDir, const QString &name, const PaletteKind &kind, const SetList &list)
{
    QString problem;
    const QString path = SetFilePath(programDir, name, kind, &problem);
    if (path.isEmpty())
        return problem + KeptInMemory;
    qsizetype unencodable = -1;
    const QByteArray bytes = SerializeSetFile(list.lines(), &unencodable);
    if (unencodable >= 0) {
        const Cp932::Unencodable bad = Cp932::DescribeCharacterAt(list.lines().join(u'\n'), unencodable);
        return CannotCreateMessage(path) +
               QStringLiteral("\n\n%1 行目の「%2」は Shift_JIS で書けない文字です。")
                   .arg(bad.line)
                   .arg(bad.character) +
               KeptInMemory;
    }
    const int error = SafeFileWriter::WriteAll(path, bytes);
    if (error == 0)
        return {};
    return WithReason(CannotCreateMessage(path), error) + QStringLiteral("\n前のファイルはそのままです。") +
           KeptInMemory;
}

QString DeleteSet(const QString &programDir, const QString &name, const PaletteKind &kind)
{
    QString problem;
    const QString path = SetFilePath(programDir, name, kind, &problem);
    if (!path.isEmpty())
        QFile::remove(path);
    return problem;
}

} // namespace Palettes
