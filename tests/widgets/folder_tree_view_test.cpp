#include "folder_places.h"
#include "folder_tree_test_support.h"

#include <QPointer>
#include <QSignalSpy>
#include <QStandardPaths>

using namespace folder_tree_test;

namespace {

using FolderTreeView = TreeFixture;

QModelIndex top(const QTreeView &tree, int row = 0)
{
    return tree.model()->index(row, 0, tree.rootIndex());
}

} // namespace

TEST(FolderTreeDefaults, PropertiesOfANewTree)
{
    TFolderTreeViewEx fresh;
    const std::pair<const char *, QVariant> initial[] = {
        {"AutoUpDate", true},
        {"ContextMenu", true},
        {"DragAndDrop", true},
        {"FileMask", QStringList()},
        {"InfoViewSort", false},
        {"SelectedDir", QVariant::fromValue(sdNone)},
        {"ShellRun", false},
        {"ShowFile", false},
        {"ShowRootFolder", true},
        {"ShowIncludeHidden", true},
        {"RootFolder", QVariant::fromValue(rfDrives)},
        {"RootFolderName", QString()},
    };
    for (const auto &[name, value] : initial)
        EXPECT_EQ(fresh.property(name), value) << name;
    EXPECT_EQ(fresh.size(), QSize(153, 185));
    EXPECT_EQ(fresh.editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_FALSE(fresh.accessibleName().isEmpty());
    // The computer's node on top, the drives below it.
    ASSERT_EQ(fresh.model()->rowCount(), 1);
    QString path;
    EXPECT_FALSE(fresh.GetPathFromNode(top(fresh), path));
    const QStringList drives = fresh.RootPaths();
    EXPECT_EQ(drives.first(), QStringLiteral("/"));
    for (const QString &drive : drives)
        EXPECT_TRUE(FolderPlaces::Drives().contains(drive)) << drive.toStdString();
    EXPECT_EQ(fresh.model()->rowCount(top(fresh)), drives.size());
}

TEST(FolderTreeDefaults, ThePaneShowsTheDrivesAtTheTopAndFindsATemporaryFile)
{
    QTemporaryDir dir;
    WriteFileBytes(dir.filePath(QStringLiteral("page.htm")), "x");
    TFolderTreeViewEx tree;
    tree.setShowFile(true);
    tree.setShellRun(true);
    tree.setRootIsDecorated(false);
    tree.setShowRootFolder(false);
    const QStringList drives = FolderPlaces::Drives();
    ASSERT_EQ(tree.model()->rowCount(), tree.RootPaths().size());
    QString first;
    ASSERT_TRUE(tree.GetPathFromNode(top(tree), first));
    EXPECT_EQ(first, QStringLiteral("/"));
    EXPECT_FALSE(drives.contains(QStringLiteral("/proc")));
    EXPECT_TRUE(tree.SetSelected(dir.filePath(QStringLiteral("page.htm"))));
    QString selected;
    ASSERT_TRUE(tree.GetPathFromNode(tree.currentIndex(), selected));
    EXPECT_EQ(selected, dir.filePath(QStringLiteral("page.htm")));
    EXPECT_FALSE(tree.SetSelected(QStringLiteral("/no such folder/page.htm")));
    EXPECT_EQ(tree.currentIndex().data().toString(), QStringLiteral("page.htm"));
}

TEST_F(FolderTreeView, RootFolderNodeOnTopThenItsContentsFoldersFirst)
{
    ASSERT_EQ(tree.model()->rowCount(), 1);
    EXPECT_EQ(top(tree).data().toString(), QStringLiteral("site"));
    EXPECT_TRUE(tree.isExpanded(top(tree)));
    EXPECT_EQ(names(tree, top(tree), 8).mid(0, 3),
              (QStringList{QStringLiteral(".cache"), QStringLiteral("docs"), QStringLiteral("empty")}));

    tree.setShowFile(false); // a manual root with files keeps its node, so files go first
    tree.setShowRootFolder(false);
    EXPECT_EQ(names(tree, tree.rootIndex(), 3),
              (QStringList{QStringLiteral(".cache"), QStringLiteral("docs"), QStringLiteral("empty")}));
}

TEST_F(FolderTreeView, RebuildsOnlyForPropertiesThatShapeTheTree)
{
    const struct
    {
        const char *name;
        QVariant value;
        bool rebuilds;
    } cases[] = {
        {"AutoUpDate", false, false},
        {"ContextMenu", false, false},
        {"DragAndDrop", false, false},
        {"ShellRun", true, false},
        {"SelectedDir", QVariant::fromValue(sdSystem), false}, // only with rfDrives
        {"ShowFile", true, false},                             // already on
        {"FileMask", QStringList{QStringLiteral(".htm")}, true},
        {"InfoViewSort", true, true},
        {"ShowIncludeHidden", false, true},
        {"RootFolderName", QString(root + QStringLiteral("/docs")), true},
        {"ShowFile", false, true},
        {"ShowRootFolder", false, true},
        {"RootFolder", QVariant::fromValue(rfDrives), true},
        {"SelectedDir", QVariant::fromValue(sdCurrent), true},
        {"RootFolderName", root, false}, // not rfManual now
    };
    for (const auto &c : cases) {
        // Guarded: a rebuilt model could be made at the address of the one it replaced.
        const QPointer<QAbstractItemModel> before(tree.model());
        ASSERT_TRUE(tree.setProperty(c.name, c.value)) << c.name;
        EXPECT_EQ(tree.property(c.name), c.value) << c.name;
        EXPECT_EQ(before.isNull() || tree.model() != before.data(), c.rebuilds) << c.name;
    }
}

TEST_F(FolderTreeView, FileMaskMatchesExtensionsWhateverTheirCase)
{
    const struct
    {
        QStringList mask;
        QStringList files;
    } cases[] = {
        {{}, {".secret.txt", "a.txt", "index.htm", "Photo.JPG", "style.css"}},
        {{".htm"}, {"index.htm"}},
        {{".HTM", ".Css"}, {"index.htm", "style.css"}},
        {{"jpg"}, {"Photo.JPG"}},
        {{".txt"}, {".secret.txt", "a.txt"}},
        {{".ht"}, {}},
    };
    for (const auto &c : cases) {
        tree.setFileMask(c.mask);
        QStringList shown = names(tree, top(tree), 3 + c.files.size()).mid(3);
        shown.sort(Qt::CaseInsensitive);
        EXPECT_EQ(shown, c.files) << c.mask.join(' ').toStdString();
    }
    EXPECT_FALSE(tree.SetSelected(path(QStringLiteral("style.css"))));
    EXPECT_TRUE(tree.SetSelected(path(QStringLiteral("docs"))));
}

TEST_F(FolderTreeView, InfoViewSortPutsFilesBeforeFolders)
{
    tree.setShowRootFolder(true);
    tree.setInfoViewSort(true);
    const QStringList shown = names(tree, top(tree), 8);
    EXPECT_EQ(shown.mid(5),
              (QStringList{QStringLiteral(".cache"), QStringLiteral("docs"), QStringLiteral("empty")}));
    tree.setShowFile(false); // files first means nothing without files
    EXPECT_EQ(names(tree, top(tree), 3).first(), QStringLiteral(".cache"));
}

TEST_F(FolderTreeView, HiddenItemsOnlyWhenIncluded)
{
    tree.setShowIncludeHidden(false);
    const QStringList shown = names(tree, top(tree), 6);
    EXPECT_FALSE(shown.contains(QStringLiteral(".cache")));
    EXPECT_FALSE(shown.contains(QStringLiteral(".secret.txt")));
    EXPECT_FALSE(tree.SetSelected(path(QStringLiteral(".cache"))));
    tree.setShowIncludeHidden(true);
    EXPECT_TRUE(node(path(QStringLiteral(".secret.txt"))).isValid());
}

TEST_F(FolderTreeView, SetSelectedInsideAndOutsideTheRoot)
{
    const struct
    {
        QString path;
        bool found;
    } cases[] = {
        {path(QStringLiteral("docs/c.html")), true},
        {path(QStringLiteral("docs/")), true},
        {root, true}, // the root's own node
        {path(QStringLiteral("docs/missing.html")), false},
        {dir.path(), false},
        {QStringLiteral("/no/such/place"), false},
        {QString(), false},
    };
    ASSERT_TRUE(tree.SetSelected(path(QStringLiteral("a.txt"))));
    for (const auto &c : cases) {
        const QModelIndex before = tree.currentIndex();
        EXPECT_EQ(tree.SetSelected(c.path), c.found) << c.path.toStdString();
        QString selected;
        tree.GetPathFromNode(tree.currentIndex(), selected);
        if (c.found)
            EXPECT_EQ(selected, QDir::cleanPath(c.path));
        else
            EXPECT_EQ(tree.currentIndex(), before) << c.path.toStdString();
    }
    // The root has no node of its own without ShowRootFolder.
    tree.setShowFile(false);
    tree.setShowRootFolder(false);
    EXPECT_FALSE(tree.SetSelected(root));
    EXPECT_TRUE(tree.SetSelected(path(QStringLiteral("docs"))));
    EXPECT_TRUE(tree.isExpanded(tree.currentIndex().parent()) || !tree.currentIndex().parent().isValid());
}

TEST_F(FolderTreeView, ShowRootFolderRefusals)
{
    tree.setShowRootFolder(false); // manual root with files
    EXPECT_TRUE(tree.ShowRootFolder());
    tree.setShowFile(false);
    tree.setShowRootFolder(false);
    EXPECT_FALSE(tree.ShowRootFolder());

    for (const TRootFolder virtualRoot : {rf_Controls, rf_Bitbucket, rf_Printers}) {
        tree.setRootFolder(rfDesktop);
        tree.setShowRootFolder(false);
        tree.setRootFolder(virtualRoot);
        EXPECT_TRUE(tree.ShowRootFolder()) << virtualRoot;
        tree.setShowRootFolder(false);
        EXPECT_TRUE(tree.ShowRootFolder()) << virtualRoot;
        QModelIndex found;
        EXPECT_FALSE(tree.SetSelectedFolder(QDir::homePath(), false, &found, true)) << virtualRoot;
    }
}

TEST_F(FolderTreeView, ClickReportsThePathOfTheClickedNode)
{
    QSignalSpy clicks(&tree, &TFolderTreeViewEx::OnClick);
    QSignalSpy changes(&tree, &TFolderTreeViewEx::OnChange);
    const QString cases[] = {path(QStringLiteral("docs/b.txt")), path(QStringLiteral("docs")), root};
    for (const QString &target : cases) {
        const QModelIndex at = node(target);
        ASSERT_TRUE(at.isValid()) << target.toStdString();
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualRect(at).center());
        ASSERT_FALSE(clicks.isEmpty());
        EXPECT_EQ(clicks.takeLast().at(1).toString(), target);
        EXPECT_EQ(changes.last().at(1).toString(), target);
    }
    // Empty space is no click on a node: the last file is not sent again.
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(390, 590));
    EXPECT_TRUE(clicks.isEmpty());
}

