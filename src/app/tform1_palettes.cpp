// The palettes' connections: a button's record expanded into the editor or the
// clipboard, and the info line.
#include "button_palette.h"
#include "template_insertion.h"
#include "tform1.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>

void TForm1::createPaletteHandlers()
{
    auto *templates = new TemplateInsertion(RichEdit1, document_, Panel3, Panel4, this);
    for (ButtonPalette *palette :
         {static_cast<ButtonPalette *>(Panel3), static_cast<ButtonPalette *>(Panel12)}) {
        palette->setButtonDialog([this] { return Form2.get(); });
        connect(palette, &ButtonPalette::buttonChosen, templates,
                [this, templates, palette](const Palettes::ButtonRecord &record, int caseMode) {
                    templates->insert(record, caseMode,
                                      palette == Panel12 && Panel12->CheckBox4->isChecked());
                });
        connect(palette, &ButtonPalette::hovered, Panel11, &QLabel::setText);
        connect(palette, &ButtonPalette::fileError, this, &TForm1::showFileError);
        connect(palette, &ButtonPalette::clickSound, this, &TForm1::PlayClickSound);
        connect(palette, &ButtonPalette::editorFocusWanted, RichEdit1, qOverload<>(&QWidget::setFocus));
    }
}
