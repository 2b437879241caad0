// Opening, saving and replacing the document.
#include "cp932.h"
#include "document_codec.h"
#include "document_filters.h"
#include "document_store.h"
#include "kept_lines.h"
#include "tform1.h"
#include "tform3.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
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
    if (info.isDir()) {
        dialog->setDirectory(info.absoluteFilePath());
        dialog->selectFile(QString());
        return;
    }
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
        return SaveInPlace(false);
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

bool TForm1::LoadDocument(const QString &path)
{
    const QString absolute = path.isEmpty() ? path : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    DocumentRead read;
    {
        // Large files take a while to read and lay out.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        statusPanels_[3]->setText(QStringLiteral("読み込み中: ") + absolute);
        statusPanels_[3]->repaint();
        read = ReadDocument(absolute, ConvertsOnLoad(absolute, CurrentCodeOptions()));
        if (read.ok) {
            RichEdit1->setPlainText(read.text);
            if (read.original.isEmpty())
                keptLines_.clear();
            else
                keptLines_.Remember(read.text, read.original);
            read.text.clear();
        }
        QApplication::restoreOverrideCursor();
    }
    if (!read.ok) {
        statusPanels_[3]->setText(DocumentPath);
        ShowFileError(read.error);
        return false;
    }
    diskIdentity_ = read.identity;
    noticedIdentity_ = {};
    // Tag colouring after loading comes with the editing behaviour.
    DocumentPath = absolute;
    ShowStatus();
    PoChange();
    return true;
}

bool TForm1::AgreeToLoseUnencodable(QStringView text, qsizetype index)
{
    const Cp932::Unencodable lost = Cp932::DescribeCharacterAt(text, index);
    const QString question =
        QStringLiteral("%1 行目の「%2」(U+%3) などShift_JISで表せない文字は「?」として保存されます。\n"
                       "保存しますか？")
            .arg(lost.line)
            .arg(lost.character)
            .arg(QString::number(QStringView(lost.character).toUcs4().value(0), 16).toUpper(), 4, u'0');
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
    // The raw text keeps no-break spaces, which the plain-text copy would
    // turn into spaces.
    const QString text = RichEdit1->document()->toRawText();
    const KeptBytes kept = keptLines_.Collect(*RichEdit1->document());
    const KeptBytes *keptLines = kept.ranges.empty() ? nullptr : &kept;
    bool written = false;
    if (!convert) {
        TextWrite write = WriteDocumentText(path, text, true, keptLines);
        if (write.firstUnencodable >= 0 && !write.written) {
            if (!AgreeToLoseUnencodable(text, write.firstUnencodable))
                return false;
            write = WriteDocumentText(path, text, false, keptLines);
        }
        if (!write.written)
            ShowFileError(write.error);
        written = write.written;
    } else {
        qsizetype unencodable = -1;
        const QByteArray sjis = EncodeDocument(text, keptLines, &unencodable);
        if (unencodable >= 0 && !AgreeToLoseUnencodable(text, unencodable))
            return false;
        QString error;
        written = WriteDocument(path, ConvertSavedBytes(sjis, options), &error);
        if (!written)
            ShowFileError(error);
    }
    if (written && path == DocumentPath)
        diskIdentity_ = FileIdentity::Of(path);
    return written;
}

bool TForm1::DiskFileDiffers() const
{
    const FileIdentity now = FileIdentity::Of(DocumentPath);
    return now.exists && now != diskIdentity_;
}

bool TForm1::SaveInPlace(bool askOverwrite)
{
    if (DocumentPath.isEmpty() || QFileInfo(DocumentPath).isDir())
        return SaveAsChosenName();
    const bool changed = DiskFileDiffers() && diskIdentity_.exists;
    if (changed || ((askOverwrite || DiskFileDiffers()) && QFileInfo::exists(DocumentPath))) {
        const QString question =
            changed ? QStringLiteral("\nは他のプログラムによって変更されています。上書きしますか？")
                    : QStringLiteral("\nは存在します。上書きしますか？");
        QMessageBox box(QMessageBox::Question, QStringLiteral("QUMOEDIT"), DocumentPath + question,
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setObjectName(changed ? QStringLiteral("ChangedOnDiskQuestion")
                                  : QStringLiteral("OverwriteQuestion"));
        if (changed)
            box.setDefaultButton(QMessageBox::No);
        if (box.exec() != QMessageBox::Yes)
            return false;
    }
    if (!SaveDocument(DocumentPath))
        return false;
    RichEdit1->document()->setModified(false);
    return true;
}

void TForm1::CheckDiskChanges()
{
    if (checkingDisk_ || !diskIdentity_.exists || QApplication::activeModalWidget() != nullptr)
        return;
    const FileIdentity now = FileIdentity::Of(DocumentPath);
    if (!now.exists || now == diskIdentity_ || now == noticedIdentity_)
        return;
    noticedIdentity_ = now;
    checkingDisk_ = true;
    QString question =
        DocumentPath + QStringLiteral("\nは他のプログラムによって変更されました。\n読み込み直しますか？");
    if (RichEdit1->document()->isModified())
        question += QStringLiteral("\n（編集中の変更は失われます）");
    QMessageBox box(QMessageBox::Question, QStringLiteral("QUMOEDIT"), question,
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("ReloadQuestion"));
    const bool reload = box.exec() == QMessageBox::Yes;
    checkingDisk_ = false;
    if (reload)
        LoadDocument(DocumentPath);
}

void TForm1::StartNewDocument(const QString &path)
{
    RichEdit1->clear();
    keptLines_.clear();
    diskIdentity_ = {};
    noticedIdentity_ = {};
    DocumentPath = path;
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
    StartNewDocument(NewDocumentPath(DocumentPath, !Panel3->isHidden()));
    ShowStatus();
}

bool TForm1::SaveAsChosenName()
{
    const QString oldExtension = FileExtension(DocumentPath);
    StartIn(SaveDialog1, DocumentPath);
    SaveDialog1->selectNameFilter(FilterAt(SaveAsStartFilter(openFilterIndex_, oldExtension)));
    if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty())
        return false;
    const int filter = DocumentFilterIndex(SaveDialog1->selectedNameFilter());
    const bool saveAsHtm = Form3 != nullptr && Form3->CheckBox13->isChecked();
    const QString chosen =
        WithExtensionForFilter(SaveDialog1->selectedFiles().first(), filter, saveAsHtm, oldExtension);
    // A declined or failed save leaves the document under its old name.
    if (!SaveDocument(chosen))
        return false;
    DocumentPath = chosen;
    diskIdentity_ = FileIdentity::Of(chosen);
    noticedIdentity_ = {};
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
    SaveInPlace(Form3 != nullptr && Form3->CheckBox17->isChecked());
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
