#include "leftover_saves.h"
#include "recovery_folders.h"
#include "recovery_leftovers.h"
#include "recovery_store.h"
#include "test_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <vector>

namespace {

class RecoveryKillTest : public ::testing::Test
{
protected:
    RecoveryKillTest()
    {
        QDir().mkpath(folder());
        WriteFileBytes(dir.filePath(QStringLiteral("qumoedit.ini")),
                       "[Pre]\nPathName=" + dir.path().toUtf8() + "\n");
    }
    QString folder() const { return dir.filePath(QStringLiteral("recovery")); }

    // `fileLimit`, when not 0, limits the size of the files the child writes.
    void StartChild(const QString &mode, const QStringList &places, const QStringList &more = {},
                    qint64 fileLimit = 0)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (fileLimit != 0)
            environment.insert(QStringLiteral("QUMO_TEST_FILE_LIMIT"), QString::number(fileLimit));
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/recovery_child"),
                    QStringList{mode, places.join(u':'), dir.path()} + more);
        ASSERT_TRUE(child.waitForStarted());
    }
    // The next line the child writes, and when it came.
    QByteArray NextLine(int timeoutMs = 60000)
    {
        while (!child.canReadLine())
            if (!child.waitForReadyRead(timeoutMs))
                return {};
        return child.readLine().trimmed();
    }
    void Kill(int signal)
    {
        ::kill(pid_t(child.processId()), signal);
        ASSERT_TRUE(child.waitForFinished(10000));
    }

    QTemporaryDir dir;
    QProcess child;
};

// Killed at any moment, the copy holds all but at most the last two seconds
// of typing; a termination signal writes everything and ends at once.
TEST_F(RecoveryKillTest, TypingSurvivesAKill)
{
    const struct
    {
        int signal;
        qint64 lossMs; // typing at most this old may be lost
    } rows[] = {{SIGKILL, 2000}, {SIGTERM, 0}, {SIGHUP, 0}, {SIGINT, 0}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.signal);
        StartChild(QStringLiteral("type"), {folder()});
        QElapsedTimer clock;
        std::vector<qint64> typedAt; // when the parent saw key i+1 typed
        while (typedAt.size() < 150) {
            const QByteArray line = NextLine();
            ASSERT_TRUE(line.startsWith("typed")) << line.constData();
            if (typedAt.empty())
                clock.start();
            typedAt.push_back(clock.elapsed());
        }
        const qint64 killedAt = clock.elapsed();
        Kill(row.signal);
        if (row.signal != SIGKILL) {
            EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(child.exitCode(), 128 + row.signal);
        }
        RecoveryLeftovers left = FindRecoveryLeftovers({folder()});
        ASSERT_EQ(left.copies.size(), 1u);
        const std::optional<RecoveryCopy> copy = ReadRecoveryCopy(left.copies[0].copy.file).copy;
        ASSERT_TRUE(copy.has_value());
        const qsizetype kept = copy->text.text.size();
        EXPECT_EQ(copy->text.text, QString(kept, u'x'));
        const auto mustHave = std::count_if(typedAt.begin(), typedAt.end(),
                                            [&](qint64 at) { return at <= killedAt - row.lossMs; });
        EXPECT_GE(kept, mustHave);
        EXPECT_FALSE(copy->state.holdsFile());
        left.copies[0].lock->removeAll();
    }
}

