#include "file_identity.h"

#include <QFile>
#include <sys/stat.h>

FileIdentity FileIdentity::OfStat(const struct stat &st)
{
    FileIdentity id;
    id.exists = true;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = st.st_size;
    id.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return id;
}

FileIdentity FileIdentity::Of(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return OfStat(st);
}

FileIdentity FileIdentity::OfDescriptor(int fd)
{
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return {};
    return OfStat(st);
}
