// Opening, saving and replacing the document.
#include "document_codec.h"
#include "document_filters.h"
#include "document_questions.h"
#include "document_store.h"
#include "kept_lines.h"
#include "save_format_choice.h"
#include "status_bar.h"
#include "tag_colours.h"
#include "tform1.h"
#include "tform2.h"
#include "tform3.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QScopedValueRollback>
#include <QTimer>

void TForm1::CreateDialogs()
{
    OpenDialog1.setBuilder([this] {
        QFileDialog *dialog =
            MakeFileDialog(this, "OpenDialog1", QStringLiteral("ファイルを開く"), QFileDialog::AcceptOpen);
        dialog->setNameFilters(DocumentNameFilters());
        return dialog;
    });
    SaveDialog1.setBuilder([this] {
        QFileDialog *dialog =
            MakeFileDialog(this, "SaveDialog1", QStringLiteral("ファイルを保存"), QFileDialog::AcceptSave);
        dialog->setNameFilters(DocumentNameFilters());
        return dialog;
    });
    SaveFormat.setBuilder([this] {
        saveFormat_ = std::make_unique<SaveFormatChoice>(SaveDialog1);
        return saveFormat_.get();
    });
    OpenDialog2.setBuilder([this] {
        return MakeFileDialog(this, "OpenDialog2", QStringLiteral("リンク対象ファイル参照"),
                              QFileDialog::AcceptOpen);
    });
    ColorDialog1.setBuilder([this] {
        auto *dialog = new QColorDialog(this);
        dialog->setObjectName(QStringLiteral("ColorDialog1"));
        return dialog;
    });
    Form2.setBuilder([this] { return new TForm2([this] { return Panel4->colourCode(); }, this); });
}

void TForm1::ShowFileError(const QString &message)
{
    QMessageBox::critical(this, QStringLiteral("QUMOEDIT"), message);
}

