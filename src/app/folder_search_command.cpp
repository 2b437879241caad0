#include "folder_search_command.h"

#include "folder_pane.h"
#include "folder_search_dialog.h"
#include "folder_tree_view.h"
#include "tform1.h"

#include <QAction>
#include <QFileInfo>
#include <QPointer>

namespace {

// The folder selected in the shown folder pane (a selected file's folder),
// else the document's folder.
QString StartFolder(FolderPane *pane, const QString &documentPath)
{
    const QString path = pane->isVisible() ? pane->currentPath() : QString();
    if (!path.isEmpty()) {
        const QFileInfo selected(path);
        if (selected.isDir())
            return selected.absoluteFilePath();
        if (selected.exists())
            return selected.absolutePath();
    }
    return QFileInfo(documentPath).absolutePath();
}

} // namespace

void AddFolderSearch(QAction *action, TForm1 *window, QPlainTextEdit *editor, FolderPane *pane)
{
    auto dialog = std::make_shared<QPointer<FolderSearchDialog>>();
    QObject::connect(action, &QAction::triggered, window, [=] {
        if (dialog->isNull()) {
            Document &document = window->document();
            FolderSearchHost host;
            host.editor = editor;
            host.documentFile = [&document] { return document.holdsFile() ? document.path() : QString(); };
            host.startFolder = [pane, &document] { return StartFolder(pane, document.path()); };
            host.codes = [&document] { return document.codeOptions(); };
            host.open = [window, &document](const QString &path) {
                if (document.holdsFile() && QFileInfo(document.path()) == QFileInfo(path))
                    return true;
                return window->ConfirmSaveChanges() && window->LoadDocument(path);
            };
            *dialog = new FolderSearchDialog(std::move(host), window);
        }
        (*dialog)->showForWindow();
    });
}
