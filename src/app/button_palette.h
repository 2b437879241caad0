// What the tag palette and the clip palette have in common: buttons defined by
// a set, a set box and a case box. Each palette keeps its set, runs the set
// box and the button dialog, and hands out the record a button inserts.
#pragma once

#include "button_faces.h"
#include "palette_kind.h"
#include "pending_definitions.h"
#include "set_list.h"
#include "tool_panels.h"

#include <QList>

#include <functional>

class QCheckBox;
class QComboBox;
class TForm2;
class TShineSpeedButton;
struct MainWindowSettings;

class ButtonPalette : public ToolPanel
{
    Q_OBJECT

public:
    ButtonPalette(const char *name, TColor colour, const Palettes::PaletteKind &kind, QWidget *parent);

    const Palettes::PaletteKind &kind() const { return kind_; }
    const QList<TShineSpeedButton *> &buttons() const { return buttons_; }

    // Where the sets are kept.
    void setProgramDir(const QString &dir) { programDir_ = dir; }
    const QString &programDir() const { return programDir_; }
    // The dialog a right press defines a button in, asked for only then: it is built on first use.
    void setButtonDialog(std::function<TForm2 *()> dialog) { buttonDialog_ = std::move(dialog); }
    // The set the buttons show.
    const Palettes::SetList &setList() const { return list_; }

    // Fills the set box with the sets on disk; the typed name stays.
    void listSets();
    // Loads the set the set box names.
    void loadSet();
    // A fresh set under the kind's new name.
    void newSet();
    // Deletes the named set's file after asking.
    void deleteSet();
    // Defines `button` in the button dialog and writes the set.
    void defineButton(TShineSpeedButton *button);

    // Shows a set's captions and tooltips (and, on the clip palette, colour faces).
    void showFaces(const QList<Palettes::ButtonFace> &faces);
    // A new set's buttons: no captions, gradient faces.
    void clearFaces();

    // The file the shown set was read from; empty for a new set or one whose file was deleted here.
    const QString &loadedPath() const { return loadedPath_; }
    void setLoadedPath(const QString &path) { loadedPath_ = path; }

    virtual void readSettings(const MainWindowSettings &settings) = 0;
    virtual void writeSettings(MainWindowSettings &settings) const = 0;
    // The choices back at their first item.
    virtual void resetChoices();

signals:
    // Shift+F10 or the Menu key on a button: define it, as a right press does.
    void definitionRequested(TShineSpeedButton *button);
    // A defined button was clicked: its record goes in, in the case the case box chooses,
    // at the caret or on the clipboard.
    void buttonChosen(const Palettes::ButtonRecord &record, int caseMode, bool toClipboard);
    // What the button under the mouse inserts, for the info line.
    void hovered(const QString &preview);
    void failed(const QString &message);
    void clickSound();
    // A command is done with: the editor takes the focus back.
    void editorFocusWanted();

protected:
    // The box that names the set and the box that chooses the case, made by the palette.
    void setBoxes(QComboBox *setBox, QComboBox *caseBox);
    void addButton(const QRect &place);
    // Tab goes from the set box through the buttons; Space and Enter click the one with the focus.
    void chainButtonFocus();
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Connects the buttons, the set box, the case box and the set buttons to the set flow.
    void connectSetFlow(TShineSpeedButton *newButton, TShineSpeedButton *deleteButton);
    // What a fresh set shows.
    virtual void showNewSet() = 0;
    // Whether a chosen button's text goes on the clipboard instead of into the editor.
    virtual bool sendsToClipboard() const { return false; }

private:
    QComboBox *setBox_ = nullptr;
    QComboBox *caseBox_ = nullptr;
    const Palettes::PaletteKind &kind_;
    QList<TShineSpeedButton *> buttons_;
    QString loadedPath_;
    QString programDir_;
    std::function<TForm2 *()> buttonDialog_;
    Palettes::SetList list_;
    Palettes::PendingDefinitions pending_;
};

// QUMOHTML, the tag palette (Panel3).
class TagPalette : public ButtonPalette
{
    Q_OBJECT

public:
    explicit TagPalette(QWidget *parent);
    // Pre TagName and Paste HtmlChar.
    void readSettings(const MainWindowSettings &settings) override;
    void writeSettings(MainWindowSettings &settings) const override;
    void resetChoices() override;

    // The case box: 0 as written, 1 lower case, 2 upper case.
    int tagCase() const;
    // What *align* stands for.
    QString alignment() const;

signals:
    void tagCaseChanged(int tagCase);
    // "？": the tag reference.
    void tagHelpRequested();
    // "ブラウザで確認".
    void browserPreviewRequested();

protected:
    void showNewSet() override;

private:
    QLabel *Label1;
    TShineSpeedButton *SpeedButton23;     // "HTMLヘルプ"
    QComboBox *ComboBox2;                 // tag set
    TShineSpeedButton *ShineSpeedButton2; // new set
    TShineSpeedButton *ShineSpeedButton3; // delete set
    QComboBox *ComboBox5;                 // case
    QLabel *Label7;
    QComboBox *ComboBox3;                 // alignment
    TShineSpeedButton *ShineSpeedButton1; // browser preview
};

// QUMOCLIP, the clip palette (Panel12).
class ClipPalette : public ButtonPalette
{
    Q_OBJECT

public:
    explicit ClipPalette(QWidget *parent);
    // Pre ClipName, Paste ClipChar and SendClipBoard.
    void readSettings(const MainWindowSettings &settings) override;
    void writeSettings(MainWindowSettings &settings) const override;
    // Asks whether to install the clip set file `path` dropped on the window,
    // installs it and lists the sets again.
    void offerDroppedSet(const QString &path);

protected:
    void showNewSet() override;
    bool sendsToClipboard() const override;

private:
    QLabel *Label2;
    TShineSpeedButton *SpeedButton20; // new set
    TShineSpeedButton *SpeedButton19; // delete set
    QComboBox *ComboBox1;             // clip set
    QComboBox *ComboBox4;             // case
    QCheckBox *CheckBox4;             // send clips to the clipboard
};
