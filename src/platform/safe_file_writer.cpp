#include "safe_file_writer.h"

#include "fd_write.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

std::vector<gid_t> GroupsOfThisProcess()
{
    std::vector<gid_t> groups(std::max(0, ::getgroups(0, nullptr)));
    groups.resize(std::max(0, ::getgroups(int(groups.size()), groups.data())));
    groups.push_back(::getegid());
    return groups;
}

mode_t NewFileMode()
{
    // The mask can only be read by setting it; this runs on one thread.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

// A new, empty file named after `pattern` (ending in XXXXXX); -1 on failure.
// It stays locked while open: a file of this kind that nobody holds was left
// by a save that never ended.
int MakeUniqueFile(const QString &pattern, QString *made)
{
    QByteArray name = Native(pattern);
    const int fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd >= 0) {
        *made = QFile::decodeName(name);
        ::flock(fd, LOCK_EX | LOCK_NB);
    }
    return fd;
}

// Copies what is left to read of `from` into `to`; false with errno set on a
// failed read or write (ENOSPC when the disk takes no more).
bool CopyAllBytes(int from, int to)
{
    char buffer[1 << 16];
    for (;;) {
        const ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        if (!WriteAllBytes(to, buffer, n))
            return false;
    }
}

} // namespace

bool CopyFileInto(const QString &from, const QString &to, bool truncate)
{
    const int in = ::open(Native(from).constData(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    const int out = ::open(Native(to).constData(), O_WRONLY | O_CLOEXEC | (truncate ? O_TRUNC : 0));
    bool ok = out >= 0 && CopyAllBytes(in, out) && ::fsync(out) == 0;
    int error = ok ? 0 : errno;
    if (out >= 0 && ::close(out) != 0 && ok) {
        ok = false;
        error = errno;
    }
    ::close(in);
    errno = error;
    return ok;
}

QString SafetyCopyCacheFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/qumoedit");
}

QString CachedSafetyCopyPrefix(const QString &target)
{
    const QByteArray hash =
        QCryptographicHash::hash(QFileInfo(target).absoluteFilePath().toUtf8(), QCryptographicHash::Sha1);
    return QFileInfo(target).fileName() + u'-' + QString::fromLatin1(hash.toHex().left(12)) + u'.';
}

SafeFileWriter::Method SafeFileWriter::chooseMethod(const Target &target, uid_t user,
                                                    const std::vector<gid_t> &groups)
{
    if (!target.exists)
        return Method::Replace;
    if (!target.folderWritable || target.links > 1)
        return Method::InPlace;
    if (user == 0)
        return Method::Replace;
    const bool inGroup = std::find(groups.begin(), groups.end(), target.group) != groups.end();
    return target.owner == user && inGroup ? Method::Replace : Method::InPlace;
}

SafeFileWriter::SafeFileWriter(QString path) : path_(std::move(path)) {}

int SafeFileWriter::writeAll(const QString &path, const QByteArray &bytes)
{
    SafeFileWriter file(path);
    if (file.open() && file.device()->write(bytes) == bytes.size() && file.commit())
        return 0;
    const int error = file.error() != 0 ? file.error() : file.device()->systemError();
    file.cancel();
    return error != 0 ? error : EIO;
}

SafeFileWriter::~SafeFileWriter()
{
    if (!done_)
        cancel();
}

bool SafeFileWriter::fail(int error)
{
    if (error_ == 0)
        error_ = error != 0 ? error : EIO;
    return false;
}

void SafeFileWriter::closeFd()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

void SafeFileWriter::releaseSafetyCopy()
{
    if (safetyFd_ >= 0)
        ::close(safetyFd_);
    safetyFd_ = -1;
}

bool SafeFileWriter::open()
{
    const QFileInfo info(path_);
    target_ = info.exists() ? info.canonicalFilePath() : path_;
    struct stat st;
    Target target;
    if (::stat(Native(target_).constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return fail(EISDIR);
        // A file the user may not write is not replaced either, although its
        // folder would allow it; a file nobody may write stops root too.
        if (::access(Native(target_).constData(), W_OK) != 0 || (st.st_mode & 0222) == 0)
            return fail(EACCES);
        existed_ = true;
        owner_ = st.st_uid;
        group_ = st.st_gid;
        mode_ = st.st_mode & 07777;
        target = {true, st.st_uid, st.st_gid, st.st_nlink,
                  ::access(Native(QFileInfo(target_).absolutePath()).constData(), W_OK) == 0};
        // Only regular files are rewritten; anything else is replaced.
        if (!S_ISREG(st.st_mode))
            target.links = 1;
    }
    method_ = chooseMethod(target, ::geteuid(), GroupsOfThisProcess());
    if (method_ == Method::Replace && openReplace())
        return true;
    // A folder that refuses new files still lets a writable file be rewritten.
    if (method_ == Method::Replace &&
        (!existed_ || (error_ != EACCES && error_ != EPERM && error_ != EROFS) ||
         ::access(Native(target_).constData(), W_OK) != 0))
        return false;
    error_ = 0;
    method_ = Method::InPlace;
    return openInPlace();
}

bool SafeFileWriter::openReplace()
{
    const QFileInfo info(target_);
    fd_ = MakeUniqueFile(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                             QStringLiteral(".qumoedit-XXXXXX"),
                         &temp_);
    if (fd_ < 0)
        return fail(errno);
    const bool ownerDiffers = existed_ && (owner_ != ::geteuid() || group_ != ::getegid());
    if ((ownerDiffers && ::fchown(fd_, owner_, group_) != 0) ||
        ::fchmod(fd_, existed_ ? mode_ : NewFileMode()) != 0)
        return discard(&temp_, errno);
    return startDevice();
}

bool SafeFileWriter::openInPlace()
{
    const QFileInfo info(target_);
    const QString beside = info.absolutePath() + QStringLiteral("/.") + info.fileName();
    const QString cacheDir = SafetyCopyCacheFolder();
    const bool folderWritable = ::access(Native(info.absolutePath()).constData(), W_OK) == 0;
    if (!folderWritable)
        QDir().mkpath(cacheDir);
    // Copied under the name of an unfinished file and renamed once whole, so
    // that a safety copy left behind always holds the previous content.
    const QString partial = folderWritable ? beside + QStringLiteral(".qumoedit-XXXXXX")
                                           : cacheDir + QStringLiteral("/.") +
                                                 CachedSafetyCopyPrefix(target_) + QStringLiteral("XXXXXX");
    safetyFd_ = MakeUniqueFile(partial, &safetyCopy_);
    if (safetyFd_ < 0)
        return fail(errno);
    if (!CopyFileInto(target_, safetyCopy_, false))
        return discard(&safetyCopy_, errno);
    const QString suffix = safetyCopy_.right(6);
    const QString whole = folderWritable ? beside + QStringLiteral(".qumoedit-safety-") + suffix
                                         : cacheDir + u'/' + CachedSafetyCopyPrefix(target_) + suffix;
    if (::rename(Native(safetyCopy_).constData(), Native(whole).constData()) != 0)
        return discard(&safetyCopy_, errno);
    safetyCopy_ = whole;
    fd_ = ::open(Native(target_).constData(), O_WRONLY | O_CLOEXEC);
    if (fd_ < 0)
        return discard(&safetyCopy_, errno);
    return startDevice();
}

bool SafeFileWriter::discard(QString *file, int error)
{
    closeFd();
    ::unlink(Native(*file).constData());
    file->clear();
    releaseSafetyCopy();
    return fail(error);
}

bool SafeFileWriter::startDevice()
{
    device_ = std::make_unique<FdDevice>(fd_);
    device_->open(QIODevice::WriteOnly);
    return true;
}

bool SafeFileWriter::commit()
{
    if (fd_ < 0 || done_)
        return fail(EBADF);
    if (device_->systemError() != 0) {
        fail(device_->systemError());
        cancel();
        return false;
    }
    const bool truncated = method_ == Method::Replace || ::ftruncate(fd_, device_->written()) == 0;
    const bool synced = truncated && ::fsync(fd_) == 0;
    const int error = errno;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed) {
        fail(synced ? errno : error);
        cancel();
        return false;
    }
    if (method_ == Method::Replace && ::rename(Native(temp_).constData(), Native(target_).constData()) != 0) {
        fail(errno);
        cancel();
        return false;
    }
    if (method_ == Method::InPlace)
        ::unlink(Native(safetyCopy_).constData());
    releaseSafetyCopy();
    done_ = true;
    return true;
}

void SafeFileWriter::cancel()
{
    if (done_)
        return;
    done_ = true;
    closeFd();
    // Unlocked only once put back or removed.
    const auto release = qScopeGuard([this] { releaseSafetyCopy(); });
    if (method_ == Method::Replace) {
        if (!temp_.isEmpty())
            ::unlink(Native(temp_).constData());
        return;
    }
    if (safetyCopy_.isEmpty())
        return;
    // Nothing reached the target yet: it is still the previous file.
    if (device_ == nullptr || (device_->written() == 0 && device_->systemError() == 0)) {
        ::unlink(Native(safetyCopy_).constData());
        return;
    }
    if (CopyFileInto(safetyCopy_, target_, true))
        ::unlink(Native(safetyCopy_).constData());
    else
        keptCopy_ = safetyCopy_;
}
