#include "folder_listing.h"

#include <QDirIterator>
#include <QFileInfo>
#include <algorithm>

namespace FolderTree {
namespace detail {

QCollator FolderCollator()
{
    QCollator collator;
    // The C locale compares code points and ignores numbers: names then sort as in English.
    if (collator.locale().language() == QLocale::C)
        collator.setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

FolderEntry MakeFolderEntry(const QCollator &collator, const QString &name, bool folder)
{
    return {name, folder, collator.sortKey(name)};
}

bool FolderOrder::operator()(const FolderEntry &left, const FolderEntry &right) const
{
    if (left.folder != right.folder)
        return left.folder != filesFirst;
    if (const int byKey = left.key.compare(right.key); byKey != 0)
        return byKey < 0;
    return left.name < right.name;
}

bool MatchesExtensions(const QString &name, const QStringList &extensions)
{
    if (extensions.isEmpty())
        return true;
    return std::any_of(extensions.begin(), extensions.end(), [&](const QString &extension) {
        return name.endsWith(extension, Qt::CaseInsensitive);
    });
}

std::optional<std::vector<FolderEntry>> ListFolder(const QString &path, const FolderListingOptions &options,
                                                   const std::atomic<bool> &stop)
{
    if (!QFileInfo(path).isDir())
        return std::nullopt;
    const QCollator collator = FolderCollator();
    std::vector<FolderEntry> entries;
    QDirIterator it(path, options.filters);
    while (!stop.load(std::memory_order_relaxed) && it.hasNext()) {
        const QFileInfo info = it.nextFileInfo();
        const bool folder = info.isDir();
        if (folder || MatchesExtensions(info.fileName(), options.extensions))
            entries.push_back(MakeFolderEntry(collator, info.fileName(), folder));
    }
    std::sort(entries.begin(), entries.end(), FolderOrder{options.filesFirst});
    return entries;
}

} // namespace detail
} // namespace FolderTree
