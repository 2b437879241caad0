// QUMOCOLOR, the colour panel (Panel4): three sliders mix the current colour;
// the preview holds the five body colours of a page. The colours live in the
// controls that show them; the panel hands out the code and the template colours.
#pragma once

#include "body_colours.h"
#include "template_expansion.h"
#include "tool_panels.h"

#include <QList>
#include <functional>

class ColourSwatch;
class QColorDialog;
class QLabel;
class QRadioButton;
class QScrollBar;
class QTextDocument;

class ColourPanel : public ToolPanel
{
    Q_OBJECT

public:
    explicit ColourPanel(QWidget *parent);

    // "直接選択" picks the colour in `dialog`, which the settings dialog shares.
    void setColorDialog(std::function<QColorDialog *()> dialog) { colorDialog_ = std::move(dialog); }
    // "<BODY>" reads the body colours from `page`, the editor's text.
    void setPage(const QTextDocument *page) { page_ = page; }
    // The code's letters follow the tag palette's case choice.
    void setUpperCaseCode(bool upper);

    // The slider mix as 0x00BBGGRR.
    TColor sliderColour() const;
    // Moves the three sliders to `colour`; each move is a slider change.
    void setSliders(TColor colour);
    // Shows the slider values, the code and the swatch, and gives the mix to the selected body colour.
    void showMix();
    // The mix as six hexadecimal digits, as "色貼付け" inserts it.
    QString colourCode() const { return code_; }

    // The current colour (the swatch).
    TColor currentColour() const;
    // A body colour (Colour::BodyColour) as the preview shows it.
    TColor bodyColour(int which) const;
    void setBodyColour(int which, TColor colour);
    // The body colour whose radio button is selected; -1 when none is.
    int selectedBodyColour() const;
    // The colours a template's *color*, *bgcol*, ... stand for.
    Palettes::TemplateColours templateColours() const;
    // Takes the body colours the page's BODY tag gives; a page without one changes nothing.
    void readBodyColours(const QString &page);

signals:
    // "色貼付け": `code` goes in at the caret.
    void insertCode(const QString &code);
    // A command is done with: the editor takes the focus back.
    void editorFocusWanted();
    void clickSound();

private:
    // The sliders take the selected body colour, or the current colour when none is selected.
    void loadSelectedColour();
    void pickColour();

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

    std::function<QColorDialog *()> colorDialog_; // built when first asked for
    const QTextDocument *page_ = nullptr;
    bool upperCase_ = false;
    QString code_;
};
