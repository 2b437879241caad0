// What the tool panels around the editing area share.
// Each panel owns its controls and the settings keys that are its own.
#pragma once

#include "colour_value.h"

#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QRect;
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

// Runs `work` when `widget` is first shown: what a control of a panel that
// starts hidden needs only on screen then costs start-up nothing.
void WhenFirstShown(QWidget *widget, std::function<void()> work);

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
