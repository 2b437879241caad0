#include "crash_recovery.h"
#include "file_identity.h"
#include "form_fixture.h"
#include "recovery_keeper.h"
#include "recovery_store.h"
#include "safe_file_writer.h"
#include "test_files.h"

#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <optional>

namespace {

class RecoveryWindowTest : public FormTest
{
protected:
    RecoveryWindowTest()
    {
        QDir().mkpath(folder());
        WriteIni("[Pre]\nPathName=" + dir_.path().toUtf8() + "\n");
    }
    QString folder() const { return path(QStringLiteral("recovery")); }

    // A copy left by an instance that ended, for the file `name`.
    QString LeaveCopy(const QString &id, const QString &name, const QString &text)
    {
        RecoveryLock lock(folder(), id);
        const DocumentState state{path(name), FileIdentity::Of(path(name)), {}, false, {}};
        RecoveryText recovery{text, QByteArray(text.count(QChar::ParagraphSeparator) + 1, char(-1))};
        EXPECT_TRUE(WriteRecoveryCopy(lock.copyFile(), state, recovery));
        return lock.copyFile();
    }
    void StartWithRecovery(const QStringList &arguments = {})
    {
        Start(arguments, [this](TForm1 &f) { f.crashRecovery().enable(folder()); });
    }
    QString Text() const { return Editor(form)->toPlainText(); }
    bool Modified() const { return Editor(form)->document()->isModified(); }
    void ClickDefault()
    {
        modals.Then([](QWidget *w) { static_cast<QMessageBox *>(w)->defaultButton()->click(); });
    }
};

// A copy another instance handed over with --recover is restored without a question, unless its
// writer still runs; once this instance's copy holds the text, the handed-over one goes.
TEST_F(RecoveryWindowTest, AHandedOverCopyIsRestoredWithoutAQuestion)
{
    WriteFile(QStringLiteral("doc.txt"), QByteArray("on disk\r\n"));
    for (const bool writerRuns : {false, true}) {
        SCOPED_TRACE(writerRuns ? "its writer still runs" : "its writer ended");
        const QString copy =
            LeaveCopy(QStringLiteral("ended"), QStringLiteral("doc.txt"), QStringLiteral("handed\u2029over"));
        std::optional<RecoveryLock> writer;
        if (writerRuns)
            writer.emplace(folder(), QStringLiteral("ended"));
        Start({}, [&](TForm1 &f) {
            f.crashRecovery().enable(folder());
            f.crashRecovery().setHandedOverCopy(copy);
        });
        EXPECT_TRUE(modals.seen().empty());
        EXPECT_EQ(Text(), writerRuns ? QString() : QStringLiteral("handed\nover"));
        EXPECT_EQ(Modified(), !writerRuns);
        EXPECT_EQ(QFileInfo::exists(copy), writerRuns);
        writer.reset();
        form.reset();
        QFile::remove(copy);
    }
}

TEST_F(RecoveryWindowTest, TheStartOffersACopyAndTheDefaultAnswerRestoresIt)
{
    const QByteArray disk("on disk\r\n");
    WriteFile(QStringLiteral("doc.txt"), disk);
    const struct
    {
        const char *name;
        std::vector<QMessageBox::StandardButton> answers; // none: the default button
        bool restored;
        bool copyKept;
    } rows[] = {
        {"default", {}, true, false},
        {"discard, sure", {QMessageBox::Discard, QMessageBox::Yes}, false, false},
        {"discard, not sure", {QMessageBox::Discard, QMessageBox::No}, false, true},
        {"later", {QMessageBox::Cancel}, false, true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString copy = LeaveCopy(QStringLiteral("ended"), QStringLiteral("doc.txt"),
                                       QStringLiteral("recovered\u2029text"));
        const QString madeAt = QFileInfo(copy).lastModified().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
        if (row.answers.empty())
            ClickDefault();
        for (const auto answer : row.answers)
            modals.ThenClick(answer);
        StartWithRecovery();
        ASSERT_TRUE(modals.allAnswered());
        const auto &seen = modals.seen();
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.front().objectName, QStringLiteral("RecoveryQuestion"));
        EXPECT_EQ(seen.front().text, path(QStringLiteral("doc.txt")) +
                                         QStringLiteral("の保存されていない変更（") + madeAt +
                                         QStringLiteral("）を復元しますか？"));
        EXPECT_EQ(Text(), row.restored ? QStringLiteral("recovered\ntext") : QString());
        EXPECT_EQ(Modified(), row.restored);
        EXPECT_EQ(QFileInfo::exists(copy), row.copyKept);
        EXPECT_EQ(ReadFile(QStringLiteral("doc.txt")), disk) << "the file waits for a save";
        if (row.restored) {
            EXPECT_EQ(form->document().path, path(QStringLiteral("doc.txt")));
            ASSERT_TRUE(form->crashRecovery().keeper()->flush());
            EXPECT_TRUE(QFileInfo::exists(form->crashRecovery().keeper()->copyFile()))
                << "a copy of this instance holds it";
        }
        // Later answers leave the copy for the next row to replace.
        form.reset();
        QFile::remove(copy);
        modals.Reset();
    }
}

TEST_F(RecoveryWindowTest, SeveralCopiesAreOfferedOneAfterAnother)
{
    WriteFile(QStringLiteral("a.txt"), "a");
    WriteFile(QStringLiteral("b.txt"), "b");
    const QString older =
        LeaveCopy(QStringLiteral("older"), QStringLiteral("a.txt"), QStringLiteral("first"));
    const QString newer =
        LeaveCopy(QStringLiteral("newer"), QStringLiteral("b.txt"), QStringLiteral("second"));
    QFile file(older);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addSecs(-600), QFileDevice::FileModificationTime);
    file.close();
    ClickDefault();
    modals.ThenClick(QMessageBox::Cancel);
    StartWithRecovery();
    ASSERT_TRUE(modals.allAnswered());
    ASSERT_EQ(modals.seen().size(), 2u);
    EXPECT_TRUE(modals.seen()[0].text.startsWith(path(QStringLiteral("a.txt"))));
    EXPECT_TRUE(modals.seen()[1].text.startsWith(path(QStringLiteral("b.txt"))));
    EXPECT_EQ(Text(), QStringLiteral("first"));
    EXPECT_FALSE(QFileInfo::exists(older));
    EXPECT_TRUE(QFileInfo::exists(newer));
}

