// The editor's context menu and the window's function-key shortcuts.
#include "tform1.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>

namespace {

QAction *AddItem(QMenu *menu, const char *name, const QString &caption, QKeySequence shortcut = {})
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    return action;
}

void AddSeparator(QMenu *menu, const char *name)
{
    menu->addSeparator()->setObjectName(QLatin1String(name));
}

QMenu *AddSubmenu(QMenu *menu, const char *name, const QString &caption)
{
    QMenu *sub = menu->addMenu(caption);
    sub->menuAction()->setObjectName(QLatin1String(name));
    sub->setObjectName(QLatin1String(name) + QStringLiteral("Menu"));
    return sub;
}

} // namespace

void TForm1::CreatePopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu *m = PopupMenu1;

    // The Ctrl shortcuts in these captions belong to the editor itself.
    connect(AddItem(m, "K1", QStringLiteral("Cut  　【切り取り】      Ctrl+X")), &QAction::triggered,
            RichEdit1, &QPlainTextEdit::cut);
    connect(AddItem(m, "KCopy1", QStringLiteral("Copy　【記憶】          Ctrl+C")), &QAction::triggered,
            RichEdit1, &QPlainTextEdit::copy);
    connect(AddItem(m, "KPaste1", QStringLiteral("Paste 【貼り付け】      Ctrl+V")), &QAction::triggered,
            RichEdit1, &QPlainTextEdit::paste);
    AddItem(m, "Quote", QStringLiteral("Quote【引用貼り付け】 Ctrl+Q"));
    AddSeparator(m, "N1");
    AddItem(m, "KUndoCtrlZ1", QStringLiteral("Undo  【取り消し】      Ctrl+Z"));
    connect(AddItem(m, "K2", QStringLiteral("全て選択")), &QAction::triggered, RichEdit1,
            &QPlainTextEdit::selectAll);
    connect(AddItem(m, "K3", QStringLiteral("全てクリップボード")), &QAction::triggered, this,
            [this] { QApplication::clipboard()->setText(RichEdit1->toPlainText()); });
    AddSeparator(m, "N2");

    QMenu *html = AddSubmenu(m, "HTML1", QStringLiteral("HTML全体"));
    AddItem(html, "N4", QStringLiteral("全てテキストに変換"));
    AddItem(html, "N7", QStringLiteral("タグを小文字に統一"));
    AddItem(html, "N8", QStringLiteral("タグを大文字に統一"));
    QMenu *selection = AddSubmenu(m, "N9", QStringLiteral("選択範囲"));
    AddItem(selection, "BR1", QStringLiteral("<BR>をつける"));
    AddItem(selection, "N3", QStringLiteral("タグを除去"));
    AddItem(selection, "N5", QStringLiteral("TABで字下げ"));
    AddItem(selection, "TAB1", QStringLiteral("TABを除去"));
    AddItem(selection, "N11", QStringLiteral("全て小文字に変換"));
    AddItem(selection, "N12", QStringLiteral("全て大文字に変換"));
    AddSeparator(m, "N6");

    QMenu *file = AddSubmenu(m, "File1", QStringLiteral("ファイル (&F)"));
    QAction *help = AddItem(file, "Help1", QStringLiteral("ヘルプ"), Qt::Key_F1);
    QAction *newDocument = AddItem(file, "New1", QStringLiteral("新規作成 (&N)"), Qt::Key_F2);
    QAction *saveAs = AddItem(file, "SaveAs1", QStringLiteral("名前を付けて保存 (&A)"), Qt::Key_F3);
    QAction *save = AddItem(file, "Save1", QStringLiteral("上書き保存 (&S)"), Qt::Key_F4);
    QAction *exit = AddItem(file, "Exit1", QStringLiteral("終了 (&X)    Alt + F4"));
    AddSeparator(m, "N10");
    QAction *date = AddItem(m, "DF51", QStringLiteral("日付と時刻 (&D) "), Qt::Key_F5);

    connect(help, &QAction::triggered, this, &TForm1::SpeedButton22Click);
    connect(newDocument, &QAction::triggered, this, &TForm1::SSButton2Click);
    connect(saveAs, &QAction::triggered, this, &TForm1::SSButton3Click);
    connect(save, &QAction::triggered, this, &TForm1::SSButton4Click);
    connect(exit, &QAction::triggered, this, &TForm1::Exit1Click);
    // The function keys work without opening the menu.
    addActions({help, newDocument, saveAs, save, date});

    connect(RichEdit1, &QWidget::customContextMenuRequested, this,
            [this](QPoint pos) { PopupMenu1->popup(RichEdit1->viewport()->mapToGlobal(pos)); });
}
