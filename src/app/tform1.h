// The main window: toolbar, editing area with its ruler, the tool panels
// around it, the status bar and the context menu. It owns the one document.
#pragma once

#include "built_on_use.h"
#include "document.h"
#include "editor_options.h"
#include "window_commands.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

class ClipPalette;
class ColourPanel;
class CrashRecovery;
class DocumentFiles;
class EditingArea;
class EditorKeys;
class EditorSearch;
class FolderPane;
class HtmlCheckPane;
class QAction;
class QColorDialog;
class QLabel;
class QPlainTextEdit;
class QSessionManager;
class PreviewPane;
class SearchBar;
class SoundPlayer;
class StatusBar;
class TagColours;
class TagPalette;
class TForm2;
class TForm3;
class Toolbar;

class TForm1 : public QWidget
{
    Q_OBJECT

    // The options as the settings dialog last produced them; the defaults until it exists.
    FixedOptions options_;
    Document document_{&options_};

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // The settings dialog, created after this window (entry point); the
    // options come from it from then on.
    void setForm3(TForm3 *form3);
    Document &document() { return document_; }
    // The arguments after the program name; read by the start-up sequence.
    void setCommandLine(const QStringList &arguments) { commandLine_ = arguments; }
    // Where settings and sets live; resolved at start-up when not set before.
    void setProgramDir(const QString &dir) { ProgramDir = dir; }

    // Recovery of unsaved text: enabled, and a handed-over copy set, before
    // the window is first shown.
    CrashRecovery &crashRecovery() const { return *crashRecovery_; }
    // The session is ending: asks to save when it may, else keeps the copy.
    void commitData(QSessionManager &manager);

    // Document routines.
    bool ConfirmSaveChanges();
    // Reads the file in `code` when given, else in the code it is found in.
    bool LoadDocument(const QString &path, std::optional<DocumentCode> code = std::nullopt);
    // 文字コードを指定して開き直す: the document's file read again in `code`, edits asked about first.
    void reopenIn(DocumentCode code);
    // Writes in `as` when given, else in the document's format for `path`.
    Outcome SaveDocument(const QString &path, const std::optional<DocumentFormat> &as = {});

    void ShowStatus();
    // The document's code and line end in the status bar.
    void showDocumentCode();
    void PoChange();
    void ColourAllTags();
    void Timer1Timer();
    void PlayClickSound();
    void HandleDroppedFiles(const QStringList &paths, QPoint dropPoint);
    // Asks whether to reload the document when another program changed its
    // file; the window runs it whenever it is activated.
    void checkDiskChanges();

    int baseFontSize() const { return baseFontSize_; }
    const QString &programDir() const { return ProgramDir; }

    // One action per command, named by its objectName.
    using Cmd = WindowCommands::Cmd;
    QAction *command(Cmd which) const { return commands_->action(which); }

public slots:
    void SSButton1Click();
    void SSButton2Click();
    void SSButton3Click();
    void SSButton4Click();
    void SSButton5Click();
    void SSButton11Click();
    void SSButton15Click();
    void ShineSpeedButton1Click();
    void FVEx1Click(QObject *sender, const QString &path);
    void DF51Click();
    void SpeedButton21Click();
    void SpeedButton22Click();
    void SpeedButton23Click();
    void Exit1Click();

signals:
    // The start-up sequence has run to its end (command line followed).
    void StartUpFinished();

protected:
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void followCommandLine();
    bool FormCloseQuery();
    void FormClose();
    // 最近使ったファイル and the desktop's list of recent files get `path`.
    void noteRecent(const QString &path);
    // The window's place, panels and the options into the settings file.
    void writeSettings();

    void createRegions();
    void connectToolbar();
    void createCommands();
    void createEditingBehaviour();
    void createDialogs();
    void createPaletteHandlers();
    void createColourHandlers();

    void readWindowSettings();
    void openSettingsDialog();
    void showFileError(const QString &message);
    void createRecovery();
    void createHtmlCheck();
    // A text read or restored: caret at the top, base size, colours, status.
    void showNewText();
    QString shippedFile(const QString &name) const;

    QString IniPath;
    QString ProgramDir;
    BuiltOnUse<TForm2> Form2;
    TForm3 *Form3 = nullptr;

    // Regions.
    Toolbar *Panel1;
    SearchBar *Panel10;
    FolderPane *Panel13;
    EditingArea *Panel14;
    QLabel *Panel2;        // ruler
    PreviewPane *Preview1; // the live preview, beside the folder pane and the editor
    QPlainTextEdit *RichEdit1;
    ClipPalette *Panel12;
    QLabel *Panel11; // palette info line
    TagPalette *Panel3;
    StatusBar *StatusBar1;

    WindowCommands *commands_ = nullptr;
    DocumentFiles *files_ = nullptr;
    ColourPanel *Panel4;
    BuiltOnUse<QColorDialog> ColorDialog1;
    BuiltOnUse<HtmlCheckPane> htmlCheck_; // 文書チェック, built on the first F7
    CrashRecovery *crashRecovery_ = nullptr;
    bool endingSession_ = false; // closes without asking; the copy is kept
    QStringList commandLine_;
    SoundPlayer *sounds_;
    EditorKeys *editorKeys_ = nullptr;
    TagColours *tagColours_ = nullptr;
    std::unique_ptr<EditorSearch> search_;
    int baseFontSize_ = 9;
    QStringList recentFiles_; // newest first
    bool firstShow_ = true;
    bool settingsFileExisted_ = true;
};
