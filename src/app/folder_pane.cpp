#include "folder_pane.h"

#include "document_codec.h"
#include "folder_tree_view.h"

#include <QBoxLayout>
#include <QFileInfo>
#include <QSplitter>
#include <algorithm>

FolderPane::FolderPane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Panel13"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

TFolderTreeViewEx *FolderPane::tree()
{
    if (FVEx1 != nullptr)
        return FVEx1;
    FVEx1 = new TFolderTreeViewEx(this);
    FVEx1->setObjectName(QStringLiteral("FVEx1"));
    FVEx1->setShowFile(true);
    FVEx1->setShellRun(true);
    FVEx1->setRootIsDecorated(false);
    FVEx1->setShowRootFolder(false);
    // Dot-names are hidden as in every Linux file view (.cache, .config, ...).
    FVEx1->setShowIncludeHidden(false);
    FVEx1->setIndentation(19);
    FVEx1->setAutoUpDate(autoUpDate_);
    connect(FVEx1, &TFolderTreeViewEx::OnClick, this, &FolderPane::OnClick);
    layout()->addWidget(FVEx1);
    return FVEx1;
}

void FolderPane::showEvent(QShowEvent *event)
{
    tree();
    QWidget::showEvent(event);
}

QString FolderPane::currentPath() const
{
    QString path;
    if (FVEx1 == nullptr || !FVEx1->GetPathFromNode(FVEx1->currentIndex(), path))
        return {};
    return path;
}

void FolderPane::focusTree()
{
    if (FVEx1 != nullptr)
        FVEx1->setFocus();
}

void FolderPane::setAutoUpDate(bool value)
{
    autoUpDate_ = value;
    if (FVEx1 != nullptr)
        FVEx1->setAutoUpDate(value);
}

bool FolderPane::opensOnClick(const QString &path)
{
    static const QStringList opened{".txt", ".htm", ".html", ".pl", ".cgi"};
    return QFileInfo(path).isFile() && opened.contains(FileExtension(path).toLower());
}

void FolderPane::showDocument(const QString &documentPath)
{
    const QFileInfo document(documentPath);
    tree()->SetSelected(document.exists() ? documentPath : document.absolutePath() + u'/');
}

void FolderPane::toggle(const QString &documentPath)
{
    // The width the user dragged it to comes back with it.
    if (!isHidden() && width() > 0)
        shownWidth_ = width();
    // The splitter's handle shows and hides with the pane.
    setVisible(isHidden());
    if (isHidden())
        return;
    if (auto *splitter = qobject_cast<QSplitter *>(parentWidget())) {
        const int total = splitter->width() - splitter->handleWidth();
        const int pane = std::min(shownWidth_, std::max(0, total - 50));
        splitter->setSizes({pane, std::max(0, total - pane)});
    }
    showDocument(documentPath);
}
