// Reading a document in, and the file commands' buttons with the browse button.
#include "button_palette.h"
#include "colour_panel.h"
#include "crash_recovery.h"
#include "document_files.h"
#include "document_filters.h"
#include "editing_area.h"
#include "folder_pane.h"
#include "reopen_menu.h"
#include "status_bar.h"
#include "tag_colours.h"
#include "tform1.h"
#include "tform2.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QMessageBox>
#include <QPlainTextEdit>

void TForm1::createDialogs()
{
    files_ = new DocumentFiles(document_, RichEdit1, this);
    files_->setOptions(&options_);
    connect(files_, &DocumentFiles::failed, this, &TForm1::showFileError);
    connect(files_, &DocumentFiles::renamed, this, &TForm1::ShowStatus);
    connect(files_, &DocumentFiles::written, this, [this] { noteRecent(document_.path()); });
    ColorDialog1.setBuilder([this] {
        auto *dialog = new QColorDialog(this);
        dialog->setObjectName(QStringLiteral("ColorDialog1"));
        return dialog;
    });
    Form2.setBuilder([this] { return new TForm2([this] { return Panel4->colourCode(); }, this); });
}

void TForm1::showFileError(const QString &message)
{
    QMessageBox::critical(this, QStringLiteral("QUMOEDIT"), message);
}

bool TForm1::ConfirmSaveChanges()
{
    return files_->confirmSaveChanges();
}

bool TForm1::LoadDocument(const QString &path, std::optional<DocumentCode> code)
{
    if (files_->loading())
        return false;
    crashRecovery_->offerLeftoverSaves(path);
    // Large files take a while to read and lay out; the window repaints
    // meanwhile. A small file at start-up is shown before the busy cursor would be.
    StatusBar1->showLoading(path);
    // The new text starts uncoloured; the colouring then sleeps through the load.
    tagColours_->clear();
    const Outcome loaded = files_->load(path, code);
    if (!loaded.done()) {
        StatusBar1->setPath(document_.path());
        showFileError(loaded.message);
        return false;
    }
    showNewText();
    noteRecent(path);
    return true;
}

void TForm1::showNewText()
{
    RichEdit1->moveCursor(QTextCursor::Start);
    Panel14->setTextSize(baseFontSize_);
    if (options_.options().useAutoHtml)
        ColourAllTags();
    ShowStatus();
    PoChange();
}

Outcome TForm1::SaveDocument(const QString &path, const std::optional<DocumentFormat> &as)
{
    return files_->save(path, as);
}

void TForm1::reopenIn(DocumentCode code)
{
    if (!document_.holdsFile()) {
        showFileError(QStringLiteral("%1\nはまだファイルになっていないので、読み込み直せません。")
                          .arg(QDir::toNativeSeparators(document_.path())));
        return;
    }
    // Reading the file again never changes it; only the edits would go.
    if (RichEdit1->document()->isModified() && !AgreeToReopen(this, document_.path(), CodeName(code)))
        return;
    LoadDocument(document_.path(), code);
}

void TForm1::checkDiskChanges()
{
    if (files_->loading() || QApplication::activeModalWidget() != nullptr)
        return;
    if (files_->agreeToReload())
        LoadDocument(document_.path());
}

void TForm1::SSButton1Click()
{
    PlayClickSound();
    if (!ConfirmSaveChanges())
        return;
    const QString path = files_->chooseFileToOpen();
    if (path.isEmpty())
        return;
    Panel13->setAutoUpDate(false);
    LoadDocument(path);
    Panel13->setAutoUpDate(true);
}

void TForm1::SSButton2Click()
{
    PlayClickSound();
    if (!ConfirmSaveChanges())
        return;
    document_.startNew(NewDocumentPath(document_.path(), !Panel3->isHidden()));
    Panel14->setTextSize(baseFontSize_);
    ShowStatus();
}

void TForm1::SSButton3Click()
{
    PlayClickSound();
    files_->saveAs();
}

void TForm1::SSButton4Click()
{
    PlayClickSound();
    // The first save makes a new file: the status bar stops calling it new.
    if (files_->saveInPlace(options_.options().overwriteMes).done())
        ShowStatus();
}

void TForm1::SSButton5Click()
{
    PlayClickSound();
    files_->print();
}

void TForm1::ShineSpeedButton1Click()
{
    PlayClickSound();
    if (files_->showInBrowser(ProgramDir + QStringLiteral("tmp.html")))
        tagColours_->forgetChange();
}
