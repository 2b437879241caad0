// Shared helpers for the folder tree tests: a temporary folder tree on disk,
// a tree configured over it with recorded messages, and waits for the
// file-system model, which fills in the background.
#pragma once

#include "folder_tree_view.h"
#include "test_files.h"
#include "widget_test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <ostream>

// Readable QString (and so QStringList) values in failures.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace folder_tree_test {

// Waits for `done` (up to 20 s on a loaded machine): the model fills in the background.
template <typename Predicate> bool waitFor(Predicate done)
{
    return widget_test::waitUntil(done, 20000);
}

// The captions below `node`, in the tree's order, once `count` have arrived
// (rows arrive already sorted). The index is kept persistent: rows arrive above it.
inline QStringList names(const QTreeView &tree, const QPersistentModelIndex &node, int count = -1)
{
    const QAbstractItemModel *model = tree.model();
    if (model->canFetchMore(node))
        const_cast<QAbstractItemModel *>(model)->fetchMore(node);
    waitFor([&] { return count < 0 ? model->rowCount(node) > 0 : model->rowCount(node) == count; });
    QStringList captions;
    for (int row = 0; row < model->rowCount(node); ++row)
        captions.append(model->index(row, 0, node).data().toString());
    return captions;
}

// Makes each path below `root`; a trailing "/" makes a folder, anything else a small file.
inline void makeTree(const QString &root, const QStringList &paths)
{
    for (const QString &path : paths) {
        if (path.endsWith(QLatin1Char('/'))) {
            ASSERT_TRUE(QDir(root).mkpath(path));
            continue;
        }
        QDir(root).mkpath(QFileInfo(path).path());
        WriteFileBytes(root + QLatin1Char('/') + path, path.toUtf8());
    }
}

// A shown tree over a temporary folder, its messages and questions recorded.
class TreeFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        root = dir.path() + QStringLiteral("/site");
        makeTree(root,
                 {QStringLiteral("index.htm"), QStringLiteral("a.txt"), QStringLiteral("Photo.JPG"),
                  QStringLiteral("style.css"), QStringLiteral(".secret.txt"), QStringLiteral("docs/b.txt"),
                  QStringLiteral("docs/c.html"), QStringLiteral("empty/"), QStringLiteral(".cache/")});
        tree.resize(400, 600);
        tree.setDialogs({[this](const QString &text) { messages.append(text); },
                         [this](const QString &question) {
                             questions.append(question);
                             return answer;
                         },
                         [this](const QString &, const QString &) { return typedName; }});
        tree.setOpener([this](const QUrl &url) {
            opened.append(url);
            return true;
        });
        tree.setRootFolder(rfManual);
        tree.setRootFolderName(root);
        tree.setShowFile(true);
        tree.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    }

    // The node of `path`, found without selecting it.
    QModelIndex node(const QString &path)
    {
        QModelIndex found;
        waitFor([&] { return tree.SetSelectedFolder(path, false, &found, false); });
        return found;
    }

    QString path(const QString &relative) const { return root + QLatin1Char('/') + relative; }

    QTemporaryDir dir;
    QString root;
    TFolderTreeViewEx tree;
    QStringList messages;
    QStringList questions;
    bool answer = true;
    QString typedName;
    QList<QUrl> opened;
};

} // namespace folder_tree_test
