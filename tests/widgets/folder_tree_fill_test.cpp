// A folder of more files than the tree adds in one turn of the event loop:
// every row arrives once, in order, and changes made while it fills are kept.
#include "folder_tree_test_support.h"

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

using namespace folder_tree_test;

namespace {

using FolderTreeView = TreeFixture;

constexpr int Files = 2500; // more rows than one turn adds

// "f1.txt" to "f<count>.txt" in natural order: "f2.txt" before "f10.txt".
QStringList numbered(int count)
{
    QStringList names;
    for (int i = 1; i <= count; ++i)
        names.append(QStringLiteral("f%1.txt").arg(i));
    return names;
}

// A folder of `count` numbered files, two folders, a hidden file and one other file.
void makeBigFolder(const QString &folder, int count)
{
    makeTree(folder, {QStringLiteral("sub10/"), QStringLiteral("sub2/"), QStringLiteral("notes.md"),
                      QStringLiteral(".hidden.txt")});
    for (const QString &name : numbered(count)) {
        QFile file(folder + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
}

class FolderTreeFill : public TreeFixture
{
protected:
    // Made once: thousands of files take the file system a while.
    static void SetUpTestSuite()
    {
        shared = new QTemporaryDir;
        makeBigFolder(shared->filePath(QStringLiteral("big")), Files);
    }
    static void TearDownTestSuite() { delete std::exchange(shared, nullptr); }

    void SetUp() override
    {
        TreeFixture::SetUp();
        tree.setRootFolderName(shared->path());
    }

    QString bigPath(const QString &name = QString()) const
    {
        return shared->filePath(QStringLiteral("big")) +
               (name.isEmpty() ? QString() : QLatin1Char('/') + name);
    }

    // The captions below the big folder once `count` have arrived.
    QStringList bigRows(int count) { return names(tree, QPersistentModelIndex(node(bigPath())), count); }

    static inline QTemporaryDir *shared = nullptr;
};
} // namespace

TEST_F(FolderTreeFill, EveryRowArrivesOnceSortedAndFiltered)
{
    const QStringList folders{QStringLiteral("sub2"), QStringLiteral("sub10")};
    const QStringList all = numbered(Files) << QStringLiteral("notes.md");
    const struct
    {
        bool filesFirst;
        QStringList mask;
        bool hidden;
        QStringList expected; // without the hidden file, whose place is the collation's
    } cases[] = {
        {false, {}, true, folders + all},
        {true, {}, true, all + folders},
        {false, {QStringLiteral(".txt")}, false, folders + numbered(Files)},
        {true, {QStringLiteral("MD")}, true, QStringList{QStringLiteral("notes.md")} + folders},
    };
    for (const auto &c : cases) {
        tree.setInfoViewSort(c.filesFirst);
        tree.setFileMask(c.mask);
        tree.setShowIncludeHidden(c.hidden);
        const QAbstractItemModelTester tester(tree.model(),
                                              QAbstractItemModelTester::FailureReportingMode::Fatal);
        const bool hiddenShown = c.hidden && (c.mask.isEmpty() || c.mask.contains(QStringLiteral(".txt")));
        QStringList shown = bigRows(int(c.expected.size()) + (hiddenShown ? 1 : 0));
        EXPECT_EQ(shown.removeAll(QStringLiteral(".hidden.txt")), hiddenShown ? 1 : 0);
        EXPECT_EQ(shown, c.expected) << c.filesFirst << ' ' << c.mask.join(' ').toStdString();
    }
}

TEST_F(FolderTreeFill, FilesSelectedBeforeAndWhileTheFolderFillsAppearOnce)
{
    // Before the folder is read: its node is made on the spot.
    ASSERT_TRUE(tree.SetSelected(bigPath(QStringLiteral("f1500.txt"))));
    const QPersistentModelIndex big(node(bigPath()));
    // While it fills: the first turn's rows are in, the last file is still to come.
    // One event at a time, so that the check runs between two turns; the timer bounds each wait.
    QTimer wake;
    wake.start(100);
    QElapsedTimer waited;
    waited.start();
    while (tree.model()->rowCount(big) < 2 && waited.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ASSERT_LT(tree.model()->rowCount(big), Files) << "the folder filled in one turn";
    ASSERT_TRUE(tree.SetSelected(bigPath(QStringLiteral("f2500.txt"))));
    const QStringList shown = bigRows(Files + 4);
    EXPECT_EQ(shown.count(QStringLiteral("f1500.txt")), 1);
    EXPECT_EQ(shown.count(QStringLiteral("f2500.txt")), 1);
    EXPECT_EQ(shown.size(), Files + 4);
    EXPECT_EQ(tree.currentIndex().data().toString(), QStringLiteral("f2500.txt"));
}

TEST_F(FolderTreeView, ChangesWhileAFolderFillsAreKept)
{
    constexpr int files = 300;
    makeBigFolder(path("big"), files);
    const QPersistentModelIndex big(node(path("big")));
    tree.expand(big);
    WriteFileBytes(path("big/late.txt"), "late");
    ASSERT_TRUE(QFile::remove(path("big/f7.txt")));
    ASSERT_TRUE(QDir(path("big")).rename(QStringLiteral("sub2"), QStringLiteral("sub3")));
    const QAbstractItemModel *model = tree.model();
    const auto rows = [&] {
        QStringList captions;
        for (int row = 0; row < model->rowCount(big); ++row)
            captions.append(model->index(row, 0, big).data().toString());
        return captions;
    };
    EXPECT_TRUE(waitFor([&] {
        const QStringList now = rows();
        return now.size() == files + 4 && now.contains(QStringLiteral("late.txt")) &&
               now.contains(QStringLiteral("sub3"));
    }));
    const QStringList shown = rows();
    EXPECT_FALSE(shown.contains(QStringLiteral("f7.txt")));
    EXPECT_FALSE(shown.contains(QStringLiteral("sub2")));
    EXPECT_EQ(shown.mid(0, 2), (QStringList{QStringLiteral("sub3"), QStringLiteral("sub10")}));
}
