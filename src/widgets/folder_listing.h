// Reading one folder for the folder tree: which entries it shows and in
// which order. Runs on a worker thread, so a folder of many thousands of
// files is read and sorted without holding up the window.
#pragma once

#include <QCollator>
#include <QDir>
#include <QStringList>
#include <atomic>
#include <optional>
#include <vector>

namespace FolderTree {
namespace detail {

// One shown entry; the key makes comparisons cheap on the window thread.
struct FolderEntry
{
    QString name;
    bool folder = false;
    QCollatorSortKey key;
};

// What a folder shows and how it is ordered.
struct FolderListingOptions
{
    QDir::Filters filters = QDir::AllDirs | QDir::NoDotAndDotDot;
    // Extensions with their dot, matched at the end of a file's name whatever its case; empty shows all
    // files.
    QStringList extensions;
    // Non-folders before folders instead of after them.
    bool filesFirst = false;
};

// Names in natural order ("file2" before "file10"), letter case aside, in any locale.
QCollator FolderCollator();

// The entry for `name`, keyed by `collator` (which FolderCollator made).
FolderEntry MakeFolderEntry(const QCollator &collator, const QString &name, bool folder);

// The order of a folder's entries: folders first (or last), then by key, then by the exact name.
struct FolderOrder
{
    bool filesFirst = false;
    bool operator()(const FolderEntry &left, const FolderEntry &right) const;
};

// Whether a file named `name` passes `options`' extensions.
bool MatchesExtensions(const QString &name, const QStringList &extensions);

// The entries of `path` sorted by FolderOrder; nothing when the folder is gone.
// Stops early, with what it has, once `stop` is set.
std::optional<std::vector<FolderEntry>> ListFolder(const QString &path, const FolderListingOptions &options,
                                                   const std::atomic<bool> &stop);

} // namespace detail
} // namespace FolderTree
