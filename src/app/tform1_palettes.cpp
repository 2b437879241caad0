// The palettes' connections: a button's record expanded into the editor or the
// clipboard, the info line, and the sets listed once the program folder is known.
#include "button_palette.h"
#include "colour_panel.h"
#include "html_charset.h"
#include "stored_text.h"
#include "template_expansion.h"
#include "text_commands.h"
#include "tform1.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextDocumentFragment>

void TForm1::CreatePaletteHandlers()
{
    for (ButtonPalette *palette :
         {static_cast<ButtonPalette *>(Panel3), static_cast<ButtonPalette *>(Panel12)}) {
        palette->setButtonDialog([this] { return Form2.get(); });
        connect(palette, &ButtonPalette::buttonChosen, this,
                [this, palette](const Palettes::ButtonRecord &record, int caseMode) {
                    InsertButton(record, caseMode, palette == Panel12 && Panel12->CheckBox4->isChecked());
                });
        connect(palette, &ButtonPalette::hovered, Panel11, &QLabel::setText);
        connect(palette, &ButtonPalette::fileError, this, &TForm1::ShowFileError);
        connect(palette, &ButtonPalette::clickSound, this, &TForm1::PlayClickSound);
        connect(palette, &ButtonPalette::editorFocusWanted, RichEdit1, qOverload<>(&QWidget::setFocus));
    }
}

QString TForm1::ChooseLinkFile(const QString &initialFolder)
{
    if (!initialFolder.isEmpty())
        OpenDialog2->setDirectory(initialFolder);
    OpenDialog2->selectFile(QString());
    if (OpenDialog2->exec() != QDialog::Accepted || OpenDialog2->selectedFiles().isEmpty())
        return {};
    return OpenDialog2->selectedFiles().first();
}

void TForm1::InsertButton(const Palettes::ButtonRecord &record, int caseMode, bool sendToClipboard)
{
    Palettes::TemplateRequest request;
    request.content = record.content;
    request.selectStart = record.selectStart;
    request.selectLength = record.selectLength;
    request.caseMode = caseMode;
    request.selection = TextTools::StoredSelection(RichEdit1->textCursor());
    request.alignment = Panel3->ComboBox3->currentText();
    request.colours = Panel4->templateColours();
    request.now = QDateTime::currentDateTime();
    request.locale = QLocale::system();
    request.charset = Palettes::HtmlCharsetName(document_.format().code);
    request.documentPath = DocumentPath;
    request.lastImageDocument = lastImageDocument_;
    const Palettes::Expansion expansion =
        Palettes::InsertTemplate(request, [this](const QString &folder) { return ChooseLinkFile(folder); });
    lastImageDocument_ = expansion.lastImageDocument;
    for (const Palettes::TemplateMessage &message : expansion.messages) {
        QMessageBox box(QMessageBox::NoIcon, message.caption, message.text, QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("TemplateMessage"));
        box.exec();
    }

    if (sendToClipboard) {
        QGuiApplication::clipboard()->setText(expansion.text);
        RichEdit1->setFocus();
        return;
    }
    TextCommands::InsertAndSelect(RichEdit1, expansion.text, expansion.selectStart, expansion.selectLength);
    RichEdit1->setFocus();
}
