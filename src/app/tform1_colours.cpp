// The colour panel's handlers: mixing, picking, inserting the code and reading
// a page's body colours.
#include "body_colours.h"
#include "colour_panel.h"
#include "shine_speed_button.h"
#include "template_text.h"
#include "text_commands.h"
#include "tform1.h"

#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>

void TForm1::CreateColourHandlers()
{
    for (QScrollBar *slider : std::as_const(Panel4->ScrollBars))
        connect(slider, &QScrollBar::valueChanged, this, &TForm1::ScrollBar1Change);
    // On the change of choice, however it came (mouse, keyboard, accessibility bus). A click on the
    // chosen one would load the colour the sliders already show, since they edit it.
    for (QRadioButton *radio : std::as_const(Panel4->RadioButtons)) {
        connect(radio, &QRadioButton::toggled, this, [this](bool chosen) {
            if (chosen)
                Panel4Resize();
        });
    }
    connect(Panel4->SpeedButton14, &TShineSpeedButton::OnClick, this, &TForm1::SpeedButton14Click);
    connect(Panel4->ShineSpeedButton8, &TShineSpeedButton::OnClick, this, &TForm1::ShineSpeedButton8Click);
    connect(Panel4->ShineSpeedButton9, &TShineSpeedButton::OnClick, this, &TForm1::ShineSpeedButton9Click);
    // The code follows the tag palette's case choice at once.
    connect(Panel3->ComboBox5, &QComboBox::currentIndexChanged, this, [this] {
        ColorCodeText = CurrentColourCode();
        Panel4->Panel9->setText(ColorCodeText);
    });
}

QString TForm1::CurrentColourCode() const
{
    return Palettes::ColorToHtml(Panel4->SliderColour(), Panel3->ComboBox5->currentIndex() != 2).mid(1);
}

Palettes::TemplateColours TForm1::TemplateColours() const
{
    Palettes::TemplateColours colours;
    colours.color = Panel4->CurrentColour();
    colours.bgcol = Panel4->BodyColour(Colour::Background);
    colours.textc = Panel4->BodyColour(Colour::Text);
    colours.link = Panel4->BodyColour(Colour::Link);
    colours.vlink = Panel4->BodyColour(Colour::VisitedLink);
    colours.alink = Panel4->BodyColour(Colour::ActiveLink);
    return colours;
}

void TForm1::ScrollBar1Change()
{
    ColorCodeText = CurrentColourCode();
    Panel4->ShowMix(ColorCodeText);
    // A slider reached from the keyboard keeps the focus for its arrow keys.
    if (!Panel4->ScrollBars.contains(focusWidget()))
        RichEdit1->setFocus();
}

void TForm1::Panel4Resize()
{
    const int selected = Panel4->SelectedBodyColour();
    Panel4->SetSliders(selected >= 0 ? Panel4->BodyColour(selected) : Panel4->CurrentColour());
}

void TForm1::SpeedButton14Click()
{
    PlayClickSound();
    const std::optional<QString> tag = Colour::FindBodyTag(RichEdit1->toPlainText());
    if (!tag)
        return;
    const Colour::BodyColours colours = Colour::ReadBodyColours(*tag);
    for (int i = 0; i < Colour::BodyColourCount; ++i) {
        if (colours[i])
            Panel4->SetBodyColour(i, *colours[i]);
    }
    Panel4Resize();
}

void TForm1::ShineSpeedButton8Click()
{
    TextCommands::InsertAtCaret(RichEdit1, ColorCodeText);
    RichEdit1->setFocus();
}

void TForm1::ShineSpeedButton9Click()
{
    ColorDialog1->setCurrentColor(ColorToQColor(Panel4->CurrentColour(), palette()));
    if (ColorDialog1->exec() == QDialog::Accepted)
        Panel4->SetSliders(ColorFromQColor(ColorDialog1->currentColor()));
    RichEdit1->setFocus();
}
