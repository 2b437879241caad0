// The tree's own context menu, in place of a file manager's.
#include "folder_filter_model.h"
#include "folder_roots_model.h"
#include "folder_tree_view.h"
#include "home_trash.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>

namespace {

// A name the user typed that names one item in one folder.
QString NameProblem(const QString &name)
{
    if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("名前がありません。");
    if (name.contains(QLatin1Char('/')) || name.contains(QChar(0)))
        return QStringLiteral("名前に「/」は使えません。");
    return QString();
}

} // namespace

QMenu *TFolderTreeViewEx::CreateContextMenu(const QModelIndex &node)
{
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QString path;
    const bool real = GetPathFromNode(node, path);
    // The top nodes are drives or the root: renaming or trashing them is not the tree's business.
    const bool top = !node.parent().isValid() || node.parent() == rootIndex();
    const QPersistentModelIndex kept(node);
    const auto add = [menu](const QString &objectName, const QString &text, bool enabled, auto slot) {
        QAction *action = menu->addAction(text, slot);
        action->setObjectName(objectName);
        action->setEnabled(enabled);
    };
    add(QStringLiteral("open"), QStringLiteral("開く(&O)"), real, [this, kept] { openNode(kept); });
    add(QStringLiteral("openWith"), QStringLiteral("既定のアプリケーションで開く(&A)"), real,
        [this, path] { openWithDefault(path); });
    add(QStringLiteral("copyPath"), QStringLiteral("パスをコピー(&C)"), real,
        [path] { QGuiApplication::clipboard()->setText(path); });
    menu->addSeparator();
    add(QStringLiteral("newFolder"), QStringLiteral("新しいフォルダ(&W)"), real,
        [this, kept] { newFolder(kept); });
    add(QStringLiteral("rename"), QStringLiteral("名前の変更(&M)"), real && !top,
        [this, kept] { renameNode(kept); });
    add(QStringLiteral("trash"), QStringLiteral("ごみ箱へ移動(&D)"), real && !top,
        [this, kept] { trashNode(kept); });
    return menu;
}

void TFolderTreeViewEx::contextMenuEvent(QContextMenuEvent *event)
{
    const QModelIndex node = indexAt(event->pos());
    if (!contextMenu_ || !node.isValid())
        return;
    setCurrentIndex(node);
    CreateContextMenu(node)->popup(event->globalPos());
}

void TFolderTreeViewEx::openNode(const QModelIndex &node)
{
    if (!node.isValid())
        return;
    if (isFolderNode(node)) {
        expand(node);
        return;
    }
    // A file opens as a click on it does: the window decides what to do with it.
    lastName_ = nameOf(node);
    emit OnClick(this, lastName_);
}

void TFolderTreeViewEx::newFolder(const QModelIndex &node)
{
    QString path;
    if (!GetPathFromNode(node, path))
        return;
    const QString folder = isFolderNode(node) ? path : QFileInfo(path).absolutePath();
    const QString name = dialogs_.askName(QStringLiteral("新しいフォルダ"), QStringLiteral("新しいフォルダ"));
    if (name.isEmpty())
        return;
    if (const QString problem = NameProblem(name); !problem.isEmpty())
        return message(problem);
    const QString created = QDir(folder).filePath(name);
    if (QFileInfo::exists(created))
        return message(QStringLiteral("「%1」はすでにあります。").arg(created));
    if (!QDir(folder).mkdir(name))
        return message(QStringLiteral("フォルダ「%1」を作れませんでした。").arg(created));
    showResult(created);
}

void TFolderTreeViewEx::renameNode(const QModelIndex &node)
{
    QString path;
    if (!GetPathFromNode(node, path))
        return;
    const QFileInfo item(path);
    const QString name = dialogs_.askName(QStringLiteral("名前の変更"), item.fileName());
    if (name.isEmpty() || name == item.fileName())
        return;
    if (const QString problem = NameProblem(name); !problem.isEmpty())
        return message(problem);
    const QString renamed = item.dir().filePath(name);
    // QFile::rename refuses an existing name, so nothing is ever replaced here.
    if (QFileInfo::exists(renamed) || QFileInfo(renamed).isSymLink())
        return message(QStringLiteral("「%1」はすでにあります。").arg(renamed));
    QFile file(path);
    if (!file.rename(renamed))
        return message(
            QStringLiteral("「%1」の名前を変更できませんでした。\n%2").arg(path, file.errorString()));
    showResult(renamed);
}

void TFolderTreeViewEx::trashNode(const QModelIndex &node)
{
    QString path;
    if (!GetPathFromNode(node, path))
        return;
    if (!dialogs_.ask(QStringLiteral("「%1」をごみ箱へ移動しますか?").arg(QFileInfo(path).fileName())))
        return;
    // Qt's trash gives up when the home trash or its parents are missing.
    EnsureHomeTrash();
    QFile file(path);
    if (!file.moveToTrash())
        message(QStringLiteral("「%1」をごみ箱へ移動できませんでした。\n%2").arg(path, file.errorString()));
}
