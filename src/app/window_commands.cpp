#include "window_commands.h"

#include "letter_case.h"
#include "tag_case.h"
#include "text_commands.h"
#include "transformations.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

WindowCommands::WindowCommands(QPlainTextEdit *editor, std::function<int()> tagCase, QWidget *window)
    : QObject(window), editor_(editor), tagCase_(std::move(tagCase))
{
    createActions(window);
    createPopupMenu(window);
    connectEditorCommands();
}

void WindowCommands::createActions(QWidget *window)
{
    const struct
    {
        Cmd command;
        const char *name;
        const char16_t *text;
        QList<QKeySequence> shortcuts = {};
    } commands[] = {
        {Cmd::Open, "Open", u"開く", {QKeySequence::Open}},
        {Cmd::Print, "Print", u"印刷", {QKeySequence::Print}},
        {Cmd::Undo, "Undo", u"元に戻す"},
        // The Ctrl shortcuts in the captions belong to the editor itself.
        {Cmd::K1, "K1", u"Cut  　【切り取り】      Ctrl+X"},
        {Cmd::KCopy1, "KCopy1", u"Copy　【記憶】          Ctrl+C"},
        {Cmd::KPaste1, "KPaste1", u"Paste 【貼り付け】      Ctrl+V"},
        {Cmd::Quote, "Quote", u"Quote【引用貼り付け】 Ctrl+Q"},
        {Cmd::KUndoCtrlZ1, "KUndoCtrlZ1", u"Undo  【取り消し】      Ctrl+Z"},
        {Cmd::K2, "K2", u"全て選択"},
        {Cmd::K3, "K3", u"全てクリップボード"},
        {Cmd::N4, "N4", u"全てテキストに変換"},
        {Cmd::N7, "N7", u"タグを小文字に統一"},
        {Cmd::N8, "N8", u"タグを大文字に統一"},
        {Cmd::BR1, "BR1", u"<BR>をつける"},
        {Cmd::N3, "N3", u"タグを除去"},
        {Cmd::N5, "N5", u"TABで字下げ"},
        {Cmd::TAB1, "TAB1", u"TABを除去"},
        {Cmd::N11, "N11", u"全て小文字に変換"},
        {Cmd::N12, "N12", u"全て大文字に変換"},
        {Cmd::Help1, "Help1", u"ヘルプ", {Qt::Key_F1}},
        // The desktop's usual keys beside the function keys.
        {Cmd::New1, "New1", u"新規作成 (&N)", {Qt::Key_F2, QKeySequence::New}},
        {Cmd::SaveAs1, "SaveAs1", u"名前を付けて保存 (&A)", {Qt::Key_F3, Qt::CTRL | Qt::SHIFT | Qt::Key_S}},
        {Cmd::Save1, "Save1", u"上書き保存 (&S)", {Qt::Key_F4, QKeySequence::Save}},
        {Cmd::Exit1, "Exit1", u"終了 (&X)    Alt + F4"},
        {Cmd::DF51, "DF51", u"日付と時刻 (&D) ", {Qt::Key_F5}},
        {Cmd::Find1, "Find1", u"検索", {QKeySequence::Find}},
        {Cmd::Replace1, "Replace1", u"置換", {Qt::CTRL | Qt::Key_H}},
        {Cmd::TagPalette1, "TagPalette1", u"タグパレット", {Qt::CTRL | Qt::Key_1}},
        {Cmd::ColourPanel1, "ColourPanel1", u"カラーパネル", {Qt::CTRL | Qt::Key_2}},
        {Cmd::ClipPalette1, "ClipPalette1", u"クリップパレット", {Qt::CTRL | Qt::Key_3}},
        {Cmd::FolderPane1, "FolderPane1", u"フォルダ", {Qt::CTRL | Qt::Key_4}},
        {Cmd::TextSize1, "TextSize1", u"文字サイズ", {Qt::CTRL | Qt::Key_0}},
        {Cmd::Settings1, "Settings1", u"設定", {Qt::CTRL | Qt::Key_Comma}},
        {Cmd::FolderSearch1, "FolderSearch1", u"フォルダ内検索...", {Qt::CTRL | Qt::SHIFT | Qt::Key_F}},
        {Cmd::HtmlCheck1, "HtmlCheck1", u"HTMLをチェック", {Qt::Key_F7}},
    };
    for (const auto &c : commands) {
        auto *action = new QAction(QString::fromUtf16(c.text), window);
        action->setObjectName(QLatin1String(c.name));
        action->setShortcuts(c.shortcuts);
        actions_[size_t(c.command)] = action;
        if (!c.shortcuts.isEmpty())
            window->addAction(action);
    }
}

