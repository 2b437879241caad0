#include "leftover_saves.h"
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

    void StartChild(const QStringList &arguments)
    {
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/recovery_child"),
                    QStringList{arguments[0], folder(), dir.path()} + arguments.mid(1));
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
        StartChild({QStringLiteral("type")});
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
        const QStringList copies = OrphanedRecoveryCopies(folder());
        ASSERT_EQ(copies.size(), 1);
        const std::optional<RecoveryCopy> copy = ReadRecoveryCopy(copies.first());
        ASSERT_TRUE(copy.has_value());
        const qsizetype kept = copy->text.text.size();
        EXPECT_EQ(copy->text.text, QString(kept, u'x'));
        const auto mustHave = std::count_if(typedAt.begin(), typedAt.end(),
                                            [&](qint64 at) { return at <= killedAt - row.lossMs; });
        EXPECT_GE(kept, mustHave);
        EXPECT_FALSE(copy->state.holdsFile());
        QFile::remove(copies.first());
    }
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
    StartChild({QStringLiteral("save"), doc});
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
