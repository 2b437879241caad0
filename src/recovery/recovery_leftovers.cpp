#include "recovery_leftovers.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <algorithm>
#include <cstdio>
#include <sys/stat.h>

namespace {

const QString CopySuffix = QStringLiteral(".qrec");
const QString NewSuffix = QStringLiteral(".qrec.new");
const QString LockSuffix = QStringLiteral(".lock");

bool Exists(const QString &file)
{
    struct stat st;
    return ::lstat(QFile::encodeName(file).constData(), &st) == 0;
}

// The ids of the copies, unfinished copies and locks in `folder`.
QStringList Ids(const QString &folder)
{
    QSet<QString> ids;
    const QStringList names =
        QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        for (const QString &suffix : {NewSuffix, CopySuffix, LockSuffix}) {
            if (name.endsWith(suffix) && name.size() > suffix.size()) {
                ids.insert(name.chopped(suffix.size()));
                break;
            }
        }
    }
    return ids.values();
}

// A whole copy written to its end but not renamed yet is the newest copy;
// one cut short holds nothing.
void FinishOrRemoveNewCopy(const QString &copyFile)
{
    const QString fresh = copyFile + QStringLiteral(".new");
    if (!Exists(fresh))
        return;
    const RecoveryRead read = ReadRecoveryCopy(fresh);
    const QByteArray from = QFile::encodeName(fresh);
    if (!read.copy || read.copy->torn ||
        std::rename(from.constData(), QFile::encodeName(copyFile).constData()) != 0)
        ::unlink(from.constData());
}

} // namespace

RecoveryLeftovers FindRecoveryLeftovers(const QStringList &folders)
{
    RecoveryLeftovers found;
    for (const QString &folder : folders) {
        for (const QString &id : Ids(folder)) {
            auto lock = std::make_unique<RecoveryLock>(folder, id);
            if (!lock->held())
                continue; // its instance runs, or nothing here can be changed
            FinishOrRemoveNewCopy(lock->copyFile());
            RecoveryRead read = ReadRecoveryCopy(lock->copyFile());
            if (read.copy) {
                read.copy->text = {};
                read.copy->state.keptSource = {};
                found.copies.push_back({std::move(*read.copy), std::move(lock)});
            } else if (!read.refused.isEmpty()) {
                found.unreadable.push_back({lock->copyFile(), read.refused});
                lock->letGo();
            } else {
                lock->removeAll();
            }
        }
    }
    std::stable_sort(found.copies.begin(), found.copies.end(),
                     [](const LeftCopy &a, const LeftCopy &b) { return a.copy.madeAt < b.copy.madeAt; });
    std::sort(found.unreadable.begin(), found.unreadable.end(),
              [](const UnreadableCopy &a, const UnreadableCopy &b) { return a.file < b.file; });
    return found;
}
