#include "folder_walk.h"

#include "file_read.h"
#include "name_filter.h"
#include "system_reason.h"

#include <QFile>
#include <QSet>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace FolderSearch {

QString ReasonName(SkipReason reason)
{
    switch (reason) {
    case SkipReason::Binary:
        return QStringLiteral("バイナリファイル");
    case SkipReason::TooLarge:
        return QStringLiteral("文書の上限を超えるファイル");
    case SkipReason::Special:
        return QStringLiteral("特殊なファイル");
    case SkipReason::Unreadable:
        return QStringLiteral("読めないもの");
    case SkipReason::LinkLoop:
        return QStringLiteral("シンボリックリンクの循環");
    case SkipReason::AlreadySearched:
        return QStringLiteral("別の名前で検索済み");
    }
    return {};
}

namespace detail {

namespace {

struct Node
{
    dev_t device;
    ino_t inode;
    friend bool operator==(Node, Node) = default;
};

QString Joined(const QString &parent, const QString &name)
{
    return parent.endsWith(u'/') ? parent + name : parent + u'/' + name;
}

size_t qHash(Node node, size_t seed = 0)
{
    return ::qHash(quint64(node.inode), seed) ^ ::qHash(quint64(node.device));
}

class Walk
{
public:
    Walk(const NameFilter &names, bool subfolders, const WalkSink &sink, const std::atomic_bool &stop)
        : names_(names), subfolders_(subfolders), sink_(sink), stop_(stop)
    {
    }

    void folder(const QString &path, Node node)
    {
        const QByteArray native = QFile::encodeName(path);
        DIR *dir = ::opendir(native.constData());
        if (dir == nullptr)
            return sink_.skip({path, SkipReason::Unreadable, SystemReason(errno)});
        std::vector<Entry> entries;
        while (const dirent *entry = ::readdir(dir)) {
            if (entry->d_name[0] != '.') // also "." and ".."
                entries.push_back({QFile::decodeName(entry->d_name), entry->d_type, entry->d_ino});
        }
        const int fd = ::dirfd(dir);
        std::sort(entries.begin(), entries.end(),
                  [](const Entry &a, const Entry &b) { return a.name < b.name; });
        above_.insert(node);
        for (const Entry &e : entries) {
            if (stop_.load(std::memory_order_relaxed))
                break;
            // A regular file is known from its entry: no stat, and none for a name the filter leaves out.
            if (e.type == DT_REG)
                regularFile(path, e.name, {node.device, e.inode});
            else
                entry(fd, path, e.name);
        }
        above_.remove(node);
        ::closedir(dir);
    }

private:
    void entry(int dirFd, const QString &parent, const QString &name)
    {
        const QString path = Joined(parent, name);
        const QByteArray native = QFile::encodeName(name);
        struct stat st;
        if (::fstatat(dirFd, native.constData(), &st, 0) != 0) {
            const int error = errno;
            if (!names_.matches(name))
                return;
            struct stat link;
            const bool isLink = ::fstatat(dirFd, native.constData(), &link, AT_SYMLINK_NOFOLLOW) == 0 &&
                                S_ISLNK(link.st_mode);
            if (error == ELOOP)
                return sink_.skip({path, SkipReason::LinkLoop, {}});
            if (isLink && error == ENOENT)
                return sink_.skip({path, SkipReason::Unreadable, QStringLiteral("リンク先がありません")});
            return sink_.skip({path, SkipReason::Unreadable, SystemReason(error)});
        }
        const Node node{st.st_dev, st.st_ino};
        if (S_ISDIR(st.st_mode)) {
            if (!subfolders_)
                return;
            if (above_.contains(node))
                return sink_.skip({path, SkipReason::LinkLoop, {}});
            if (seen_.contains(node))
                return sink_.skip({path, SkipReason::AlreadySearched, {}});
            seen_.insert(node);
            return folder(path, node);
        }
        if (!names_.matches(name))
            return;
        if (!S_ISREG(st.st_mode))
            return sink_.skip({path, SkipReason::Special, SpecialFileKind(st.st_mode)});
        regularFile(parent, name, node);
    }

    void regularFile(const QString &parent, const QString &name, Node node)
    {
        if (!names_.matches(name))
            return;
        const QString path = Joined(parent, name);
        if (seen_.contains(node))
            return sink_.skip({path, SkipReason::AlreadySearched, {}});
        seen_.insert(node);
        sink_.file(path);
    }

    struct Entry
    {
        QString name;
        unsigned char type; // d_type
        ino_t inode;
    };

    const NameFilter &names_;
    bool subfolders_;
    const WalkSink &sink_;
    const std::atomic_bool &stop_;
    QSet<Node> above_; // the folders being walked, the start's included
    QSet<Node> seen_;  // every folder and file met
};

} // namespace

} // namespace detail

void WalkFolder(const QString &folder, const NameFilter &names, bool subfolders, const WalkSink &sink,
                const std::atomic_bool &stop)
{
    struct stat st;
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0)
        return sink.skip({folder, SkipReason::Unreadable, SystemReason(errno)});
    if (!S_ISDIR(st.st_mode))
        return sink.skip({folder, SkipReason::Unreadable, SystemReason(ENOTDIR)});
    detail::Walk walk(names, subfolders, sink, stop);
    walk.folder(folder, {st.st_dev, st.st_ino});
}

} // namespace FolderSearch
