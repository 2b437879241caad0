// The palettes' connections: a button's record expanded into the editor or the
// clipboard, the info line, and the sets listed once the program folder is known.
#include "display_blocks.h"
#include "editor_units.h"
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
        palette->setButtonDialog(Form2);
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

// The program folder is known from the first show on, when the sets are listed first.
void TForm1::ListTagSets()
{
    Panel3->setProgramDir(ProgramDir);
    Panel3->listSets();
}

void TForm1::LoadTagSet()
{
    Panel3->loadSet();
}

void TForm1::ListClipSets()
{
    Panel12->setProgramDir(ProgramDir);
    Panel12->listSets();
}

void TForm1::LoadClipSet()
{
    Panel12->loadSet();
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
    const qsizetype insertedAt =
        DisplayBlocks::SoftBreaks(*RichEdit1->document()).stored(RichEdit1->textCursor().selectionStart());
    TextCommands::InsertAtCaret(RichEdit1, expansion.text);
    // Stored offsets count editor units; the cursor counts characters, soft breaks too.
    const DisplayBlocks::SoftBreaks breaks(*RichEdit1->document());
    const qsizetype start = insertedAt + EditorUnits::IndexAt(expansion.text, expansion.selectStart);
    // The selection may reach past the inserted text; it spans at most selectLength characters.
    QTextCursor cursor = RichEdit1->textCursor();
    const int length = RichEdit1->document()->characterCount() - 1;
    cursor.setPosition(int(breaks.display(start)));
    cursor.setPosition(qMin(length, int(breaks.display(start + expansion.selectLength))),
                       QTextCursor::KeepAnchor);
    const QString after = TextTools::StoredSelection(cursor);
    cursor.setPosition(int(breaks.display(start)));
    cursor.setPosition(int(breaks.display(start + EditorUnits::IndexAt(after, expansion.selectLength))),
                       QTextCursor::KeepAnchor);
    RichEdit1->setTextCursor(cursor);
    RichEdit1->setFocus();
}
