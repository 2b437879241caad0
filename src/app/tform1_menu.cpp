// One action per command, shared by the context menu, its shortcut and the
// toolbar button; the editor's context menu, the window's function keys and
// the toolbar's buttons.
#include "button_palette.h"
#include "colour_panel.h"
#include "search_bar.h"
#include "shell_open.h"
#include "shine_speed_button.h"
#include "tform1.h"
#include "toolbar.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>

void TForm1::CreateActions()
{
    const auto add = [this](Cmd command, const char *name, const QString &text, QKeySequence shortcut = {}) {
        auto *action = new QAction(text, this);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        actions_[size_t(command)] = action;
        return action;
    };
    // Toolbar commands; the Ctrl shortcuts in the menu captions belong to
    // the editor itself.
    connect(add(Cmd::Open, "Open", QStringLiteral("開く")), &QAction::triggered, this,
            &TForm1::SSButton1Click);
    connect(add(Cmd::Print, "Print", QStringLiteral("印刷")), &QAction::triggered, this,
            &TForm1::SSButton5Click);
    connect(add(Cmd::Undo, "Undo", QStringLiteral("元に戻す")), &QAction::triggered, RichEdit1,
            &QPlainTextEdit::undo);
    connect(add(Cmd::K1, "K1", QStringLiteral("Cut  　【切り取り】      Ctrl+X")), &QAction::triggered,
            RichEdit1, &QPlainTextEdit::cut);
    connect(add(Cmd::KCopy1, "KCopy1", QStringLiteral("Copy　【記憶】          Ctrl+C")), &QAction::triggered,
            RichEdit1, &QPlainTextEdit::copy);
    // Paste, quote and copy-all are wired with the editing behaviour.
    add(Cmd::KPaste1, "KPaste1", QStringLiteral("Paste 【貼り付け】      Ctrl+V"));
    add(Cmd::Quote, "Quote", QStringLiteral("Quote【引用貼り付け】 Ctrl+Q"));
    add(Cmd::KUndoCtrlZ1, "KUndoCtrlZ1", QStringLiteral("Undo  【取り消し】      Ctrl+Z"));
    connect(add(Cmd::K2, "K2", QStringLiteral("全て選択")), &QAction::triggered, RichEdit1,
            &QPlainTextEdit::selectAll);
    add(Cmd::K3, "K3", QStringLiteral("全てクリップボード"));
    const struct
    {
        Cmd command;
        const char *name;
        const char16_t *text;
    } rewrites[] = {{Cmd::N4, "N4", u"全てテキストに変換"}, {Cmd::N7, "N7", u"タグを小文字に統一"},
                    {Cmd::N8, "N8", u"タグを大文字に統一"}, {Cmd::BR1, "BR1", u"<BR>をつける"},
                    {Cmd::N3, "N3", u"タグを除去"},         {Cmd::N5, "N5", u"TABで字下げ"},
                    {Cmd::TAB1, "TAB1", u"TABを除去"},      {Cmd::N11, "N11", u"全て小文字に変換"},
                    {Cmd::N12, "N12", u"全て大文字に変換"}};
    for (const auto &r : rewrites)
        add(r.command, r.name, QString::fromUtf16(r.text));
    connect(add(Cmd::Help1, "Help1", QStringLiteral("ヘルプ"), Qt::Key_F1), &QAction::triggered, this,
            &TForm1::SpeedButton22Click);
    connect(add(Cmd::New1, "New1", QStringLiteral("新規作成 (&N)"), Qt::Key_F2), &QAction::triggered, this,
            &TForm1::SSButton2Click);
    connect(add(Cmd::SaveAs1, "SaveAs1", QStringLiteral("名前を付けて保存 (&A)"), Qt::Key_F3),
            &QAction::triggered, this, &TForm1::SSButton3Click);
    connect(add(Cmd::Save1, "Save1", QStringLiteral("上書き保存 (&S)"), Qt::Key_F4), &QAction::triggered,
            this, &TForm1::SSButton4Click);
    connect(add(Cmd::Exit1, "Exit1", QStringLiteral("終了 (&X)    Alt + F4")), &QAction::triggered, this,
            &TForm1::Exit1Click);
    add(Cmd::DF51, "DF51", QStringLiteral("日付と時刻 (&D) "), Qt::Key_F5);
    // The function keys work without opening the menu.
    addActions({Command(Cmd::Help1), Command(Cmd::New1), Command(Cmd::SaveAs1), Command(Cmd::Save1),
                Command(Cmd::DF51)});
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
    const auto items = [this](QMenu *menu, std::initializer_list<Cmd> commands) {
        for (const Cmd command : commands)
            menu->addAction(Command(command));
    };
    QMenu *m = PopupMenu1;
    items(m, {Cmd::K1, Cmd::KCopy1, Cmd::KPaste1, Cmd::Quote});
    separator(m, "N1");
    items(m, {Cmd::KUndoCtrlZ1, Cmd::K2, Cmd::K3});
    separator(m, "N2");
    items(submenu(m, "HTML1", QStringLiteral("HTML全体")), {Cmd::N4, Cmd::N7, Cmd::N8});
    items(submenu(m, "N9", QStringLiteral("選択範囲")),
          {Cmd::BR1, Cmd::N3, Cmd::N5, Cmd::TAB1, Cmd::N11, Cmd::N12});
    separator(m, "N6");
    items(submenu(m, "File1", QStringLiteral("ファイル (&F)")),
          {Cmd::Help1, Cmd::New1, Cmd::SaveAs1, Cmd::Save1, Cmd::Exit1});
    separator(m, "N10");
    items(m, {Cmd::DF51});

    connect(RichEdit1, &QWidget::customContextMenuRequested, this,
            [this](QPoint pos) { PopupMenu1->popup(RichEdit1->viewport()->mapToGlobal(pos)); });
}

