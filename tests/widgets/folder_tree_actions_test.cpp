#include "folder_tree_test_support.h"
#include "read_only_guard.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDirIterator>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>

using namespace folder_tree_test;

namespace {

class FolderTreeActions : public TreeFixture
{
protected:
    // Runs the context-menu command `name` of the node of `target`.
    void run(const QString &target, const char *name)
    {
        QMenu *menu = tree.CreateContextMenu(node(target));
        QAction *action = menu->findChild<QAction *>(QString::fromLatin1(name));
        ASSERT_TRUE(action && action->isEnabled()) << name;
        action->trigger();
        delete menu;
    }

    // Drags `files` over the node of `target` and drops them there; whether the tree took the drag.
    bool drop(const QStringList &files, const QString &target, Qt::KeyboardModifiers keys = {})
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString &file : files)
            urls.append(QUrl::fromLocalFile(file));
        mime.setUrls(urls);
        const QPoint at = tree.visualRect(node(target)).center();
        const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(at, actions, &mime, Qt::LeftButton, keys);
        QApplication::sendEvent(tree.viewport(), &enter);
        if (!enter.isAccepted())
            return false;
        QDragMoveEvent move(at, actions, &mime, Qt::LeftButton, keys);
        QApplication::sendEvent(tree.viewport(), &move);
        highlighted = tree.DropTarget();
        QDropEvent dropped(at, actions, &mime, Qt::LeftButton, keys);
        QApplication::sendEvent(tree.viewport(), &dropped);
        return dropped.isAccepted();
    }

    QPersistentModelIndex highlighted;
};

} // namespace

TEST_F(FolderTreeActions, OpenCommands)
{
    QSignalSpy clicks(&tree, &TFolderTreeViewEx::OnClick);
    run(path("docs/b.txt"), "open");
    ASSERT_EQ(clicks.size(), 1);
    EXPECT_EQ(clicks.first().at(1).toString(), path("docs/b.txt"));
    run(path("empty"), "open");
    EXPECT_TRUE(tree.isExpanded(node(path("empty"))));
    EXPECT_EQ(clicks.size(), 1);

    run(path("style.css"), "openWith");
    EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(path("style.css"))});
    tree.setOpener([](const QUrl &) { return false; });
    run(path("style.css"), "openWith");
    EXPECT_EQ(messages.size(), 1);

    run(path("docs"), "copyPath");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), path("docs"));
}

TEST_F(FolderTreeActions, NewFolderAndRename)
{
    const struct
    {
        QString target;
        const char *command;
        QString typed;
        QString made; // empty: nothing made, a message instead
    } cases[] = {
        {path("docs"), "newFolder", "img", path("docs/img")},
        {path("a.txt"), "newFolder", "新しいフォルダ", path("新しいフォルダ")},
        {path("docs"), "newFolder", "b.txt", QString()}, // exists
        {path("docs"), "newFolder", "x/y", QString()},
        {path("a.txt"), "rename", "readme.txt", path("readme.txt")},
        {path("index.htm"), "rename", "style.css", QString()}, // never replaces
        {path("empty"), "rename", "..", QString()},
    };
    // Every path below the root with its bytes: a refused command leaves it exactly as it was.
    const auto snapshot = [this] {
        QStringList entries;
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString entry = it.next();
            QFile file(entry);
            entries << entry + u'=' +
                           QString::fromLatin1(file.open(QIODevice::ReadOnly) ? file.readAll().toHex() : "");
        }
        entries.sort();
        return entries;
    };
    for (const auto &c : cases) {
        messages.clear();
        typedName = c.typed;
        const QStringList before = snapshot();
        run(c.target, c.command);
        if (c.made.isEmpty()) {
            EXPECT_EQ(messages.size(), 1) << c.typed.toStdString();
            EXPECT_EQ(snapshot(), before) << c.typed.toStdString();
            continue;
        }
        EXPECT_TRUE(messages.isEmpty()) << c.typed.toStdString();
        EXPECT_TRUE(QFileInfo::exists(c.made)) << c.typed.toStdString();
        QString selected;
        EXPECT_TRUE(waitFor([&] {
            return tree.GetPathFromNode(tree.currentIndex(), selected) && selected == c.made;
        })) << c.typed.toStdString();
    }
    EXPECT_EQ(ReadFileBytes(path("style.css")), "style.css");
    EXPECT_FALSE(QFileInfo::exists(path("a.txt")));
    // The root node is not renamed or trashed from the tree.
    QMenu *menu = tree.CreateContextMenu(node(root));
    EXPECT_FALSE(menu->findChild<QAction *>(QStringLiteral("rename"))->isEnabled());
    EXPECT_FALSE(menu->findChild<QAction *>(QStringLiteral("trash"))->isEnabled());
    delete menu;
}

