// Opening, saving and replacing the document.
#include "cp932.h"
#include "document_codec.h"
#include "document_filters.h"
#include "document_store.h"
#include "tform1.h"
#include "tform3.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>

namespace {

QFileDialog *MakeFileDialog(QWidget *parent, const char *name, const QString &title,
                            QFileDialog::AcceptMode mode)
{
    auto *dialog = new QFileDialog(parent, title);
    dialog->setObjectName(QLatin1String(name));
    dialog->setAcceptMode(mode);
    dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
    return dialog;
}

void StartIn(QFileDialog *dialog, const QString &documentPath)
{
    const QFileInfo info(documentPath);
    dialog->setDirectory(info.absolutePath());
    dialog->selectFile(info.fileName());
}

QString FilterAt(int index)
{
    const QStringList filters = DocumentNameFilters();
    return filters.value(index - 1, filters.first());
}

} // namespace

void TForm1::CreateDialogs()
{
    OpenDialog1 =
        MakeFileDialog(this, "OpenDialog1", QStringLiteral("ファイルを開く"), QFileDialog::AcceptOpen);
    SaveDialog1 =
        MakeFileDialog(this, "SaveDialog1", QStringLiteral("ファイルを保存"), QFileDialog::AcceptSave);
    OpenDialog1->setNameFilters(DocumentNameFilters());
    SaveDialog1->setNameFilters(DocumentNameFilters());
    OpenDialog2 = MakeFileDialog(this, "OpenDialog2", QStringLiteral("リンク対象ファイル参照"),
                                 QFileDialog::AcceptOpen);
    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setObjectName(QStringLiteral("ColorDialog1"));
}

DocumentCodeOptions TForm1::CurrentCodeOptions() const
{
    if (Form3 == nullptr)
        return {};
    const DialogOptions o = Form3->options();
    return {o.autoDecode, o.decodeAll, o.charCode, o.retCode};
}

void TForm1::ShowFileError(const QString &message)
{
    QMessageBox::critical(this, QStringLiteral("QUMOEDIT"), message);
}

bool TForm1::ConfirmSaveChanges()
{
    if (!RichEdit1->document()->isModified())
        return true;
    QApplication::beep();
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("QUMOEDIT確認"),
                    DocumentPath + QStringLiteral(" への変更を保存しますか？"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("ConfirmSaveChanges"));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return SaveDocument(DocumentPath);
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool TForm1::LoadDocument(const QString &path)
{
    const DocumentRead read = ReadDocument(path, ConvertsOnLoad(path, CurrentCodeOptions()));
    if (!read.ok) {
        ShowFileError(read.error);
        return false;
    }
    RichEdit1->setPlainText(read.text);
    verbatimBytes_ = read.verbatim;
    verbatimRevision_ = RichEdit1->document()->revision();
    // Tag colouring after loading comes with the editing behaviour.
    DocumentPath = path;
    ShowStatus();
    PoChange();
    return true;
}

bool TForm1::AgreeToLoseUnencodable(QStringView text, qsizetype index)
{
    const Cp932::Unencodable lost = Cp932::DescribeCharacterAt(text, index);
    const QString question =
        QStringLiteral("%1 行目の「%2」などShift_JISで表せない文字は「?」として保存されます。\n"
                       "保存しますか？")
            .arg(lost.line)
            .arg(lost.character);
    QMessageBox box(QMessageBox::Warning, QStringLiteral("QUMOEDIT"), question,
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("UnencodableQuestion"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool TForm1::SaveDocument(const QString &path)
{
    const DocumentCodeOptions options = CurrentCodeOptions();
    const bool convert = ConvertsOnSave(path, options);
    QByteArray sjis;
    if (!verbatimBytes_.isEmpty() && RichEdit1->document()->revision() == verbatimRevision_) {
        sjis = verbatimBytes_;
    } else {
        // The raw text keeps no-break spaces, which the plain-text copy would
        // turn into spaces.
        const QString text = RichEdit1->document()->toRawText();
        if (!convert) {
            TextWrite write = WriteDocumentText(path, text, true);
            if (write.firstUnencodable >= 0 && !write.written) {
                if (!AgreeToLoseUnencodable(text, write.firstUnencodable))
                    return false;
                write = WriteDocumentText(path, text, false);
            }
            if (!write.written)
                ShowFileError(write.error);
            return write.written;
        }
        qsizetype unencodable = -1;
        sjis = Cp932::Encode(text, &unencodable);
        if (unencodable >= 0 && !AgreeToLoseUnencodable(text, unencodable))
            return false;
    }
    QString error;
    if (WriteDocument(path, convert ? ConvertSavedBytes(sjis, options) : sjis, &error))
        return true;
    ShowFileError(error);
    return false;
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
    LoadDocument(OpenDialog1->selectedFiles().first());
}

void TForm1::SSButton2Click()
{
    PlayClickSound();
    if (!ConfirmSaveChanges())
        return;
    RichEdit1->clear();
    DocumentPath = NewDocumentPath(DocumentPath, !Panel3->isHidden());
    ShowStatus();
}

void TForm1::SSButton3Click()
{
    PlayClickSound();
    const QString oldExtension = FileExtension(DocumentPath);
    StartIn(SaveDialog1, DocumentPath);
    SaveDialog1->selectNameFilter(FilterAt(SaveAsStartFilter(openFilterIndex_, oldExtension)));
    if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty())
        return;
    const int filter = DocumentFilterIndex(SaveDialog1->selectedNameFilter());
    const bool saveAsHtm = Form3 != nullptr && Form3->CheckBox13->isChecked();
    DocumentPath =
        WithExtensionForFilter(SaveDialog1->selectedFiles().first(), filter, saveAsHtm, oldExtension);
    if (SaveDocument(DocumentPath))
        ShowStatus();
}

void TForm1::SSButton4Click()
{
    PlayClickSound();
    const bool confirm = Form3 != nullptr && Form3->CheckBox17->isChecked();
    if (confirm && QFileInfo::exists(DocumentPath)) {
        QMessageBox box(QMessageBox::Question, QStringLiteral("QUMOEDIT"),
                        DocumentPath + QStringLiteral("\nは存在します。上書きしますか？"),
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setObjectName(QStringLiteral("OverwriteQuestion"));
        if (box.exec() != QMessageBox::Yes)
            return;
    }
    if (SaveDocument(DocumentPath))
        RichEdit1->document()->setModified(false);
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
