// QUMOCOLOR, the colour panel (Panel4): three sliders mix the current colour;
// the preview holds the five body colours of a page. The window wires its
// buttons and sliders; the colours live in the controls that show them.
#pragma once

#include "body_colours.h"
#include "tool_panels.h"

#include <QList>

class ColourSwatch;
class QLabel;
class QRadioButton;
class QScrollBar;

class ColourPanel : public ToolPanel
{
    Q_OBJECT

public:
    explicit ColourPanel(QWidget *parent);

    // The slider mix as 0x00BBGGRR.
    TColor SliderColour() const;
    // Moves the three sliders to `colour`; each move is a slider change.
    void SetSliders(TColor colour);
    // Shows the slider values, the code and the swatch, and gives the mix to the selected body colour.
    void ShowMix(const QString &code);

    // The current colour (the swatch).
    TColor CurrentColour() const;
    // A body colour (Colour::BodyColour) as the preview shows it.
    TColor BodyColour(int which) const;
    void SetBodyColour(int which, TColor colour);
    // The body colour whose radio button is selected; -1 when none is.
    int SelectedBodyColour() const;

    QLabel *Label3;
    ColourSwatch *Panel5;                 // the current colour
    QLabel *Panel9;                       // its code
    TShineSpeedButton *ShineSpeedButton8; // "色貼付け"
    TShineSpeedButton *ShineSpeedButton9; // "直接選択"
    QList<QScrollBar *> ScrollBars;       // ScrollBar1-3: red, green, blue
    QList<QLabel *> ValueLabels;          // Panel6-8
    TShineSpeedButton *SpeedButton14;     // body colours from the document
    QLabel *Label6;
    ColourSwatch *PanelBG;              // the background colour
    QList<QLabel *> PreviewWords;       // LabelText, LabelLINK, LabelVLINK, LabelALINK
    QList<QRadioButton *> RadioButtons; // RadioButton1-5, in the order of Colour::BodyColour
};