TEST_F(FolderTreeActions, MoveToTrashAsksAndReportsFailure)
{
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", data.path().toUtf8()); // a trash of the test's own
    answer = false;
    run(path("style.css"), "trash");
    EXPECT_EQ(questions.size(), 1);
    EXPECT_TRUE(QFileInfo::exists(path("style.css")));
    answer = true;
    run(path("style.css"), "trash");
    EXPECT_FALSE(QFileInfo::exists(path("style.css")));
    EXPECT_TRUE(messages.isEmpty());
    {
        ReadOnlyGuard locked(path("docs"));
        if (locked.effective()) {
            run(path("docs/b.txt"), "trash");
            EXPECT_TRUE(QFileInfo::exists(path("docs/b.txt")));
            EXPECT_EQ(messages.size(), 1);
        }
    }
    qunsetenv("XDG_DATA_HOME");
}

// An account that never had a trash, nor ~/.local/share: the trash is made
// with its files and info folders, private to its user.
TEST_F(FolderTreeActions, MoveToTrashMakesAMissingTrash)
{
    QTemporaryDir home;
    const QString data = home.path() + QStringLiteral("/.local/share");
    qputenv("XDG_DATA_HOME", data.toUtf8());
    answer = true;
    run(path("a.txt"), "trash");
    qunsetenv("XDG_DATA_HOME");
    EXPECT_TRUE(messages.isEmpty()) << messages.join('|').toStdString();
    EXPECT_FALSE(QFileInfo::exists(path("a.txt")));
    EXPECT_EQ(ReadFileBytes(data + QStringLiteral("/Trash/files/a.txt")), "a.txt");
    EXPECT_TRUE(QFileInfo::exists(data + QStringLiteral("/Trash/info/a.txt.trashinfo")));
    for (const char *folder : {"/.local", "/.local/share", "/.local/share/Trash", "/.local/share/Trash/files",
                               "/.local/share/Trash/info"})
        EXPECT_EQ(QFileInfo(home.path() + folder).permissions() & 0x0077, 0) << folder; // nothing for others
}

TEST_F(FolderTreeActions, OneDroppedFileMovesOrCopiesWithCtrl)
{
    const QString outside = dir.filePath(QStringLiteral("new.txt"));
    WriteFileBytes(outside, "new");
    EXPECT_TRUE(drop({outside}, path("docs")));
    EXPECT_EQ(highlighted, QPersistentModelIndex(node(path("docs"))));
    EXPECT_FALSE(tree.DropTarget().isValid());
    EXPECT_FALSE(QFileInfo::exists(outside));
    EXPECT_EQ(ReadFileBytes(path("docs/new.txt")), "new");

    EXPECT_TRUE(drop({path("docs/new.txt")}, path("empty"), Qt::ControlModifier));
    EXPECT_EQ(ReadFileBytes(path("empty/new.txt")), "new");
    EXPECT_TRUE(QFileInfo::exists(path("docs/new.txt")));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(FolderTreeActions, DropsThatAreRefused)
{
    // Two files at once: the drag is not even taken.
    EXPECT_FALSE(drop({path("a.txt"), path("style.css")}, path("docs")));
    EXPECT_TRUE(QFileInfo::exists(path("a.txt")));
    EXPECT_FALSE(QFileInfo::exists(path("docs/a.txt")));
    // A file node is no folder of the file system.
    drop({path("a.txt")}, path("index.htm"));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages.first().startsWith(QStringLiteral("This Folder is SpecialFolder")));
    EXPECT_TRUE(QFileInfo::exists(path("a.txt")));
    // Switched off: no drops at all.
    tree.setDragAndDrop(false);
    EXPECT_FALSE(drop({path("a.txt")}, path("docs")));
}

TEST_F(FolderTreeActions, NameClashAsksBeforeReplacing)
{
    WriteFileBytes(path("docs/a.txt"), "old");
    answer = false;
    drop({path("a.txt")}, path("docs"));
    EXPECT_EQ(questions.size(), 1);
    EXPECT_EQ(ReadFileBytes(path("docs/a.txt")), "old");
    EXPECT_EQ(ReadFileBytes(path("a.txt")), "a.txt");
    answer = true;
    drop({path("a.txt")}, path("docs"));
    EXPECT_EQ(ReadFileBytes(path("docs/a.txt")), "a.txt");
    EXPECT_FALSE(QFileInfo::exists(path("a.txt")));
}

TEST_F(FolderTreeActions, AFailedMoveKeepsTheSource)
{
    ReadOnlyGuard locked(path("empty"));
    if (!locked.effective())
        GTEST_SKIP() << "cannot make a folder read-only here";
    drop({path("a.txt")}, path("empty"));
    EXPECT_EQ(messages.size(), 1);
    EXPECT_EQ(ReadFileBytes(path("a.txt")), "a.txt");
    EXPECT_FALSE(QFileInfo::exists(path("empty/a.txt")));
}
