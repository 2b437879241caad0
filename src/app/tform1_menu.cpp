// The window's commands (files, print, help, exit, date and time) and the
// toolbar's buttons.
#include "button_palette.h"
#include "caret_character_panel.h"
#include "colour_panel.h"
#include "folder_search_command.h"
#include "preview_pane.h"
#include "recent_menu.h"
#include "reopen_menu.h"
#include "search_bar.h"
#include "shell_open.h"
#include "shine_speed_button.h"
#include "status_bar.h"
#include "tform1.h"
#include "toolbar.h"
#include "writing_commands.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

void TForm1::createCommands()
{
    commands_ = new WindowCommands(
        RichEdit1, [this] { return Panel3->tagCase(); }, this);
    const auto on = [this](Cmd which, void (TForm1::*handler)()) {
        connect(command(which), &QAction::triggered, this, handler);
    };
    on(Cmd::Open, &TForm1::SSButton1Click);
    on(Cmd::Print, &TForm1::SSButton5Click);
    on(Cmd::Help1, &TForm1::SpeedButton22Click);
    on(Cmd::New1, &TForm1::SSButton2Click);
    on(Cmd::SaveAs1, &TForm1::SSButton3Click);
    on(Cmd::Save1, &TForm1::SSButton4Click);
    on(Cmd::Exit1, &TForm1::Exit1Click);
    on(Cmd::DF51, &TForm1::DF51Click);
    connect(command(Cmd::Find1), &QAction::triggered, Panel10, [this] { Panel10->open(false); });
    connect(command(Cmd::Replace1), &QAction::triggered, Panel10, [this] { Panel10->open(true); });
    AddFolderSearch(command(Cmd::FolderSearch1), this, RichEdit1, Panel13);

    // Reading again in another code, from the menu and from the status bar's code panel.
    auto *reopen = new ReopenMenu(this);
    QMenu *popup = commands_->popupMenu();
    popup->insertMenu(popup->findChild<QAction *>(QStringLiteral("N10"), Qt::FindDirectChildrenOnly), reopen);
    connect(reopen, &ReopenMenu::reopenRequested, this, &TForm1::reopenIn);
    connect(StatusBar1, &StatusBar::codePanelClicked, reopen, [reopen](QPoint at) { reopen->popup(at); });
    auto *recent = new RecentMenu([this] { return recentFiles_; }, this);
    popup->insertMenu(popup->findChild<QAction *>(QStringLiteral("N10"), Qt::FindDirectChildrenOnly), recent);
    connect(recent, &RecentMenu::openRequested, this, [this](const QString &path) {
        if (ConfirmSaveChanges())
            LoadDocument(path);
    });
    // The live preview's commands after the file's.
    Preview1->addCommands(popup, "N10", this);

    // The writing tools go before the file submenu; the character at the caret beside the caret's panel.
    auto *writing = new WritingCommands(RichEdit1, &document_, commands_->popupMenu(), "N6", this);
    writing->countOnClick(StatusBar1->findChild<QLabel *>(QStringLiteral("StatusPanel1")));
    StatusBar1->insertWidget(2, new CaretCharacterPanel(
                                    RichEdit1, [this] { return document_.format(); }, StatusBar1));
}

void TForm1::connectToolbar()
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
        trigger(Panel1->button(i + 1), command(commands[i]), i >= 5);
    const auto toggle = [this](int index, QWidget *panel) {
        connect(Panel1->button(index + 1), &TShineSpeedButton::OnClick, this, [this, panel] {
            PlayClickSound();
            panel->setVisible(panel->isHidden());
        });
    };
    connect(Panel1->button(10), &TShineSpeedButton::OnClick, this, [this] {
        PlayClickSound();
        Panel10->toggle();
    });
    connect(Panel1->button(11), &TShineSpeedButton::OnClick, this, &TForm1::SSButton11Click);
    toggle(11, Panel3);
    toggle(12, Panel4);
    toggle(13, Panel12);
    connect(Panel1->button(15), &TShineSpeedButton::OnClick, this, &TForm1::SSButton15Click);
    trigger(Panel1->helpButton(), command(Cmd::Help1), false);
    connect(Panel1->settingsButton(), &TShineSpeedButton::OnClick, this, &TForm1::SpeedButton21Click);
    connect(Panel3, &TagPalette::tagHelpRequested, this, &TForm1::SpeedButton23Click);
    connect(Panel3, &TagPalette::browserPreviewRequested, this, &TForm1::ShineSpeedButton1Click);
    connect(Panel1, &Toolbar::logoClicked, this, &TForm1::SpeedButton21Click);
    // The keys press the toolbar's buttons, as the mouse does.
    const std::pair<Cmd, TShineSpeedButton *> keys[] = {
        {Cmd::TagPalette1, Panel1->button(12)},  {Cmd::ColourPanel1, Panel1->button(13)},
        {Cmd::ClipPalette1, Panel1->button(14)}, {Cmd::FolderPane1, Panel1->button(15)},
        {Cmd::TextSize1, Panel1->button(11)},    {Cmd::Settings1, Panel1->settingsButton()},
    };
    for (const auto &[which, button] : keys)
        connect(command(which), &QAction::triggered, button, &TShineSpeedButton::Click);
    connect(Panel1, &Toolbar::logoRightClicked, this,
            [this] { OpenDocument(shippedFile(QStringLiteral("readme.txt"))); });
}
