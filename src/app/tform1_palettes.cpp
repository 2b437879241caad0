// The palette buttons: their sets, their clicks and the info line.
#include "button_definition.h"
#include "button_faces.h"
#include "editor_units.h"
#include "set_files.h"
#include "shine_speed_button.h"
#include "template_expansion.h"
#include "text_commands.h"
#include "tform1.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextDocumentFragment>

void TForm1::CreatePaletteHandlers()
{
    for (TShineSpeedButton *button : std::as_const(PButtons)) {
        connect(button, &TShineSpeedButton::OnClick, this, [this, button] { PButton1Click(button); });
        connect(button, &TShineSpeedButton::OnMouseEnter, this,
                [this, button] { PButton1MouseEnter(button); });
    }
    connect(Panel3->ComboBox2, &QComboBox::activated, this, &TForm1::ComboBox2Click);
}

void TForm1::ListTagSets()
{
    // Refilling the items must not change the typed set name.
    const QString name = Panel3->ComboBox2->currentText();
    Panel3->ComboBox2->clear();
    Panel3->ComboBox2->addItems(Palettes::ListTagSets(ProgramDir));
    Panel3->ComboBox2->setEditText(name);
}

void TForm1::LoadTagSet()
{
    Palettes::LoadedSet set = Palettes::LoadTagSet(ProgramDir, Panel3->ComboBox2->currentText());
    if (!set.message.isEmpty())
        ShowFileError(set.message);
    if (!set.loaded)
        return;
    TagSetList = std::move(set.list);
    for (qsizetype i = 0; i < PButtons.size() && i < set.faces.size(); ++i) {
        const Palettes::ButtonFace &face = set.faces[i];
        PButtons[i]->setCaption(face.caption);
        PButtons[i]->setToolTip(face.defined ? face.tooltip : QString());
    }
    RichEdit1->setFocus();
}

void TForm1::ComboBox2Click()
{
    LoadTagSet();
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

void TForm1::PButton1Click(TShineSpeedButton *button)
{
    const Palettes::PaletteButton which = Palettes::ButtonOfTag(button->Tag());
    if (which.kind != &Palettes::TagPalette())
        return;
    const std::optional<Palettes::ButtonRecord> record = TagSetList.record(which.record);
    if (!record)
        return;
    PlayClickSound();

    Palettes::TemplateRequest request;
    request.content = record->content;
    request.selectStart = record->selectStart;
    request.selectLength = record->selectLength;
    request.caseMode = Panel3->ComboBox5->currentIndex();
    // The fragment gives line breaks as '\n', not U+2029.
    request.selection = RichEdit1->textCursor().selection().toPlainText();
    request.alignment = Panel3->ComboBox3->currentText();
    request.now = QDateTime::currentDateTime();
    request.locale = QLocale::system();
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

    const int insertedAt = RichEdit1->textCursor().selectionStart();
    TextCommands::InsertAtCaret(RichEdit1, expansion.text);
    // Stored offsets count editor units; the cursor counts characters.
    const int start = insertedAt + int(EditorUnits::IndexAt(expansion.text, expansion.selectStart));
    const QString after = RichEdit1->toPlainText().mid(start);
    QTextCursor cursor = RichEdit1->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + int(EditorUnits::IndexAt(after, expansion.selectLength)),
                       QTextCursor::KeepAnchor);
    RichEdit1->setTextCursor(cursor);
    RichEdit1->setFocus();
}

void TForm1::PButton1MouseEnter(TShineSpeedButton *button)
{
    const Palettes::PaletteButton which = Palettes::ButtonOfTag(button->Tag());
    if (which.kind != &Palettes::TagPalette())
        return;
    Panel11->setText(Palettes::HoverPreview(TagSetList, which.record, Panel3->ComboBox5->currentIndex()));
}