void TForm1::ConnectToolbar()
{
    // The toolbar sounds its click before the command; the menu does not.
    const auto trigger = [this](TShineSpeedButton *button, QAction *action, bool click) {
        connect(button, &TShineSpeedButton::OnClick, action, [this, action, click] {
            if (click)
                PlayClickSound();
            action->trigger();
        });
    };
    const Cmd commands[] = {Cmd::Open, Cmd::New1, Cmd::SaveAs1, Cmd::Save1,  Cmd::Print,
                            Cmd::Undo, Cmd::K1,   Cmd::KCopy1,  Cmd::KPaste1};
    for (int i = 0; i < 9; ++i)
        // The file commands sound their click themselves.
        trigger(Panel1->button(i + 1), Command(commands[i]), i >= 5);
    const auto toggle = [this](int index, auto show) {
        connect(Panel1->button(index + 1), &TShineSpeedButton::OnClick, this, [this, show] {
            PlayClickSound();
            show();
        });
    };
    toggle(9, [this] { Panel10->toggle(); });
    connect(Panel1->button(11), &TShineSpeedButton::OnClick, this, &TForm1::SSButton11Click);
    toggle(11, [this] { SetTagPaletteVisible(Panel3->isHidden()); });
    toggle(12, [this] { Panel4->setVisible(Panel4->isHidden()); });
    toggle(13, [this] { SetClipPaletteVisible(Panel12->isHidden()); });
    connect(Panel1->button(15), &TShineSpeedButton::OnClick, this, &TForm1::SSButton15Click);
    trigger(Panel1->helpButton(), Command(Cmd::Help1), false);
    connect(Panel1->settingsButton(), &TShineSpeedButton::OnClick, this, &TForm1::SpeedButton21Click);
    connect(Panel3->SpeedButton23, &TShineSpeedButton::OnClick, this, &TForm1::SpeedButton23Click);
    connect(Panel3->ShineSpeedButton1, &TShineSpeedButton::OnClick, this, &TForm1::ShineSpeedButton1Click);
    connect(Panel1, &Toolbar::logoClicked, this, &TForm1::SpeedButton21Click);
    connect(Panel1, &Toolbar::logoRightClicked, this,
            [this] { OpenDocument(ShippedFile(QStringLiteral("readme.txt"))); });
}
