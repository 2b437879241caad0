// One action per command, shared by the context menu, its shortcut and the
// toolbar button. The editor's own commands (clipboard, undo, the rewrites)
// are wired here; the window wires its own (files, print, help, exit, date).
#pragma once

#include <QObject>
#include <array>
#include <functional>

class QAction;
class QMenu;
class QPlainTextEdit;
class QWidget;

class WindowCommands : public QObject
{
    Q_OBJECT

public:
    // Each command's action carries its name as objectName.
    enum class Cmd {
        Open,
        Print,
        Undo,
        K1,
        KCopy1,
        KPaste1,
        Quote,
        KUndoCtrlZ1,
        K2,
        K3,
        N4,
        N7,
        N8,
        BR1,
        N3,
        N5,
        TAB1,
        N11,
        N12,
        Help1,
        New1,
        SaveAs1,
        Save1,
        Exit1,
        DF51,
        // Keys for the toolbar's and the search bar's commands.
        Find1,        // Ctrl+F: the search bar, focus in its field
        Replace1,     // Ctrl+H: the search bar with its replace row
        TagPalette1,  // Ctrl+1
        ColourPanel1, // Ctrl+2
        ClipPalette1, // Ctrl+3
        FolderPane1,  // Ctrl+4
        TextSize1,    // Ctrl+0: the size button
        Settings1,    // Ctrl+,
        // Ctrl+Shift+F: フォルダ内検索
        FolderSearch1,
        // F7: 文書チェック
        HtmlCheck1,
        Count
    };

    // `tagCase` is the tag palette's case choice, which the <BR> rewrite follows;
    // the function keys work in `window` without opening the menu.
    WindowCommands(QPlainTextEdit *editor, std::function<int()> tagCase, QWidget *window);

    QAction *action(Cmd command) const { return actions_[size_t(command)]; }
    // The editor's context menu, "PopupMenu1".
    QMenu *popupMenu() const { return popupMenu_; }

private:
    void createActions(QWidget *window);
    void createPopupMenu(QWidget *window);
    void connectEditorCommands();

    QPlainTextEdit *editor_;
    std::function<int()> tagCase_;
    std::array<QAction *, size_t(Cmd::Count)> actions_{};
    QMenu *popupMenu_ = nullptr;
};
