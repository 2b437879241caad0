// The panels' connections: a palette button's record expanded into the
// editor or the clipboard, the info line, and the colour panel's code.
#include "button_palette.h"
#include "colour_panel.h"
#include "template_insertion.h"
#include "text_commands.h"
#include "tform1.h"

#include <QLabel>
#include <QPlainTextEdit>

void TForm1::createPaletteHandlers()
{
    auto *templates = new TemplateInsertion(RichEdit1, document_, Panel3, Panel4, this);
    for (ButtonPalette *palette :
         {static_cast<ButtonPalette *>(Panel3), static_cast<ButtonPalette *>(Panel12)}) {
        palette->setButtonDialog([this] { return Form2.get(); });
        connect(palette, &ButtonPalette::buttonChosen, templates, &TemplateInsertion::insert);
        connect(palette, &ButtonPalette::hovered, Panel11, &QLabel::setText);
        connect(palette, &ButtonPalette::failed, this, &TForm1::showFileError);
        connect(palette, &ButtonPalette::clickSound, this, &TForm1::PlayClickSound);
        connect(palette, &ButtonPalette::editorFocusWanted, RichEdit1, qOverload<>(&QWidget::setFocus));
    }
}

void TForm1::createColourHandlers()
{
    Panel4->setColorDialog([this] { return ColorDialog1.get(); });
    Panel4->setPage(RichEdit1->document());
    connect(Panel4, &ColourPanel::insertCode, this,
            [this](const QString &code) { TextCommands::InsertAtCaret(RichEdit1, code); });
    connect(Panel4, &ColourPanel::editorFocusWanted, RichEdit1, qOverload<>(&QWidget::setFocus));
    connect(Panel4, &ColourPanel::clickSound, this, &TForm1::PlayClickSound);
    // The code follows the tag palette's case choice at once.
    connect(Panel3, &TagPalette::tagCaseChanged, Panel4,
            [this](int tagCase) { Panel4->setUpperCaseCode(tagCase == 2); });
    Panel4->setUpperCaseCode(Panel3->tagCase() == 2);
}