TEST_F(RecoveryWindowTest, SavingTheCopyOfAFileChangedSinceAsksAndThenDropsTheCopy)
{
    WriteFile(QStringLiteral("doc.txt"), "as the lost instance read it\r\n");
    LeaveCopy(QStringLiteral("ended"), QStringLiteral("doc.txt"), QStringLiteral("recovered"));
    WriteFile(QStringLiteral("doc.txt"), "changed by another program since\r\n");
    ClickDefault();
    modals.ThenClick(QMessageBox::Yes);
    StartWithRecovery();
    ASSERT_TRUE(form->crashRecovery().keeper()->flush());
    ASSERT_TRUE(QFileInfo::exists(form->crashRecovery().keeper()->copyFile()));
    form->SSButton4Click();
    ASSERT_EQ(modals.seen().size(), 2u);
    EXPECT_EQ(modals.seen()[1].objectName, QStringLiteral("ChangedOnDiskQuestion"));
    EXPECT_EQ(ReadFile(QStringLiteral("doc.txt")), "recovered");
    ASSERT_TRUE(form->crashRecovery().keeper()->flush());
    EXPECT_FALSE(QFileInfo::exists(form->crashRecovery().keeper()->copyFile())) << "saved: no copy needed";
}

TEST_F(RecoveryWindowTest, ClosingWithNoDropsTheCopy)
{
    StartWithRecovery();
    Editor(form)->insertPlainText(QStringLiteral("typed"));
    ASSERT_TRUE(form->crashRecovery().keeper()->flush());
    const QString copy = form->crashRecovery().keeper()->copyFile();
    ASSERT_TRUE(QFileInfo::exists(copy));
    modals.ThenClick(QMessageBox::No);
    ASSERT_TRUE(CloseWindow());
    form.reset();
    EXPECT_FALSE(QFileInfo::exists(copy));
}

TEST_F(RecoveryWindowTest, OpeningAFileAnInterruptedSaveLeftOffersItsSafetyCopy)
{
    const QString cacheFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/qumoedit/");
    const QString cache = cacheFolder + CachedSafetyCopyPrefix(path(QStringLiteral("doc.txt"))) + "Ab12Cd";
    const QString beside = path(QStringLiteral(".doc.txt.qumoedit-safety-Ab12Cd"));
    const struct
    {
        const char *name;
        QString copy;
        QMessageBox::StandardButton answer;
        QByteArray file;
        bool copyLeft;
    } rows[] = {
        {"put back", beside, QMessageBox::Yes, "old content\r\n", false},
        {"remove the copy", beside, QMessageBox::Discard, "new, half writ", false},
        {"not now", beside, QMessageBox::No, "new, half writ", true},
        {"put back from the cache", cache, QMessageBox::Yes, "old content\r\n", false},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        WriteFile(QStringLiteral("doc.txt"), "new, half writ");
        QDir().mkpath(QFileInfo(row.copy).absolutePath());
        WriteFileBytes(row.copy, "old content\r\n");
        WriteFile(QStringLiteral(".doc.txt.qumoedit-Zz98Yx"), "an unfinished new file");
        modals.ThenClick(row.answer);
        StartWithRecovery({path(QStringLiteral("doc.txt"))});
        ASSERT_EQ(modals.seen().size(), 1u);
        EXPECT_EQ(modals.seen()[0].objectName, QStringLiteral("SafetyCopyQuestion"));
        EXPECT_TRUE(modals.seen()[0].text.contains(QStringLiteral("14 バイト")));
        EXPECT_TRUE(modals.seen()[0].text.contains(QStringLiteral("13 バイト")));
        EXPECT_EQ(ReadFile(QStringLiteral("doc.txt")), row.file);
        EXPECT_EQ(QFileInfo::exists(row.copy), row.copyLeft);
        QFile::remove(row.copy);
        EXPECT_FALSE(QFileInfo::exists(path(QStringLiteral(".doc.txt.qumoedit-Zz98Yx"))));
        form.reset();
        modals.Reset();
    }
    // A file of the same name in another folder left its copy: it is not this file's.
    const QString other =
        cacheFolder + CachedSafetyCopyPrefix(QStringLiteral("/elsewhere/doc.txt")) + "Ef34Gh";
    WriteFileBytes(other, "another file's content");
    WriteFile(QStringLiteral("doc.txt"), "new, half writ");
    StartWithRecovery({path(QStringLiteral("doc.txt"))});
    EXPECT_TRUE(modals.seen().empty());
    EXPECT_EQ(ReadFile(QStringLiteral("doc.txt")), "new, half writ");
    EXPECT_TRUE(QFile::remove(other));
}

} // namespace