TEST_F(FolderTreeView, DoubleClickRunsFilesOnlyWithShellRunAndShowFile)
{
    QSignalSpy doubles(&tree, &TFolderTreeViewEx::OnDblClick);
    const struct
    {
        bool shellRun;
        QString target;
        bool runs;
    } cases[] = {
        {true, path(QStringLiteral("index.htm")), true},
        {true, path(QStringLiteral("empty")), false},
        {false, path(QStringLiteral("a.txt")), false},
    };
    for (const auto &c : cases) {
        tree.setShellRun(c.shellRun);
        opened.clear();
        const QModelIndex at = node(c.target);
        QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, tree.visualRect(at).center());
        EXPECT_EQ(doubles.takeLast().at(1).toString(), c.target);
        EXPECT_EQ(opened, c.runs ? QList<QUrl>{QUrl::fromLocalFile(c.target)} : QList<QUrl>())
            << c.target.toStdString();
    }
    // An opener that fails is reported.
    tree.setShellRun(true);
    tree.setOpener([](const QUrl &) { return false; });
    QTest::mouseDClick(tree.viewport(), Qt::LeftButton, {}, tree.visualRect(node(path("a.txt"))).center());
    EXPECT_EQ(messages.size(), 1);
}

TEST(FolderPlaces, RootsMapToXdgFoldersOrHome)
{
    QTemporaryDir home;
    QDir(home.path()).mkpath(QStringLiteral("config/autostart"));
    QDir(home.path()).mkpath(QStringLiteral("Vorlagen"));
    WriteFileBytes(home.filePath(QStringLiteral("config/user-dirs.dirs")),
                   "XDG_TEMPLATES_DIR=\"" + home.filePath(QStringLiteral("Vorlagen")).toUtf8() + "\"\n");
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    const std::pair<TRootFolder, QString> cases[] = {
        {rfStartup, home.filePath(QStringLiteral("config/autostart"))},
        {rfAppdata, home.filePath(QStringLiteral("config"))},
        {rfTemplates, home.filePath(QStringLiteral("Vorlagen"))},
        {rfFavorites, QDir::homePath()},
        {rfManual, QStringLiteral("/")},
        {rfDrives, QStringLiteral("/")},
    };
    for (const auto &[choice, folder] : cases)
        EXPECT_EQ(FolderPlaces::RootPath(choice, QString()), folder) << choice;
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(FolderPlaces::RootPath(rfManual, home.path()), home.path());
    EXPECT_EQ(FolderPlaces::SelectedDrive(sdSystem), QStringLiteral("/"));
    EXPECT_TRUE(FolderPlaces::SelectedDrive(sdNone).isEmpty());
}
