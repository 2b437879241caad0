// Writes a file so that a failure never leaves it half written, and so that
// the file keeps its owner, group, mode and hard links.
#pragma once

#include "fd_device.h"

#include <QString>
#include <memory>
#include <sys/types.h>
#include <vector>

// Copies the file `from` over the content of the file `to` (same inode),
// emptied first when `truncate`; false with errno set on failure.
bool CopyFileInto(const QString &from, const QString &to, bool truncate);

// The folder of safety copies that cannot be made beside their file.
QString SafetyCopyCacheFolder();

// The start of the names of `target`'s safety copies in the cache folder:
// its name and a hash of its whole path, so that files of the same name in
// other folders never take each other's copies.
QString CachedSafetyCopyPrefix(const QString &target);

class SafeFileWriter
{
public:
    enum class Method {
        Replace, // a new file beside the target, renamed over it
        InPlace, // the target rewritten after a safety copy
    };

    // What the target is like, as far as the choice of method goes.
    struct Target
    {
        bool exists = false;
        uid_t owner = 0;
        gid_t group = 0;
        nlink_t links = 1;
        bool folderWritable = true;
    };
    // Replace unless the new file would lose the target's owner, group or
    // other hard links, or cannot be made in the target's folder.
    static Method chooseMethod(const Target &target, uid_t user, const std::vector<gid_t> &groups);

    // Writes `bytes` as the whole content of `path`; 0 when done, else the
    // errno of the failure (the previous file is then whole).
    static int writeAll(const QString &path, const QByteArray &bytes);

    explicit SafeFileWriter(QString path);
    ~SafeFileWriter(); // cancels an uncommitted write
    SafeFileWriter(const SafeFileWriter &) = delete;
    SafeFileWriter &operator=(const SafeFileWriter &) = delete;

    // Prepares the write; false with error() set when it cannot start, as for
    // an existing file the user may not write (EACCES).
    bool open();
    // Where the content goes between open() and commit().
    FdDevice *device() { return device_.get(); }
    // Puts the written content in place; false with error() set, and the
    // previous file whole, on failure.
    bool commit();
    // Drops what was written; the previous file stays as it was.
    void cancel();

    Method method() const { return method_; }
    // errno of the first failure.
    int error() const { return error_; }
    // A safety copy that could not be put back after a failed in-place write
    // (the previous content is there); empty otherwise.
    QString keptCopy() const { return keptCopy_; }

private:
    bool openReplace();
    bool openInPlace();
    bool fail(int error);
    // Closes and removes a file of ours that is no longer wanted; false.
    bool discard(QString *file, int error);
    bool startDevice();
    void closeFd();
    void releaseSafetyCopy();

    QString path_;   // as given
    QString target_; // symbolic links resolved
    Method method_ = Method::Replace;
    int fd_ = -1;
    int safetyFd_ = -1; // held, and locked, while the copy may be needed
    int error_ = 0;
    bool existed_ = false;
    bool done_ = false;
    uid_t owner_ = 0;
    gid_t group_ = 0;
    mode_t mode_ = 0;
    QString temp_;
    QString safetyCopy_;
    QString keptCopy_;
    std::unique_ptr<FdDevice> device_;
};
