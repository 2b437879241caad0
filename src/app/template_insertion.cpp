#include "template_insertion.h"

#include "button_palette.h"
#include "colour_panel.h"
#include "document.h"
#include "document_questions.h"
#include "stored_text.h"
#include "template_expansion.h"
#include "text_commands.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPlainTextEdit>

TemplateInsertion::TemplateInsertion(QPlainTextEdit *editor, const Document &document, const TagPalette *tags,
                                     const ColourPanel *colours, QWidget *window)
    : QObject(window), editor_(editor), document_(document), tags_(tags), colours_(colours), window_(window)
{
    linkDialog_.setBuilder([window] {
        return MakeFileDialog(window, "OpenDialog2", QStringLiteral("リンク対象ファイル参照"),
                              QFileDialog::AcceptOpen);
    });
}

QString TemplateInsertion::chooseLinkFile(const QString &initialFolder)
{
    if (!initialFolder.isEmpty())
        linkDialog_->setDirectory(initialFolder);
    linkDialog_->selectFile(QString());
    if (linkDialog_->exec() != QDialog::Accepted || linkDialog_->selectedFiles().isEmpty())
        return {};
    return linkDialog_->selectedFiles().first();
}

void TemplateInsertion::insert(const Palettes::ButtonRecord &record, int caseMode, bool sendToClipboard)
{
    TextCommands::CommitPreedit(editor_);
    Palettes::TemplateRequest request;
    request.content = record.content;
    request.selectStart = record.selectStart;
    request.selectLength = record.selectLength;
    request.caseMode = caseMode;
    request.selection = TextTools::StoredSelection(editor_->textCursor());
    request.alignment = tags_->alignment();
    request.colours = colours_->templateColours();
    request.now = QDateTime::currentDateTime();
    request.locale = QLocale::system();
    request.charset = CharsetName(document_.format().code);
    request.documentPath = document_.path();
    request.lastImageDocument = lastImageDocument_;
    const Palettes::Expansion expansion =
        Palettes::InsertTemplate(request, [this](const QString &folder) { return chooseLinkFile(folder); });
    lastImageDocument_ = expansion.lastImageDocument;
    for (const Palettes::TemplateMessage &message : expansion.messages) {
        QMessageBox box(QMessageBox::NoIcon, message.caption, message.text, QMessageBox::Ok, window_);
        box.setObjectName(QStringLiteral("TemplateMessage"));
        box.exec();
    }

    if (sendToClipboard)
        QGuiApplication::clipboard()->setText(expansion.text);
    else
        TextCommands::InsertAndSelect(editor_, expansion.text, expansion.selectStart, expansion.selectLength);
    editor_->setFocus();
}
