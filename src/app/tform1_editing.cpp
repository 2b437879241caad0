// The editor's own behaviour wired to the window: keys, the text commands of
// the context menu, date and time, text size and the tag colouring.
#include "button_palette.h"
#include "colour_panel.h"
#include "date_format.h"
#include "document_codec.h"
#include "document_editor.h"
#include "editor_keys.h"
#include "editor_search.h"
#include "letter_case.h"
#include "sound_player.h"
#include "status_bar.h"
#include "tag_case.h"
#include "tag_colours.h"
#include "text_commands.h"
#include "tform1.h"
#include "transformations.h"
#include "typing_rules.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QPlainTextEdit>

void TForm1::CreateEditingBehaviour()
{
    tagColours_ = new TagColours(RichEdit1);
    EditorKeys::Hooks hooks;
    hooks.play = [this](const QString &sound) {
        sounds_->Play(ShippedFile(sound), SoundPlayer::Mode::NoStop);
    };
    hooks.tagCase = [this] { return Panel3->ComboBox5->currentIndex(); };
    hooks.pastePlain = [this] { TextCommands::PastePlain(RichEdit1); };
    hooks.pasteQuote = [this] { TextCommands::PasteQuote(RichEdit1); };
    editorKeys_ = new EditorKeys(RichEdit1, options_, std::move(hooks));
    connect(editorKeys_, &EditorKeys::overwriteChanged, this,
            [this](bool overwrite) { StatusBar1->setOverwrite(overwrite); });

    using TextCommands::RewriteSelection;
    using TextCommands::RewriteWhole;
    const auto on = [this](Cmd command, auto handler) {
        connect(Command(command), &QAction::triggered, this, handler);
    };
    on(Cmd::KPaste1, [this] { TextCommands::PastePlain(RichEdit1); });
    on(Cmd::K3, [this] { TextCommands::CopyWhole(RichEdit1); });
    on(Cmd::Quote, [this] { TextCommands::PasteQuote(RichEdit1); });
    on(Cmd::N4, [this] { RewriteWhole(RichEdit1, TextTools::HtmlToText); });
    on(Cmd::N7,
       [this] { RewriteWhole(RichEdit1, [](const QString &t) { return TextTools::ConvertTagCase(t, 1); }); });
    on(Cmd::N8,
       [this] { RewriteWhole(RichEdit1, [](const QString &t) { return TextTools::ConvertTagCase(t, 2); }); });
    on(Cmd::BR1, [this] {
        const QString tag = TextTools::LineBreakTag(Panel3->ComboBox5->currentIndex());
        RewriteSelection(RichEdit1, [&tag](const QString &t) { return TextTools::AddLineBreakTags(t, tag); });
    });
    on(Cmd::N3, [this] { RewriteSelection(RichEdit1, TextTools::StripTags); });
    on(Cmd::N5, [this] { TextCommands::IndentSelectedLines(RichEdit1); });
    on(Cmd::TAB1, [this] { RewriteSelection(RichEdit1, TextTools::RemoveTabs); });
    on(Cmd::N11, [this] { RewriteSelection(RichEdit1, TextTools::ToLowerAscii); });
    on(Cmd::N12, [this] { RewriteSelection(RichEdit1, TextTools::ToUpperAscii); });
    on(Cmd::DF51, &TForm1::DF51Click);

    connect(static_cast<DocumentEditor *>(RichEdit1), &DocumentEditor::limitReached, this, [this] {
        ShowFileError(QStringLiteral("編集できる文書は %1 文字までです。").arg(MaxDocumentChars));
    });

    // The three panel captions colour every tag, whatever the setting.
    for (QLabel *caption : {Panel3->Label1, Panel12->Label2, Panel4->Label3})
        caption->installEventFilter(this);
}

bool TForm1::CaptionClicked(QObject *watched, QEvent *event) const
{
    return event->type() == QEvent::MouseButtonRelease &&
           (watched == Panel3->Label1 || watched == Panel12->Label2 || watched == Panel4->Label3);
}

void TForm1::DF51Click()
{
    sounds_->Play(ShippedFile(QStringLiteral("key.wav")), SoundPlayer::Mode::NoStop);
    TextCommands::InsertAtCaret(RichEdit1,
                                TextTools::FormatDateTime(options_->options().dateTime,
                                                          QDateTime::currentDateTime(), QLocale::system()));
}

void TForm1::SSButton11Click()
{
    // The shown size only: the base size (msize) comes back with the next document.
    ApplyTextSize(TextTools::NextTextSize(RichEdit1->font().pointSize()));
}

void TForm1::ColourAllTags()
{
    // Colouring anew takes the search marks away.
    search_->clearMarks();
    tagColours_->colourAll();
}
