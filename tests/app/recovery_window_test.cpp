#include "crash_recovery.h"
#include "file_identity.h"
#include "form_fixture.h"
#include "recovery_keeper.h"
#include "recovery_store.h"
#include "safe_file_writer.h"
#include "test_files.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <optional>
#include <sys/stat.h>

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
        EXPECT_TRUE(WriteRecoveryCopy(lock.copyFile(), state, recovery).done());
        return lock.copyFile();
    }
    // Copies this window does not take are recorded in `elsewhere`.
    void StartWithRecovery(const QStringList &arguments = {})
    {
        Start(arguments, [this](TForm1 &f) {
            f.crashRecovery().enable(folder());
            f.crashRecovery().setOpenElsewhere([this](const QString &file) { elsewhere << file; });
        });
    }
    // Sets the modification time `seconds` back, so that copies come in order.
    static void Age(const QString &file, int seconds)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTime().addSecs(-seconds), QFileDevice::FileModificationTime);
    }
    QStringList Left() const
    {
        return QDir(folder()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    }
    QString Text() const { return Editor(form)->toPlainText(); }
    bool Modified() const { return Editor(form)->document()->isModified(); }
    // Enter: the default button of a message box or of the list.
    void ClickDefault()
    {
        modals.Then([](QWidget *w) {
            for (QPushButton *button : w->findChildren<QPushButton *>())
                if (button->isDefault())
                    return button->click();
        });
    }

    QStringList elsewhere;
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
            EXPECT_EQ(form->document().path(), path(QStringLiteral("doc.txt")));
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

// Several copies come in one list, oldest first: the ticked ones are restored
// (the first into this new window, each other into an instance of its own) or
// thrown away; the others wait for the next start.
TEST_F(RecoveryWindowTest, SeveralCopiesAreOfferedInOneList)
{
    const struct
    {
        const char *name;
        const char *button;
        bool sure; // asked before throwing away
        QString text;
        QStringList elsewhere;
        QStringList left;
    } rows[] = {
        {"restore", "RestoreButton", false, QStringLiteral("first"), {"b"}, {"b.qrec", "c.qrec"}},
        {"later", "LaterButton", false, {}, {}, {"a.qrec", "b.qrec", "c.qrec"}},
        {"throw away", "DiscardButton", true, {}, {}, {"c.qrec"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        int age = 900;
        for (const char *id : {"a", "b", "c"}) {
            const QString name = QLatin1String(id) + QStringLiteral(".txt");
            WriteFile(name, "on disk");
            Age(LeaveCopy(QLatin1String(id), name, id == QByteArray("a") ? QStringLiteral("first") : name),
                age);
            age -= 300;
        }
        QStringList lines;
        modals.Then([&](QWidget *w) {
            auto *list = w->findChild<QListWidget *>(QStringLiteral("RecoveryCopies"));
            for (int i = 0; i < list->count(); ++i)
                lines << list->item(i)->text();
            list->item(2)->setCheckState(Qt::Unchecked);
            w->findChild<QPushButton *>(QLatin1String(row.button))->click();
        });
        if (row.sure)
            modals.ThenClick(QMessageBox::Yes);
        StartWithRecovery();
        ASSERT_TRUE(modals.allAnswered());
        EXPECT_EQ(modals.seen().front().objectName, QStringLiteral("RecoveryList"));
        ASSERT_EQ(lines.size(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_TRUE(lines[i].startsWith(path(QChar(u'a' + i) + QStringLiteral(".txt"))));
        EXPECT_EQ(Text(), row.text);
        QStringList expected;
        for (const QString &id : row.elsewhere)
            expected << folder() + u'/' + id + QStringLiteral(".qrec");
        EXPECT_EQ(elsewhere, expected);
        form.reset();
        EXPECT_EQ(Left(), row.left) << "no lock is left beside a copy";
        QDir(folder()).removeRecursively();
        QDir().mkpath(folder());
        elsewhere.clear();
        modals.Reset();
    }
}

// The copy of the document named on the command line (the newest, when it
// left several) restores into its window; other copies go elsewhere.
TEST_F(RecoveryWindowTest, TheCopyOfThisWindowsDocumentRestoresIntoIt)
{
    WriteFile(QStringLiteral("doc.txt"), "on disk");
    WriteFile(QStringLiteral("other.txt"), "other");
    const struct
    {
        const char *name;
        QStringList copies; // of these files, oldest first; the text is the file's name and number
        QString text;
        QList<int> elsewhere;
    } rows[] = {
        {"its own copy", {"doc.txt"}, QStringLiteral("doc.txt 0"), {}},
        {"another document's copy", {"other.txt"}, QStringLiteral("on disk"), {0}},
        {"both", {"other.txt", "doc.txt"}, QStringLiteral("doc.txt 1"), {0}},
        {"two of its own", {"doc.txt", "doc.txt"}, QStringLiteral("doc.txt 1"), {0}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QStringList expected;
        for (int i = 0; i < row.copies.size(); ++i) {
            const QString text = row.copies[i] + QStringLiteral(" %1").arg(i);
            const QString copy = LeaveCopy(QString::number(i), row.copies[i], text);
            Age(copy, 600 - 100 * i);
            if (row.elsewhere.contains(i))
                expected << copy;
        }
        ClickDefault();
        StartWithRecovery({path(QStringLiteral("doc.txt"))});
        ASSERT_TRUE(modals.allAnswered());
        EXPECT_EQ(Text(), row.text);
        EXPECT_EQ(form->document().path(), path(QStringLiteral("doc.txt")));
        EXPECT_EQ(elsewhere, expected);
        form.reset();
        QDir(folder()).removeRecursively();
        QDir().mkpath(folder());
        elsewhere.clear();
        modals.Reset();
    }
}

// Copies that cannot be read are named together, once, and deleted (a link,
// not what it names) or left as they are.
TEST_F(RecoveryWindowTest, UnreadableCopiesAreNamedTogether)
{
    for (const bool remove : {false, true}) {
        SCOPED_TRACE(remove ? "削除" : "残す");
        const QString open = LeaveCopy(QStringLiteral("open"), QStringLiteral("a.txt"), QStringLiteral("a"));
        ::chmod(QFile::encodeName(open).constData(), 0644);
        const QString link = folder() + QStringLiteral("/link.qrec");
        ASSERT_EQ(::symlink("/dev/zero", QFile::encodeName(link).constData()), 0);
        if (remove) {
            modals.Then([](QWidget *w) {
                auto *box = static_cast<QMessageBox *>(w);
                for (QAbstractButton *button : box->buttons())
                    if (button->text() == QStringLiteral("削除"))
                        button->click();
            });
        } else {
            ClickDefault();
        }
        StartWithRecovery();
        ASSERT_TRUE(modals.allAnswered());
        ASSERT_EQ(modals.seen().size(), 1u);
        EXPECT_EQ(modals.seen()[0].objectName, QStringLiteral("UnreadableCopies"));
        EXPECT_TRUE(modals.seen()[0].text.contains(link + QStringLiteral(": シンボリックリンクです")));
        EXPECT_TRUE(
            modals.seen()[0].text.contains(open + QStringLiteral(": ほかのユーザーも読めるファイルです")));
        form.reset();
        EXPECT_EQ(Left(), (remove ? QStringList{} : QStringList{"link.qrec", "open.qrec"}));
        EXPECT_TRUE(QFileInfo::exists(QStringLiteral("/dev/zero")));
        QDir(folder()).removeRecursively();
        QDir().mkpath(folder());
        modals.Reset();
    }
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
