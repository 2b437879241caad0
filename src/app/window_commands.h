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
    // Each command's action carries its name as objectName; beside each
    // value, its caption and keys.
    enum class Cmd {
        Open,        // 開く (Ctrl+O)
        Print,       // 印刷 (Ctrl+P)
        Undo,        // 元に戻す
        K1,          // Cut【切り取り】Ctrl+X
        KCopy1,      // Copy【記憶】Ctrl+C
        KPaste1,     // Paste【貼り付け】Ctrl+V
        Quote,       // Quote【引用貼り付け】Ctrl+Q
        KUndoCtrlZ1, // Undo【取り消し】Ctrl+Z
        K2,          // 全て選択
        K3,          // 全てクリップボード
        N4,          // 全てテキストに変換
        N7,          // タグを小文字に統一
        N8,          // タグを大文字に統一
        BR1,         // <BR>をつける
        N3,          // タグを除去
        N5,          // TABで字下げ
        TAB1,        // TABを除去
        N11,         // 全て小文字に変換
        N12,         // 全て大文字に変換
        Help1,       // ヘルプ (F1)
        New1,        // 新規作成 (F2, Ctrl+N)
        SaveAs1,     // 名前を付けて保存 (F3, Ctrl+Shift+S)
        Save1,       // 上書き保存 (F4, Ctrl+S)
        Exit1,       // 終了 (Alt+F4)
        DF51,        // 日付と時刻 (F5)
        // Keys for the toolbar's and the search bar's commands.
        Find1,         // 検索 (Ctrl+F): the search bar, focus in its field
        Replace1,      // 置換 (Ctrl+H): the search bar with its replace row
        TagPalette1,   // タグパレット (Ctrl+1)
        ColourPanel1,  // カラーパネル (Ctrl+2)
        ClipPalette1,  // クリップパレット (Ctrl+3)
        FolderPane1,   // フォルダ (Ctrl+4)
        TextSize1,     // 文字サイズ (Ctrl+0): the size button
        Settings1,     // 設定 (Ctrl+,)
        FolderSearch1, // フォルダ内検索... (Ctrl+Shift+F)
        HtmlCheck1,    // HTMLをチェック (F7): 文書チェック
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
