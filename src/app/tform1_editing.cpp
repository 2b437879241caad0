// The editor's own behaviour wired to the window: keys, date and time, text
// size and the tag colouring.
#include "button_palette.h"
#include "colour_panel.h"
#include "date_format.h"
#include "document_codec.h"
#include "document_editor.h"
#include "editing_area.h"
#include "editor_keys.h"
#include "editor_search.h"
#include "sound_player.h"
#include "status_bar.h"
#include "tag_colours.h"
#include "text_commands.h"
#include "tform1.h"

#include <QDateTime>
#include <QPlainTextEdit>

void TForm1::createEditingBehaviour()
{
    tagColours_ = new TagColours(RichEdit1);
    EditorKeys::Hooks hooks;
    hooks.play = [this](const QString &sound) {
        sounds_->Play(shippedFile(sound), SoundPlayer::Mode::NoStop);
    };
    hooks.tagCase = [this] { return Panel3->tagCase(); };
    hooks.pastePlain = [this] { TextCommands::PastePlain(RichEdit1); };
    hooks.pasteQuote = [this] { TextCommands::PasteQuote(RichEdit1); };
    editorKeys_ = new EditorKeys(RichEdit1, &options_, std::move(hooks));
    connect(editorKeys_, &EditorKeys::overwriteChanged, this,
            [this](bool overwrite) { StatusBar1->setOverwrite(overwrite); });

    connect(static_cast<DocumentEditor *>(RichEdit1), &DocumentEditor::limitReached, this,
            [this] { showFileError(DocumentLimitText()); });

    // The three panel captions colour every tag, whatever the setting.
    for (ToolPanel *panel : std::initializer_list<ToolPanel *>{Panel3, Panel12, Panel4})
        connect(panel, &ToolPanel::captionClicked, this, &TForm1::ColourAllTags);
}

void TForm1::DF51Click()
{
    sounds_->Play(shippedFile(QStringLiteral("key.wav")), SoundPlayer::Mode::NoStop);
    TextCommands::InsertAtCaret(RichEdit1,
                                TextTools::FormatDateTime(options_.options().dateTime,
                                                          QDateTime::currentDateTime(), QLocale::system()));
}

void TForm1::SSButton11Click()
{
    // The shown size only: the base size (msize) comes back with the next document.
    Panel14->stepTextSize();
}

void TForm1::ColourAllTags()
{
    // Colouring anew takes the search marks away.
    search_->clearMarks();
    tagColours_->colourAll();
}