void WindowCommands::createPopupMenu(QWidget *window)
{
    popupMenu_ = new QMenu(window);
    popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));
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
            menu->addAction(action(command));
    };
    QMenu *m = popupMenu_;
    items(m, {Cmd::K1, Cmd::KCopy1, Cmd::KPaste1, Cmd::Quote});
    separator(m, "N1");
    items(m, {Cmd::KUndoCtrlZ1, Cmd::K2, Cmd::K3, Cmd::FolderSearch1});
    separator(m, "N2");
    items(submenu(m, "HTML1", QStringLiteral("HTML全体")), {Cmd::N4, Cmd::N7, Cmd::N8});
    items(submenu(m, "N9", QStringLiteral("選択範囲")),
          {Cmd::BR1, Cmd::N3, Cmd::N5, Cmd::TAB1, Cmd::N11, Cmd::N12});
    items(m, {Cmd::HtmlCheck1});
    separator(m, "N6");
    items(submenu(m, "File1", QStringLiteral("ファイル (&F)")),
          {Cmd::Help1, Cmd::New1, Cmd::SaveAs1, Cmd::Save1, Cmd::Exit1});
    separator(m, "N10");
    items(m, {Cmd::DF51});

    connect(editor_, &QWidget::customContextMenuRequested, popupMenu_,
            [this](QPoint pos) { popupMenu_->popup(editor_->viewport()->mapToGlobal(pos)); });
}

void WindowCommands::connectEditorCommands()
{
    using TextCommands::RewriteSelection;
    using TextCommands::RewriteWhole;
    const auto on = [this](Cmd command, auto handler) {
        connect(action(command), &QAction::triggered, editor_, handler);
    };
    QPlainTextEdit *e = editor_;
    on(Cmd::Undo, [e] { e->undo(); });
    on(Cmd::K1, [e] { e->cut(); });
    on(Cmd::KCopy1, [e] { e->copy(); });
    on(Cmd::K2, [e] { e->selectAll(); });
    on(Cmd::KPaste1, [e] { TextCommands::PastePlain(e); });
    on(Cmd::K3, [e] { TextCommands::CopyWhole(e); });
    on(Cmd::Quote, [e] { TextCommands::PasteQuote(e); });
    on(Cmd::N4, [e] { RewriteWhole(e, TextTools::HtmlToText); });
    on(Cmd::N7, [e] { RewriteWhole(e, [](const QString &t) { return TextTools::ConvertTagCase(t, 1); }); });
    on(Cmd::N8, [e] { RewriteWhole(e, [](const QString &t) { return TextTools::ConvertTagCase(t, 2); }); });
    on(Cmd::BR1, [this, e] {
        const QString tag = TextTools::LineBreakTag(tagCase_());
        RewriteSelection(e, [&tag](const QString &t) { return TextTools::AddLineBreakTags(t, tag); });
    });
    on(Cmd::N3, [e] { RewriteSelection(e, TextTools::StripTags); });
    on(Cmd::N5, [e] { TextCommands::IndentSelectedLines(e); });
    on(Cmd::TAB1, [e] { RewriteSelection(e, TextTools::RemoveTabs); });
    on(Cmd::N11, [e] { RewriteSelection(e, TextTools::ToLowerAscii); });
    on(Cmd::N12, [e] { RewriteSelection(e, TextTools::ToUpperAscii); });
}
