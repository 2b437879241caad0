// Makes a folder unwritable for the test's lifetime, also when the tests run
// as root (where permission bits alone do not stop writes).
#pragma once

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <unistd.h>

class ReadOnlyDir
{
public:
    explicit ReadOnlyDir(const QString &path) : path_(path)
    {
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
        if (!Writable())
            return;
        immutable_ = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path_}) == 0;
    }
    ~ReadOnlyDir()
    {
        if (immutable_)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), path_});
        QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    ReadOnlyDir(const ReadOnlyDir &) = delete;
    ReadOnlyDir &operator=(const ReadOnlyDir &) = delete;

    // False when this system offers no way to protect the folder.
    bool Active() const { return !Writable(); }

private:
    bool Writable() const
    {
        const QString probe = path_ + QStringLiteral("/.probe");
        QFile file(probe);
        const bool ok = file.open(QIODevice::WriteOnly);
        if (ok) {
            file.close();
            QFile::remove(probe);
        }
        return ok;
    }

    QString path_;
    bool immutable_ = false;
};