bool TForm1::ConfirmSaveChanges()
{
    if (!RichEdit1->document()->isModified())
        return true;
    switch (AskSaveChanges(this, DocumentPath)) {
    case QMessageBox::Yes:
        return SaveInPlace(false);
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool TForm1::LoadDocument(const QString &path)
{
    if (loading_)
        return false;
    OfferLeftoverSaves(path);
    // Large files take a while to read and lay out; the window repaints
    // meanwhile. The busy cursor comes once the wait could be noticed: a
    // small file at start-up is shown before it would.
    StatusBar1->showLoading(path);
    bool busy = false;
    QTimer busyCursor;
    busyCursor.setSingleShot(true);
    connect(&busyCursor, &QTimer::timeout, this, [&busy] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        busy = true;
    });
    busyCursor.start(100);
    // The new text starts uncoloured; the colouring then sleeps through the load.
    tagColours_->clear();
    DocumentResult loaded;
    {
        const QScopedValueRollback<bool> reading(loading_, true);
        loaded = document_.load(path);
    }
    busyCursor.stop();
    if (busy)
        QApplication::restoreOverrideCursor();
    if (!loaded.done()) {
        StatusBar1->setPath(DocumentPath);
        ShowFileError(loaded.message);
        return false;
    }
    RichEdit1->moveCursor(QTextCursor::Start);
    ApplyTextSize(baseFontSize_);
    if (options_->options().useAutoHtml)
        ColourAllTags();
    ShowStatus();
    PoChange();
    return true;
}

bool TForm1::SaveDocument(const QString &path, const std::optional<DocumentFormat> &as)
{
    const DocumentResult saved = document_.save(
        path, [this](QStringView text, qsizetype index) { return AgreeToLoseUnencodable(this, text, index); },
        as);
    if (saved.outcome == DocumentResult::Failed)
        ShowFileError(saved.message);
    return saved.done();
}

bool TForm1::SaveInPlace(bool askOverwrite)
{
    // After "/setup" the path names a folder, which may be gone since.
    if (DocumentPath.isEmpty() || DocumentPath.endsWith(u'/') || QFileInfo(DocumentPath).isDir())
        return SaveAsChosenName();
    const bool differs = document_.fileDiffers();
    const bool changed = differs && document_.holdsFile();
    if ((differs || (askOverwrite && QFileInfo::exists(DocumentPath))) &&
        !AgreeToReplace(this, DocumentPath, changed, true))
        return false;
    if (!SaveDocument(DocumentPath))
        return false;
    RichEdit1->document()->setModified(false);
    return true;
}

void TForm1::CheckDiskChanges()
{
    if (checkingDisk_ || loading_ || QApplication::activeModalWidget() != nullptr ||
        !document_.takeNewOutsideChange())
        return;
    checkingDisk_ = true;
    const bool reload = AgreeToReload(this, DocumentPath, RichEdit1->document()->isModified());
    checkingDisk_ = false;
    if (reload)
        LoadDocument(DocumentPath);
}

void TForm1::StartNewDocument(const QString &path)
{
    document_.startNew(path);
}

void TForm1::SSButton1Click()
{
    PlayClickSound();
    if (!ConfirmSaveChanges())
        return;
    StartIn(OpenDialog1, DocumentPath);
    OpenDialog1->selectNameFilter(FilterAt(openFilterIndex_));
    if (OpenDialog1->exec() != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty())
        return;
    openFilterIndex_ = DocumentFilterIndex(OpenDialog1->selectedNameFilter());
    Panel13->setAutoUpDate(false);
    LoadDocument(OpenDialog1->selectedFiles().first());
    Panel13->setAutoUpDate(true);
}

void TForm1::SSButton2Click()
{
    PlayClickSound();
    if (!ConfirmSaveChanges())
        return;
    StartNewDocument(NewDocumentPath(DocumentPath, !Panel3->isHidden()));
    ApplyTextSize(baseFontSize_);
    ShowStatus();
}

bool TForm1::SaveAsChosenName()
{
    const QString oldExtension = FileExtension(DocumentPath);
    // The filter first: choosing it afterwards would give the name the filter's first extension
    // (page.html offered as page.htm).
    SaveDialog1->selectNameFilter(FilterAt(SaveAsStartFilter(openFilterIndex_, oldExtension)));
    StartIn(SaveDialog1, DocumentPath);
    const DocumentFormat current = document_.format();
    SaveFormat->show(current, document_.mixedLineEnds());
    if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty())
        return false;
    // A line end chosen by name applies to every line, even when it is the most common one.
    if (document_.mixedLineEnds() && !SaveFormat->keepsMixedLineEnds())
        document_.unifyLineEnds();
    // Left as it was, the choice leaves a Shift_JIS document to the options'
    // rules for its new name.
    std::optional<DocumentFormat> as;
    if (SaveFormat->chosen() != current)
        as = SaveFormat->chosen();
    const int filter = DocumentFilterIndex(SaveDialog1->selectedNameFilter());
    const bool saveAsHtm = options_->options().saveAsHtm;
    const QString chosen =
        WithExtensionForFilter(SaveDialog1->selectedFiles().first(), filter, saveAsHtm, oldExtension);
    // Asked here rather than by the dialog: the extension is only known now.
    const bool ownFile = chosen == DocumentPath && document_.holdsFile();
    if (QFileInfo::exists(chosen) && (!ownFile || document_.fileDiffers()) &&
        !AgreeToReplace(this, chosen, ownFile, false))
        return false;
    // A declined or failed save leaves the document under its old name.
    if (!SaveDocument(chosen, as))
        return false;
    document_.rename(chosen, as);
    ShowStatus();
    return true;
}

void TForm1::SSButton3Click()
{
    PlayClickSound();
    SaveAsChosenName();
}

void TForm1::SSButton4Click()
{
    PlayClickSound();
    SaveInPlace(options_->options().overwriteMes);
}

void TForm1::SSButton5Click()
{
    PlayClickSound();
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    printer.setDocName(DocumentPath);
    RichEdit1->print(&printer);
}
