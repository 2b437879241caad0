// Real folders recovery copies cannot be written to: another user's, and a
// full file system (a 64 KiB tmpfs, which only root can mount).
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

// Makes `folder` a folder this process cannot keep copies in: as root, one
// owned by nobody (root writes anywhere); else one under a parent chmod'ed
// so that nothing can be made in it.
inline void MakeForeignFolder(const QString &folder)
{
    if (::geteuid() == 0) {
        QDir().mkpath(folder);
        [[maybe_unused]] const int changed = ::chown(QFile::encodeName(folder).constData(), 65534, 65534);
    } else {
        const QString parent = QFileInfo(folder).absolutePath();
        QDir().mkpath(parent);
        ::chmod(QFile::encodeName(parent).constData(), 0500);
    }
}

// Lets the temporary folder above a foreign folder be removed again.
inline void FreeForeignFolder(const QString &folder)
{
    ::chmod(QFile::encodeName(QFileInfo(folder).absolutePath()).constData(), 0700);
}

// A tmpfs of 64 KiB mounted on `folder` while the object lives; mounted()
// is false where mounting is not allowed.
class SmallTmpfs
{
public:
    explicit SmallTmpfs(const QString &folder) : folder_(QFile::encodeName(folder))
    {
        QDir().mkpath(folder);
        mounted_ =
            ::geteuid() == 0 && ::mount("tmpfs", folder_.constData(), "tmpfs", 0, "size=64k,mode=0700") == 0;
    }
    ~SmallTmpfs()
    {
        if (mounted_)
            ::umount2(folder_.constData(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs &) = delete;
    SmallTmpfs &operator=(const SmallTmpfs &) = delete;
    bool mounted() const { return mounted_; }
    // Takes every byte left.
    void fill() const
    {
        QFile filler(QFile::decodeName(folder_) + QStringLiteral("/filler"));
        if (filler.open(QIODevice::WriteOnly))
            filler.write(QByteArray(128 * 1024, 'f'));
    }

private:
    QByteArray folder_;
    bool mounted_ = false;
};
