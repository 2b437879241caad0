// The tool panels around the editing area, each owning its controls and the
// settings keys that are its own. The palettes, the colour panel, the search
// bar and the folder pane fill these classes as they come.
#pragma once

#include "colour_value.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QRect;
class TFolderTreeViewEx;
class TShineSpeedButton;
struct MainWindowSettings;

// White text on the dark panels.
void PaintTextWhite(QWidget *widget);

// A white bold caption of a panel, with a pointing hand: the panel captions
// are clicked to colour every tag.
QLabel *MakeCaption(QWidget *parent, const char *name, const QString &text);

// A palette button at `place`: a vertical gradient face, darker while
// pressed, its caption aqua under the mouse.
TShineSpeedButton *MakePaletteButton(QWidget *parent, const QString &name, int tag, const QRect &place);

// A docked region in one of the program's panel colours.
class ToolPanel : public QWidget
{
    Q_OBJECT

public:
    ToolPanel(const char *name, TColor colour, QWidget *parent);
};

// QUMOHTML, the tag palette (Panel3).
class TagPalette : public ToolPanel
{
    Q_OBJECT

public:
    explicit TagPalette(QWidget *parent);
    // Pre TagName and Paste HtmlChar.
    void readSettings(const MainWindowSettings &settings);
    void writeSettings(MainWindowSettings &settings) const;

    QLabel *Label1;
    TShineSpeedButton *SpeedButton23;     // "HTMLヘルプ"
    TShineSpeedButton *ShineSpeedButton1; // browser preview
    QComboBox *ComboBox2;                 // tag set
    QComboBox *ComboBox5;                 // case
    QComboBox *ComboBox3;                 // alignment
};

// QUMOCLIP, the clip palette (Panel12).
class ClipPalette : public ToolPanel
{
    Q_OBJECT

public:
    explicit ClipPalette(QWidget *parent);
    // Pre ClipName, Paste ClipChar and SendClipBoard.
    void readSettings(const MainWindowSettings &settings);
    void writeSettings(MainWindowSettings &settings) const;

    QLabel *Label2;
    QComboBox *ComboBox1; // clip set
    QComboBox *ComboBox4; // case
    QCheckBox *CheckBox4; // send clips to the clipboard
};

// QUMOCOLOR, the colour panel (Panel4).
class ColourPanel : public ToolPanel
{
    Q_OBJECT

public:
    explicit ColourPanel(QWidget *parent);

    QLabel *Label3;
};

// The folder pane (Panel13): the folder tree, showing files too.
class FolderPane : public QWidget
{
    Q_OBJECT

public:
    explicit FolderPane(QWidget *parent);

    // Whether a click on `path` in the tree opens it as a document.
    static bool OpensOnClick(const QString &path);
    // Selects the document in the tree, or its folder while it has no file.
    void ShowDocument(const QString &documentPath);

    TFolderTreeViewEx *FVEx1;
};
