// The settings and about dialog. It holds the options as a value: read from
// the settings file, shown in its controls, and taken from them again each
// time it closes; optionsChanged tells the main window.
//
// Start-up (main window, first show):
//     Form3->setIniPath(IniPath);
//     Form3->setColorDialog([this] { return ColorDialog1.get(); });
//     Form3->LoadSettingsIntoDialog();
//     ApplyEditorSettings(options_.options(), *RichEdit1, *Panel2);
//     Form3->showPage(TForm3::CopyrightPage);
// Opening it: OpenSettingsDialog() in editor_settings.h.
//
// Its controls are built when it is first shown; until then it holds what it
// was given.
#pragma once

#include "built_on_use.h"
#include "settings_values.h"
#include "shell_integration.h"

#include <QDialog>
#include <functional>

class ColourSwatch;
class QCheckBox;
class QColorDialog;
class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class RadioGroup;
class TShineSpeedButton;
class TURLLabel;

class TForm3 : public QDialog
{
    Q_OBJECT

    // The controls, built on first ask (see above).
    BuiltOnAsk pages_;

public:
    enum Page { ScreenPage, FunctionPage, AdvancedPage, AssociationPage, CopyrightPage };
    // The buttons of the character code and of the line end on save.
    static constexpr int CodeChoiceCount = 3;

    explicit TForm3(QWidget *parent = nullptr);

    // The settings file LoadSettingsIntoDialog reads (the main window's IniPath).
    void setIniPath(const QString &path) { iniPath_ = path; }
    const QString &iniPath() const { return iniPath_; }
    // The main window's colour dialog, shared with its colour panel, asked
    // for when first needed. Without one the dialog uses a colour dialog of
    // its own.
    void setColorDialog(std::function<QColorDialog *()> dialog) { colorDialogOf_ = std::move(dialog); }

    // Reads the options from the settings file (defaults where it has no value)
    // and the associations from the desktop.
    void LoadSettingsIntoDialog();
    // Makes `options` the options, shown in the controls in the order the settings file is read.
    void showOptions(const DialogOptions &options);
    // The options as last read or closed with; edits in the controls count once the dialog closes.
    const DialogOptions &options() const { return options_; }
    // The tab shown when the dialog opens.
    void showPage(Page page);
    // Builds the controls now rather than at the first showing.
    void buildControls() { pages_.build(); }
    void setVisible(bool visible) override;

    // Reads the associations and launchers from the desktop into the boxes.
    void readShellIntegration();
    void showShellChoices(const ShellIntegration::Choices &choices);
    // Carries out the boxes of the associations tab; runs whenever the dialog closes.
    void UpdateShellIntegration();
    // Every close takes the options from the controls: the dialog has no button that discards them.
    void done(int result) override;

signals:
    // The options were read or the dialog closed: what the program goes by from now on.
    void optionsChanged(const DialogOptions &options);

protected:
    void showEvent(QShowEvent *event) override;
    // Enter presses OK, as in any dialog: the OK button is not a push button Qt would press.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildPages();
    // Holds `options` as the controls would hold them, and shows them once built.
    void holdOptions(const DialogOptions &options);
    void putOptions(const DialogOptions &options);
    // What the controls hold now.
    DialogOptions shownOptions() const;
    void putShellChoices();
    void drawAboutIcon();
    void FormCreate();
    void FormShow();
    QWidget *createScreenPage();
    QWidget *createFunctionPage();
    QWidget *createAdvancedPage();
    QWidget *createAssociationPage();
    QWidget *createCopyrightPage();
    void createOkButton();
    void chooseColour(ColourSwatch *swatch);
    void showShellMessage(const QString &text);

    void Button1Click();
    void Button2Click();
    void Button3Click();
    void PButton1Click();

    PartControl<QTabWidget> PageControl1{pages_};
    // 画面設定
    PartControl<QComboBox> ComboBox1{pages_};
    PartControl<QCheckBox> CheckBox1{pages_};
    PartControl<QCheckBox> CheckBox2{pages_};
    PartControl<QCheckBox> CheckBoxLineNumbers{pages_};
    PartControl<QRadioButton> RadioButton1{pages_};
    PartControl<QRadioButton> RadioButton2{pages_};
    PartControl<ColourSwatch> Panel2{pages_};
    PartControl<QPushButton> Button1{pages_};
    PartControl<ColourSwatch> Panel3{pages_};
    PartControl<QPushButton> Button2{pages_};
    // 機能設定
    PartControl<QCheckBox> CheckBox10{pages_};
    PartControl<QCheckBox> CheckBox11{pages_};
    PartControl<QCheckBox> CheckBox17{pages_};
    PartControl<QCheckBox> CheckBox13{pages_};
    PartControl<QLineEdit> Edit1{pages_};
    PartControl<QCheckBox> CheckBox3{pages_};
    PartControl<QCheckBox> CheckBox16{pages_};
    PartControl<QLineEdit> Edit2{pages_};
    PartControl<QPushButton> Button3{pages_};
    // 高度設定
    PartControl<QCheckBox> CheckBox14{pages_};
    PartControl<QCheckBox> CheckBox15{pages_};
    PartControl<RadioGroup> RadioGroup2{pages_};
    PartControl<RadioGroup> RadioGroup1{pages_};
    PartControl<QCheckBox> CheckBoxNewUtf8{pages_};
    PartControl<QCheckBox> CheckBox4{pages_};
    // 関連付け
    PartControl<QCheckBox> CheckBox5{pages_};
    PartControl<QCheckBox> CheckBox6{pages_};
    PartControl<QCheckBox> CheckBox12{pages_};
    PartControl<QCheckBox> CheckBox7{pages_};
    PartControl<QCheckBox> CheckBox8{pages_};
    PartControl<QCheckBox> CheckBox9{pages_};
    // 著作権
    PartControl<TURLLabel> URLLabel1{pages_};
    PartControl<TURLLabel> URLLabel2{pages_};

    PartControl<TShineSpeedButton> PButton1{pages_};
    BuiltOnUse<QFileDialog> OpenDialog1; // built when first opened
    QLabel *aboutIcon_ = nullptr;

    QString iniPath_;
    // With the text and HTML openers that were the desktop's before ours (PreTxtProg, PreHtmProg).
    DialogOptions options_;
    // Whether options_ was read or given; the controls keep their own defaults until then.
    bool optionsHeld_ = false;
    // What the desktop holds of ours: read with the settings, updated by each close.
    ShellIntegration::Choices shownChoices_;
    bool firstShowPending_ = true;
    Page page_ = ScreenPage;
    bool shellChoicesShown_ = false;
    bool firefoxFound_ = true;
    std::function<QColorDialog *()> colorDialogOf_;
    QColorDialog *colorDialog_ = nullptr;
};
