// The colour panel's connections to the editor and the tag palette.
#include "button_palette.h"
#include "colour_panel.h"
#include "text_commands.h"
#include "tform1.h"

#include <QComboBox>
#include <QPlainTextEdit>

void TForm1::createColourHandlers()
{
    Panel4->setColorDialog([this] { return ColorDialog1.get(); });
    Panel4->setPage(RichEdit1->document());
    connect(Panel4, &ColourPanel::insertCode, this,
            [this](const QString &code) { TextCommands::InsertAtCaret(RichEdit1, code); });
    connect(Panel4, &ColourPanel::editorFocusWanted, RichEdit1, qOverload<>(&QWidget::setFocus));
    connect(Panel4, &ColourPanel::clickSound, this, &TForm1::PlayClickSound);
    // The code follows the tag palette's case choice at once.
    connect(Panel3->ComboBox5, &QComboBox::currentIndexChanged, Panel4,
            [this](int index) { Panel4->setUpperCaseCode(index == 2); });
    Panel4->setUpperCaseCode(Panel3->ComboBox5->currentIndex() == 2);
}
