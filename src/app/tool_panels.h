// What the tool panels around the editing area share, and the folder pane.
// Each panel owns its controls and the settings keys that are its own.
#pragma once

#include "colour_value.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QRect;
class TFolderTreeViewEx;
class TShineSpeedButton;

// White text on the dark panels.
void PaintTextWhite(QWidget *widget);

// A white bold caption with a pointing hand.
QLabel *MakeCaption(QWidget *parent, const char *name, const QString &text);

// The palettes' info line (Panel11): the hovered button's text, yellow on
// black, shown while any of `palettes` is.
QLabel *MakeInfoLine(QWidget *parent, const QList<QWidget *> &palettes);

// A drop-down list (or, made editable, a set box) at `place`.
QComboBox *MakeChoice(QWidget *parent, const char *name, const QString &accessibleName,
                      const QStringList &items, const QRect &place);

// A button at `place` showing the theme icon `icon` (looked up when the button
// is first shown), named by `hint`.
TShineSpeedButton *MakeGlyphButton(QWidget *parent, const char *name, const QString &hint, const char *icon,
                                   const QRect &place);

// A command button of the search bar and the colour panel: a caption, 64 × 22.
TShineSpeedButton *MakeCommandButton(QWidget *parent, const char *name, const QString &caption);

// A palette button at `place`: a vertical gradient face, darker while
// pressed, its caption aqua under the mouse.
TShineSpeedButton *MakePaletteButton(QWidget *parent, const QString &name, int tag, const QRect &place);

// For controls built after the window, when their panel is first shown: puts
// them where Tab would have reached them had they been built with the window,
// right after the panel, in the order they were made.
void TakeTabPlace(QWidget *panel);

// A docked region in one of the program's panel colours.
class ToolPanel : public QWidget
{
    Q_OBJECT

public:
    ToolPanel(const char *name, TColor colour, QWidget *parent);

signals:
    // Its caption was clicked: the panel captions colour every tag.
    void captionClicked();

protected:
    // The panel's caption, which reports its clicks.
    QLabel *makeCaption(const char *name, const QString &text);
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLabel *caption_ = nullptr;
};

// The folder pane (Panel13): the folder tree, showing files too. The pane
// starts hidden, so its tree is built when it is first shown.
class FolderPane : public QWidget
{
    Q_OBJECT

public:
    // The pane's width beside the editor when it is shown.
    static constexpr int FirstWidth = 185;

    explicit FolderPane(QWidget *parent);

    // Whether a click on `path` in the tree opens it as a document.
    static bool opensOnClick(const QString &path);
    // Selects the document in the tree, or its folder while it has no file.
    void showDocument(const QString &documentPath);
    // Shows the pane beside the editor at the width it had when last hidden
    // (first FirstWidth), selecting the document, or hides it.
    void toggle(const QString &documentPath);
    // The tree's AutoUpDate, kept for the tree until it is built.
    void setAutoUpDate(bool value);

    // The tree; null until the pane is first shown.
    TFolderTreeViewEx *FVEx1 = nullptr;

signals:
    // A node of the tree was clicked (the tree's OnClick).
    void OnClick(QObject *sender, const QString &path);

protected:
    void showEvent(QShowEvent *event) override;

private:
    TFolderTreeViewEx *tree();
    int shownWidth_ = FirstWidth;

    bool autoUpDate_ = true;
};
