// The settings and about dialog. Its controls are the live store of the
// options: the program reads them through EditorOptions when it needs one,
// and writes them back at close.
//
// Start-up (main window, first show):
//     Form3->setIniPath(IniPath);
//     Form3->setColorDialog(ColorDialog1);
//     Form3->LoadSettingsIntoDialog();
//     ApplyEditorSettings(*Form3, *RichEdit1, *Panel2);
//     Form3->PageControl1->setCurrentIndex(TForm3::CopyrightPage);
// Opening it: OpenSettingsDialog() in editor_settings.h.
#pragma once

#include "built_on_use.h"
#include "editor_options.h"
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

class TForm3 : public QDialog, public EditorOptions
{
    Q_OBJECT

public:
    enum Page { ScreenPage, FunctionPage, AdvancedPage, AssociationPage, CopyrightPage };

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

    QTabWidget *PageControl1;
    // 画面設定
    QComboBox *ComboBox1;
    QCheckBox *CheckBox1;
    QCheckBox *CheckBox2;
    QRadioButton *RadioButton1;
    QRadioButton *RadioButton2;
    ColourSwatch *Panel2;
    QPushButton *Button1;
    ColourSwatch *Panel3;
    QPushButton *Button2;
    // 機能設定
    QCheckBox *CheckBox10;
    QCheckBox *CheckBox11;
    QCheckBox *CheckBox17;
    QCheckBox *CheckBox13;
    QLineEdit *Edit1;
    QCheckBox *CheckBox3;
    QCheckBox *CheckBox16;
    QLineEdit *Edit2;
    QPushButton *Button3;
    // 高度設定
    QCheckBox *CheckBox14;
    QCheckBox *CheckBox15;
    RadioGroup *RadioGroup2;
    RadioGroup *RadioGroup1;
    QCheckBox *CheckBoxNewUtf8;
    QCheckBox *CheckBox4;
    // 関連付け
    QCheckBox *CheckBox5;
    QCheckBox *CheckBox6;
    QCheckBox *CheckBox12;
    QCheckBox *CheckBox7;
    QCheckBox *CheckBox8;
    QCheckBox *CheckBox9;
    // 著作権
    TURLLabel *URLLabel1;
    TURLLabel *URLLabel2;

    TShineSpeedButton *PButton1;
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
    void ReadShellIntegration();
    void ShowShellChoices(const ShellIntegration::Choices &choices);
    // Carries out the boxes of the associations tab; runs whenever the dialog closes.
    void UpdateShellIntegration();
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;
    // Enter presses OK, as in any dialog: the OK button is not a push button Qt would press.
    void keyPressEvent(QKeyEvent *event) override;

private:
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
    void ShowShellMessage(const QString &text);

    QString iniPath_;
    std::function<QColorDialog *()> colorDialogOf_;
    QColorDialog *colorDialog_ = nullptr;
};
