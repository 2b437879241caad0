// The settings and about dialog. Its controls are the live store of the
// options: the program reads them through EditorOptions when it needs one,
// and writes them back at close.
//
// Start-up (main window, first show):
//     Form3->setIniPath(IniPath);
//     Form3->setColorDialog([this] { return ColorDialog1.get(); });
//     Form3->LoadSettingsIntoDialog();
//     ApplyEditorSettings(*Form3, *RichEdit1, *Panel2);
//     Form3->showPage(TForm3::CopyrightPage);
// Opening it: OpenSettingsDialog() in editor_settings.h.
//
// Its controls are built when it is first shown or one of them is first
// asked for; until then it holds what it was given.
#pragma once

#include "built_on_use.h"
#include "editor_options.h"
#include "settings_values.h"
#include "shell_integration.h"

#include <QDialog>
#include <functional>
#include <optional>

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

class TForm3 : public QDialog, public EditorOptions
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

    // Fills the controls from the settings file (defaults where it has no value).
    void LoadSettingsIntoDialog();
    // Sets the controls, in the order the settings file is read.
    void showOptions(const DialogOptions &options);
    // What the controls hold now.
    DialogOptions options() const override;
    // The tab shown when the dialog opens.
    void showPage(Page page);
    void setVisible(bool visible) override;

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

    // What the desktop holds of ours: read with the settings, updated by each successful close.
    ShellIntegration::Choices shownChoices;
    QString previousTxtCommand;
    QString previousHtmlCommand;
    bool firstShowPending = true;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void PButton1Click();

    // Reads the associations and launchers from the desktop into the boxes.
    void readShellIntegration();
    void showShellChoices(const ShellIntegration::Choices &choices);
    // Carries out the boxes of the associations tab; runs whenever the dialog closes.
    void UpdateShellIntegration();
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    // Enter presses OK, as in any dialog: the OK button is not a push button Qt would press.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildPages();
    void putOptions(const DialogOptions &options);
    void putShellChoices();
    void drawAboutIcon();
    QLabel *aboutIcon_ = nullptr;
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

    QString iniPath_;
    // What the controls show once built.
    std::optional<DialogOptions> shown_;
    Page page_ = ScreenPage;
    bool shellChoicesShown_ = false;
    bool firefoxFound_ = true;
    std::function<QColorDialog *()> colorDialogOf_;
    QColorDialog *colorDialog_ = nullptr;
};
