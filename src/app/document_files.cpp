#include "document_files.h"

#include "busy_cursor.h"
#include "charset_declaration.h"
#include "display_blocks.h"
#include "document.h"
#include "document_codec.h"
#include "document_filters.h"
#include "document_loader.h"
#include "document_questions.h"
#include "editor_options.h"
#include "module_folders.h"
#include "print_module.h"
#include "save_format_choice.h"
#include "shell_open.h"
#include "stored_text.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QTextCursor>

DocumentFiles::DocumentFiles(Document &document, QPlainTextEdit *editor, QWidget *window)
    : QObject(window), document_(document), editor_(editor), window_(window)
{
    // A large file is read aside, and the window repaints while its text goes in.
    document_.setReader(ReadDocumentAside);
    document_.setPause([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    OpenDialog1.setBuilder([window] {
        QFileDialog *dialog =
            MakeFileDialog(window, "OpenDialog1", QStringLiteral("ファイルを開く"), QFileDialog::AcceptOpen);
        dialog->setNameFilters(DocumentNameFilters());
        return dialog;
    });
    SaveDialog1.setBuilder([this, window] {
        QFileDialog *dialog =
            MakeFileDialog(window, "SaveDialog1", QStringLiteral("ファイルを保存"), QFileDialog::AcceptSave);
        dialog->setNameFilters(DocumentNameFilters());
        saveFormat_ = std::make_unique<SaveFormatChoice>(dialog);
        return dialog;
    });
}

DocumentFiles::~DocumentFiles() = default;

Outcome DocumentFiles::load(const QString &path, std::optional<DocumentCode> code)
{
    const BusyCursor busy(std::chrono::milliseconds(100));
    const QScopedValueRollback<bool> reading(loading_, true);
    return document_.load(path, code);
}

bool DocumentFiles::confirmSaveChanges()
{
    if (!editor_->document()->isModified())
        return true;
    switch (AskSaveChanges(window_, document_.path())) {
    case QMessageBox::Yes:
        return saveInPlace(false).done();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

Outcome DocumentFiles::save(const QString &path, const std::optional<DocumentFormat> &as)
{
    const Outcome saved = document_.save(
        path,
        [this, code = as ? as->code : document_.format().code](QStringView text, qsizetype index) {
            return AgreeToLoseUnencodable(window_, text, index, CharsetName(code));
        },
        as);
    if (saved.kind == Outcome::Failed)
        emit failed(saved.message);
    return saved;
}

bool DocumentFiles::offerCharsetUpdate(DocumentCode before, DocumentCode after)
{
    if (before == after || !FileExtension(document_.path()).toLower().contains(QStringLiteral("htm")))
        return false;
    const QString text = TextTools::StoredText(*editor_->document());
    const std::optional<TextTools::CharsetDeclaration> declared = TextTools::FindCharsetDeclaration(text);
    const QString name = CharsetName(after);
    if (!declared || !TextTools::SameCharset(declared->name, CharsetName(before)) ||
        !AgreeToUpdateCharset(window_, declared->name, name))
        return false;
    const TextTools::TextRange shown = DisplayBlocks::SoftBreaks(*editor_->document()).range(declared->value);
    QTextCursor cursor(editor_->document());
    cursor.setPosition(int(shown.start));
    cursor.setPosition(int(shown.end()), QTextCursor::KeepAnchor);
    cursor.insertText(name);
    return true;
}

Outcome DocumentFiles::saveInPlace(bool askOverwrite)
{
    const QString &path = document_.path();
    // After "/setup" the path names a folder, which may be gone since.
    if (path.isEmpty() || path.endsWith(u'/') || QFileInfo(path).isDir())
        return saveAs();
    const bool differs = document_.fileDiffers();
    const bool changed = differs && document_.holdsFile();
    if ((differs || (askOverwrite && QFileInfo::exists(path))) &&
        !AgreeToReplace(window_, path, changed, document_.holdsFile()))
        return Outcome::declined();
    // The options' save code may write the page in another code than it was read in.
    const bool declarationChanged = offerCharsetUpdate(document_.state().code, document_.format().code);
    const Outcome saved = save(path);
    if (!saved.done()) {
        if (declarationChanged)
            editor_->document()->undo();
        return saved;
    }
    editor_->document()->setModified(false);
    emit written();
    return saved;
}

Outcome DocumentFiles::saveAs()
{
    const QString oldPath = document_.path();
    const QString oldExtension = FileExtension(oldPath);
    QFileDialog *dialog = SaveDialog1;
    // The filter first: choosing it afterwards would give the name the filter's first extension
    // (page.html offered as page.htm).
    dialog->selectNameFilter(FilterAt(SaveAsStartFilter(openFilterIndex_, oldExtension)));
    StartIn(dialog, oldPath);
    const DocumentFormat current = document_.format();
    saveFormat_->show(current, document_.mixedLineEnds());
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return Outcome::declined();
    // A line end chosen by name applies to every line, even when it is the most common one;
    // a save that does not happen leaves the lines their own ends.
    const bool unify = document_.mixedLineEnds() && !saveFormat_->keepsMixedLineEnds();
    const bool wasMixed = unify && document_.unifyLineEnds();
    auto keepEnds = qScopeGuard([this, wasMixed] {
        if (wasMixed)
            document_.undoUnify(true);
    });
    // Left as it was, the choice leaves a Shift_JIS document to the options'
    // rules for its new name.
    std::optional<DocumentFormat> as;
    if (saveFormat_->chosen() != current)
        as = saveFormat_->chosen();
    const int filter = DocumentFilterIndex(dialog->selectedNameFilter());
    const bool saveAsHtm = options_ != nullptr && options_->options().saveAsHtm;
    const QString chosen =
        WithExtensionForFilter(dialog->selectedFiles().first(), filter, saveAsHtm, oldExtension);
    // Asked here rather than by the dialog: the extension is only known now.
    const bool ownFile = chosen == oldPath && document_.holdsFile();
    if (QFileInfo::exists(chosen) && (!ownFile || document_.fileDiffers()) &&
        !AgreeToReplace(window_, chosen, ownFile, false))
        return Outcome::declined();
    // The declaration follows the code; a save that does not happen takes the change back.
    const bool declarationChanged = as && offerCharsetUpdate(current.code, as->code);
    // A declined or failed save leaves the document under its old name.
    const Outcome saved = save(chosen, as);
    if (!saved.done()) {
        if (declarationChanged)
            editor_->document()->undo();
        return saved;
    }
    keepEnds.dismiss();
    document_.rename(chosen, as);
    emit renamed();
    emit written();
    return saved;
}

QString DocumentFiles::chooseFileToOpen()
{
    QFileDialog *dialog = OpenDialog1;
    StartIn(dialog, document_.path());
    dialog->selectNameFilter(FilterAt(openFilterIndex_));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    openFilterIndex_ = DocumentFilterIndex(dialog->selectedNameFilter());
    return dialog->selectedFiles().first();
}

bool DocumentFiles::agreeToReload()
{
    if (asking_ || !document_.takeNewOutsideChange())
        return false;
    asking_ = true;
    const bool reload = AgreeToReload(window_, document_.path(), editor_->document()->isModified());
    asking_ = false;
    return reload;
}

void DocumentFiles::print()
{
    QStringList errors;
    const auto print = reinterpret_cast<PrintText>(
        ModuleEntry(ModuleFolders(), QStringLiteral("qumo_print"), QUMO_PRINT_TEXT, &errors));
    if (print == nullptr) {
        emit failed(
            QStringLiteral("印刷の部品 (qumo_print) が見つからないか、読み込めないため印刷できません。\n\n%1")
                .arg(errors.join(u'\n')));
        return;
    }
    print(editor_, document_.path(), window_);
}

bool DocumentFiles::showInBrowser(const QString &tmpPage)
{
    const QString &path = document_.path();
    if (!FileExtension(path).toLower().contains(QStringLiteral("htm"))) {
        TellNotHtml(window_, path);
        return false;
    }
    const DialogOptions options = options_->options();
    const QString target = options.useTmp ? tmpPage : path;
    // Written over the document's file, the page is saved as F4 saves it (a
    // file another program changed is not overwritten unasked), but without
    // the overwrite question: the preview shows what is being written.
    if (!(options.useTmp ? save(target) : saveInPlace(false)).done())
        return false;
    const bool second =
        options.secondBrowser || QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
    // The path is the browser's one argument, never a shell's words.
    if (second && !StartProgram(options.secondBrowserPath, {target}))
        emit failed(
            QStringLiteral("2番目のブラウザ「%"
                           "1」を起動できません。\n設定の「機能設定」でブラウザのパスを確かめてください。")
                .arg(QDir::toNativeSeparators(options.secondBrowserPath)));
    else if (!second && !OpenDocument(target))
        emit failed(QStringLiteral("%1 "
                                   "を開くブラウザを起動できません。\nブラウザが入っているか、HTMLを開くア"
                                   "プリケーションの設定を確かめてください。")
                        .arg(QDir::toNativeSeparators(target)));
    return !options.useTmp;
}
