#include "startup_rules.h"

#include "set_files.h"

#include "document_store.h"
#include "file_read.h"
#include "safe_file_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QRect>

StartRequest ParseCommandLine(const QStringList &arguments)
{
    const qsizetype dashes = arguments.indexOf(QStringLiteral("--"));
    const QStringList options = arguments.first(dashes < 0 ? arguments.size() : dashes);
    QStringList words = options;
    if (dashes >= 0)
        words += arguments.sliced(dashes + 1);
    if (words.isEmpty())
        return {};
    for (const QString &argument : options) {
        if (argument.compare(QStringLiteral("/setup"), Qt::CaseInsensitive) == 0)
            return {StartRequest::Setup, {}};
    }
    QString path;
    for (const QString &argument : words)
        path += argument + u' ';
    path = ExpandLongPath(path);
    return {StartRequest::Open, path.isEmpty() ? path : QDir::cleanPath(QFileInfo(path).absoluteFilePath())};
}

QString StartUpDocumentPath(const QString &rememberedFolder, const QString &desktop, const QString &home,
                            bool tagPaletteVisible)
{
    QString folder = home;
    if (!rememberedFolder.isEmpty() && QFileInfo(rememberedFolder).isDir())
        folder = rememberedFolder;
    else if (QFileInfo(desktop).isDir())
        folder = desktop;
    return QDir::cleanPath(
        folder + (tagPaletteVisible ? QStringLiteral("/newhtml.html") : QStringLiteral("/newtext.txt")));
}

QRect FitOnScreens(const QRect &wanted, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return wanted;
    QRect screen = screens.first();
    qint64 most = 0;
    for (const QRect &candidate : screens) {
        const QRect common = candidate.intersected(wanted);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > most) {
            most = area;
            screen = candidate;
        }
    }
    QRect fitted(wanted.topLeft(), wanted.size().boundedTo(screen.size()));
    if (fitted.right() > screen.right())
        fitted.moveRight(screen.right());
    if (fitted.bottom() > screen.bottom())
        fitted.moveBottom(screen.bottom());
    if (fitted.left() < screen.left())
        fitted.moveLeft(screen.left());
    if (fitted.top() < screen.top())
        fitted.moveTop(screen.top());
    return fitted;
}

QString ExpandLongPath(const QString &path)
{
    qsizetype end = path.size();
    while (end > 0 && path[end - 1] == u' ')
        --end;
    return path.left(end);
}

namespace {

QString Pad3(qsizetype n)
{
    return QString::number(n).rightJustified(3, u'0');
}

} // namespace

QString CaretPanelText(qsizetype line, qsizetype lineCount, qsizetype column)
{
    return QStringLiteral("L:") + Pad3(line) + u'/' + Pad3(lineCount) + QStringLiteral("  C:") + Pad3(column);
}

bool IsIgnoredDropType(const QString &path)
{
    static const QStringList ignored{".bmp", ".jpg", ".jpeg", ".png", ".gif", ".mp3",
                                     ".mid", ".wav", ".zip",  ".lzh", ".cab"};
    const QString name = QFileInfo(path).fileName().toLower();
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot >= 0 && ignored.contains(name.mid(dot));
}

bool IsClipSetFile(const QString &path)
{
    return QFileInfo(path).fileName().toLower().endsWith(QStringLiteral("qmc"));
}

namespace {

// Where a dropped clip set is installed: the program folder's set of the name it has; failed
// when the name is refused.
Palettes::SetFile ClipSetTarget(const QString &path, const QString &programDir)
{
    // Installed as the set it names, so that the set box lists it whatever the extension's letter case.
    const QString name = QFileInfo(path).fileName();
    const qsizetype extension = name.endsWith(Palettes::ClipPalette().extension, Qt::CaseInsensitive) ? 4 : 3;
    return Palettes::SetFilePath(programDir, name.chopped(std::min(name.size(), extension)),
                                 Palettes::ClipPalette());
}

} // namespace

ClipSetQuestion ClipSetInstallQuestion(const QString &path, const QString &programDir)
{
    const QString target = ClipSetTarget(path, programDir).path;
    if (!target.isEmpty() && QFileInfo::exists(target) &&
        QFileInfo(target).canonicalFilePath() != QFileInfo(path).canonicalFilePath())
        return {QStringLiteral("「%1」はすでにあります。置き換えますか？")
                    .arg(QFileInfo(target).completeBaseName()),
                true};
    return {QStringLiteral("クリップデータ「%1」をインストールしますか？").arg(QFileInfo(path).fileName()),
            false};
}

Outcome InstallClipSet(const QString &path, const QString &programDir)
{
    // A set larger than the palettes load is refused here rather than installed unusable.
    const FileRead source = ReadRegularFile(path, Palettes::MaxSetFileBytes);
    if (source.status != FileRead::Ok)
        return Outcome::failed(ReadFailureMessage(path, source));
    const Palettes::SetFile set = ClipSetTarget(path, programDir);
    if (!set.outcome.done())
        return set.outcome;
    const QString &target = set.path;
    // Dropped from the program folder itself (under any spelling): writing it would truncate it.
    if (QFileInfo(target).canonicalFilePath() == QFileInfo(path).canonicalFilePath())
        return {};
    const int error = SafeFileWriter::writeAll(target, source.bytes);
    if (error == 0)
        return {};
    return Outcome::failed(
        WithReason(QStringLiteral("クリップデータ「%1」を %2 にインストールできません。")
                       .arg(QFileInfo(path).fileName(), QDir::toNativeSeparators(programDir)),
                   error));
}

QString WrapHintText(const QString &text, const QFontMetrics &metrics, int maxWidth)
{
    QStringList lines;
    for (const QString &paragraph : text.split(u'\n')) {
        QString line;
        for (const QChar c : paragraph) {
            if (!line.isEmpty() && metrics.horizontalAdvance(line + c) > maxWidth) {
                const qsizetype space = line.lastIndexOf(u' ');
                lines << (space > 0 ? line.left(space) : line);
                line = space > 0 ? line.mid(space + 1) : QString();
            }
            line += c;
        }
        lines << line;
    }
    return lines.join(u'\n');
}

bool NamesFileToCreate(const QString &path)
{
    const QFileInfo file(path);
    // A dangling symbolic link is not a name to create: the save would write where it points.
    if (path.isEmpty() || path.endsWith(u'/') || file.exists() || file.isSymLink())
        return false;
    return QFileInfo(file.absolutePath()).isDir();
}