// When the first place takes no copy, the copy goes to the next one and the
// user is told; when none does, a termination signal asks to save instead of
// ending with the text. A full file system is a 64 KiB tmpfs where it can be
// mounted (root), else a limit on the size of the child's files.
TEST_F(RecoveryKillTest, CopiesFallBackOrTheEndAsksToSave)
{
    const QString second = dir.filePath(QStringLiteral("second"));
    const QString foreign = dir.filePath(QStringLiteral("locked/recovery"));
    MakeForeignFolder(foreign);
    const QString real = dir.filePath(QStringLiteral("real"));
    const QString link = dir.filePath(QStringLiteral("link"));
    QDir().mkpath(real);
    ASSERT_EQ(::symlink(QFile::encodeName(real).constData(), QFile::encodeName(link).constData()), 0);
    SmallTmpfs small(dir.filePath(QStringLiteral("small")));
    const QString full = dir.filePath(QStringLiteral("small/recovery"));
    const QString document = dir.filePath(QStringLiteral("doc.txt"));
    WriteFileBytes(document, QByteArray(100000, 'a'));
    struct Row
    {
        const char *name;
        QStringList places;
        bool withDocument; // a copy larger than the small file system
        qint64 fileLimit;
        int signal;
        QString copyIn; // empty: the end asks to save
        QString empty;  // a place that holds no copy after
    };
    std::vector<Row> rows = {
        {"another user's folder", {foreign, second}, false, 0, SIGTERM, second, {}},
        {"a link", {link, second}, false, 0, SIGHUP, second, real},
    };
    if (small.mounted()) {
        rows.push_back({"a full file system", {full, second}, true, 0, SIGTERM, second, full});
        rows.push_back({"nowhere: a full file system", {full}, true, 0, SIGTERM, {}, {}});
    } else {
        rows.push_back({"nowhere: a file-size limit", {second}, true, 65536, SIGTERM, {}, {}});
    }
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QDir(second).removeRecursively();
        StartChild(QStringLiteral("type"), row.places,
                   row.withDocument ? QStringList{document} : QStringList{}, row.fileLimit);
        QByteArray line;
        for (int lines = 0; line != "modal RecoveryPlaceWarning"; ++lines) {
            line = NextLine();
            ASSERT_TRUE(!line.isEmpty() && lines < 1000) << "the user was not told";
        }
        int typed = 0;
        for (int after = 0; after < 30; ++after) {
            line = NextLine();
            ASSERT_TRUE(line.startsWith("typed ")) << line.constData();
            typed = line.mid(6).toInt();
        }
        ::kill(pid_t(child.processId()), row.signal);
        if (row.copyIn.isEmpty()) {
            do
                line = NextLine();
            while (line.startsWith("typed "));
            EXPECT_EQ(line, "modal ConfirmSaveChanges");
            EXPECT_FALSE(child.waitForFinished(1000)) << "ended without asking";
            Kill(SIGKILL);
            continue;
        }
        ASSERT_TRUE(child.waitForFinished(10000));
        EXPECT_EQ(child.exitCode(), 128 + row.signal);
        RecoveryLeftovers left = FindRecoveryLeftovers({row.copyIn});
        ASSERT_EQ(left.copies.size(), 1u);
        const QString text = ReadRecoveryCopy(left.copies[0].copy.file).copy->text.text;
        const qsizetype xs =
            text.indexOf(QLatin1Char('a')) < 0 ? text.size() : text.indexOf(QLatin1Char('a'));
        EXPECT_GE(xs, typed);
        EXPECT_EQ(text.count(u'x'), xs);
        left.copies[0].lock->removeAll();
        struct stat st;
        ASSERT_EQ(::stat(QFile::encodeName(row.copyIn).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << "the second place is private too";
        if (!row.empty.isEmpty()) {
            EXPECT_TRUE(QDir(row.empty).entryList({QStringLiteral("*.qrec")}, QDir::Files).isEmpty());
        }
    }
    FreeForeignFolder(foreign);
}

// Killed while a file with a second hard link is rewritten in place, the
// save leaves a safety copy with the old content, and only once nobody
// holds it is it offered back.
TEST_F(RecoveryKillTest, AnInterruptedInPlaceSaveLeavesTheOldContent)
{
    const QString doc = dir.filePath(QStringLiteral("doc.txt"));
    const QByteArray old =
        QByteArray("0123456789 ABCDEFGHIJ abcdefghij 0123456789 ABCDEFGHIJ\r\n").repeated(600000);
    WriteFileBytes(doc, old);
    ASSERT_EQ(::link(QFile::encodeName(doc).constData(),
                     QFile::encodeName(doc + QStringLiteral(".link")).constData()),
              0);
    StartChild(QStringLiteral("save"), {folder()}, {doc});
    ASSERT_EQ(NextLine(), "saving");
    const QString pattern = QStringLiteral(".doc.txt.qumoedit-safety-*");
    QElapsedTimer waited;
    waited.start();
    while (QDir(dir.path()).entryList({pattern}, QDir::Files | QDir::Hidden).isEmpty() &&
           waited.elapsed() < 30000)
        QThread::usleep(200);
    ASSERT_FALSE(QDir(dir.path()).entryList({pattern}, QDir::Files | QDir::Hidden).isEmpty());
    EXPECT_TRUE(LeftoverSafetyCopies(doc).isEmpty()) << "a running save holds its copy";
    Kill(SIGKILL);
    const QStringList copies = LeftoverSafetyCopies(doc);
    ASSERT_EQ(copies.size(), 1);
    EXPECT_EQ(ReadFileBytes(copies.first()), old);
    struct stat before;
    ASSERT_EQ(::stat(QFile::encodeName(doc).constData(), &before), 0);
    EXPECT_EQ(PutBackSafetyCopy(copies.first(), doc), 0);
    EXPECT_EQ(ReadFileBytes(doc + QStringLiteral(".link")), old) << "the same file, both names";
    struct stat after;
    ASSERT_EQ(::stat(QFile::encodeName(doc).constData(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_TRUE(LeftoverSafetyCopies(doc).isEmpty());
}

} // namespace
