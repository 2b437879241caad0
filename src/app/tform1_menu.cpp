// One action per command, shared by the context menu, its shortcut and the
// toolbar button; the editor's context menu and the window's function keys.
#include "tform1.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>

QAction *TForm1::Command(const char *name) const
{
    return actions_.value(QLatin1String(name));
}

void TForm1::CreateActions()
{
    const auto add = [this](const char *name, const QString &text, QKeySequence shortcut = {}) {
        auto *action = new QAction(text, this);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        actions_.insert(action->objectName(), action);
        return action;
    };
    // Toolbar commands; the Ctrl shortcuts in the menu captions belong to
    // the editor itself.
    connect(add("Open", QStringLiteral("開く")), &QAction::triggered, this, &TForm1::SSButton1Click);
    connect(add("Print", QStringLiteral("印刷")), &QAction::triggered, this, &TForm1::SSButton5Click);
    connect(add("Undo", QStringLiteral("元に戻す")), &QAction::triggered, RichEdit1, &QPlainTextEdit::undo);
    connect(add("K1", QStringLiteral("Cut  　【切り取り】      Ctrl+X")), &QAction::triggered, RichEdit1,
            &QPlainTextEdit::cut);
    connect(add("KCopy1", QStringLiteral("Copy　【記憶】          Ctrl+C")), &QAction::triggered, RichEdit1,
            &QPlainTextEdit::copy);
    // Paste, quote and copy-all are wired with the editing behaviour.
    add("KPaste1", QStringLiteral("Paste 【貼り付け】      Ctrl+V"));
    add("Quote", QStringLiteral("Quote【引用貼り付け】 Ctrl+Q"));
    add("KUndoCtrlZ1", QStringLiteral("Undo  【取り消し】      Ctrl+Z"));
    connect(add("K2", QStringLiteral("全て選択")), &QAction::triggered, RichEdit1,
            &QPlainTextEdit::selectAll);
    add("K3", QStringLiteral("全てクリップボード"));
    for (const auto &[name, text] : {std::pair{"N4", u"全てテキストに変換"},
                                     {"N7", u"タグを小文字に統一"},
                                     {"N8", u"タグを大文字に統一"},
                                     {"BR1", u"<BR>をつける"},
                                     {"N3", u"タグを除去"},
                                     {"N5", u"TABで字下げ"},
                                     {"TAB1", u"TABを除去"},
                                     {"N11", u"全て小文字に変換"},
                                     {"N12", u"全て大文字に変換"}})
        add(name, QString::fromUtf16(text));
    connect(add("Help1", QStringLiteral("ヘルプ"), Qt::Key_F1), &QAction::triggered, this,
            &TForm1::SpeedButton22Click);
    connect(add("New1", QStringLiteral("新規作成 (&N)"), Qt::Key_F2), &QAction::triggered, this,
            &TForm1::SSButton2Click);
    connect(add("SaveAs1", QStringLiteral("名前を付けて保存 (&A)"), Qt::Key_F3), &QAction::triggered, this,
            &TForm1::SSButton3Click);
    connect(add("Save1", QStringLiteral("上書き保存 (&S)"), Qt::Key_F4), &QAction::triggered, this,
            &TForm1::SSButton4Click);
    connect(add("Exit1", QStringLiteral("終了 (&X)    Alt + F4")), &QAction::triggered, this,
            &TForm1::Exit1Click);
    add("DF51", QStringLiteral("日付と時刻 (&D) "), Qt::Key_F5);
    // The function keys work without opening the menu.
    addActions({Command("Help1"), Command("New1"), Command("SaveAs1"), Command("Save1"), Command("DF51")});
}

void TForm1::CreatePopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto separator = [](QMenu *menu, const char *name) {
        menu->addSeparator()->setObjectName(QLatin1String(name));
    };
    const auto submenu = [](QMenu *menu, const char *name, const QString &caption) {
        QMenu *sub = menu->addMenu(caption);
        sub->menuAction()->setObjectName(QLatin1String(name));
        sub->setObjectName(QLatin1String(name) + QStringLiteral("Menu"));
        return sub;
    };
    const auto items = [this](QMenu *menu, std::initializer_list<const char *> names) {
        for (const char *name : names)
            menu->addAction(Command(name));
    };
    QMenu *m = PopupMenu1;
    items(m, {"K1", "KCopy1", "KPaste1", "Quote"});
    separator(m, "N1");
    items(m, {"KUndoCtrlZ1", "K2", "K3"});
    separator(m, "N2");
    items(submenu(m, "HTML1", QStringLiteral("HTML全体")), {"N4", "N7", "N8"});
    items(submenu(m, "N9", QStringLiteral("選択範囲")), {"BR1", "N3", "N5", "TAB1", "N11", "N12"});
    separator(m, "N6");
    items(submenu(m, "File1", QStringLiteral("ファイル (&F)")),
          {"Help1", "New1", "SaveAs1", "Save1", "Exit1"});
    separator(m, "N10");
    items(m, {"DF51"});

    connect(RichEdit1, &QWidget::customContextMenuRequested, this,
            [this](QPoint pos) { PopupMenu1->popup(RichEdit1->viewport()->mapToGlobal(pos)); });
}
