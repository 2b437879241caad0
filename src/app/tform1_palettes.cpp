// The palette buttons: their sets, their clicks, the button dialog and the
// info line. One set of handlers serves the tag palette and the clip palette.
#include "button_definition.h"
#include "button_faces.h"
#include "editor_units.h"
#include "html_charset.h"
#include "set_files.h"
#include "shine_speed_button.h"
#include "stored_text.h"
#include "template_expansion.h"
#include "text_commands.h"
#include "tform1.h"
#include "tform2.h"

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
        for (TShineSpeedButton *button : palette->buttons()) {
            connect(button, &TShineSpeedButton::OnClick, this, [this, button] { PButton1Click(button); });
            connect(button, &TShineSpeedButton::OnMouseEnter, this,
                    [this, button] { PButton1MouseEnter(button); });
            connect(button, &TShineSpeedButton::OnMouseDown, this,
                    [this, button](Qt::MouseButton pressed) { PButton1MouseDown(button, pressed); });
        }
        connect(palette, &ButtonPalette::definitionRequested, this,
                [this](TShineSpeedButton *button) { PButton1MouseDown(button, Qt::RightButton); });
    }
    connect(Panel3->ComboBox2, &QComboBox::activated, this, &TForm1::ComboBox2Click);
    connect(Panel12->ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Click);
    for (QComboBox *box : {Panel3->ComboBox3, Panel12->ComboBox4, Panel3->ComboBox5})
        connect(box, &QComboBox::activated, this, &TForm1::ComboBox3Change);
    connect(Panel3->ShineSpeedButton2, &TShineSpeedButton::OnClick, this, &TForm1::ShineSpeedButton2Click);
    connect(Panel3->ShineSpeedButton3, &TShineSpeedButton::OnClick, this, &TForm1::ShineSpeedButton3Click);
    connect(Panel12->SpeedButton20, &TShineSpeedButton::OnClick, this, &TForm1::SpeedButton20Click);
    connect(Panel12->SpeedButton19, &TShineSpeedButton::OnClick, this, &TForm1::SpeedButton19Click);
}

ButtonPalette *TForm1::PaletteOf(const Palettes::PaletteKind &kind) const
{
    return &kind == &Palettes::TagPalette() ? static_cast<ButtonPalette *>(Panel3) : Panel12;
}

Palettes::SetList &TForm1::SetListOf(const ButtonPalette *palette)
{
    return palette == Panel3 ? TagSetList : ClipSetList;
}

void TForm1::ListSets(ButtonPalette *palette)
{
    // Refilling the items must not change the typed set name.
    QComboBox *box = palette->setBox();
    const QString name = box->currentText();
    box->clear();
    box->addItems(Palettes::ListSets(ProgramDir, palette->kind()));
    box->setEditText(name);
}

void TForm1::LoadSet(ButtonPalette *palette)
{
    const QString name = palette->setBox()->currentText();
    Palettes::LoadedSet set =
        palette == Panel3 ? Palettes::LoadTagSet(ProgramDir, name) : Palettes::LoadClipSet(ProgramDir, name);
    if (!set.message.isEmpty())
        ShowFileError(set.message);
    if (!set.loaded)
        return;
    SetListOf(palette) = std::move(set.list);
    palette->setLoadedPath(set.path);
    palette->ShowFaces(set.faces);
    RichEdit1->setFocus();
}

void TForm1::ListTagSets()
{
    ListSets(Panel3);
}

void TForm1::LoadTagSet()
{
    LoadSet(Panel3);
}

void TForm1::ListClipSets()
{
    ListSets(Panel12);
}

void TForm1::LoadClipSet()
{
    LoadSet(Panel12);
}

void TForm1::ComboBox2Click()
{
    LoadTagSet();
}

void TForm1::ComboBox1Click()
{
    LoadClipSet();
}

void TForm1::ComboBox3Change()
{
    RichEdit1->setFocus();
}

void TForm1::ShineSpeedButton2Click()
{
    Panel3->ComboBox2->setEditText(Palettes::TagPalette().newSetName);
    TagSetList = Palettes::SetList::Fresh(Palettes::TagPalette().header);
    Panel3->setLoadedPath(QString());
    LoadTagSet();
    // Faces from the list: empty for the fresh set, the file's buttons when the name existed.
    Panel3->ShowFaces(Palettes::ButtonFaces(TagSetList, Palettes::TagPalette()));
}

void TForm1::SpeedButton20Click()
{
    Panel12->ComboBox1->setEditText(Palettes::ClipPalette().newSetName);
    ClipSetList = Palettes::SetList::Fresh(Palettes::ClipPalette().header);
    Panel12->setLoadedPath(QString());
    Panel12->ClearFaces();
}

void TForm1::DeleteSet(ButtonPalette *palette)
{
    const QString name = palette->setBox()->currentText();
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), palette->kind().deletePrompt.arg(name),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("DeleteSet"));
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return;
    const QString refused = Palettes::DeleteSet(ProgramDir, name, palette->kind());
    if (!refused.isEmpty())
        ShowFileError(refused);
    // The buttons still show the set: defining one writes it again.
    QString problem;
    if (palette->loadedPath() == Palettes::SetFilePath(ProgramDir, name, palette->kind(), &problem))
        palette->setLoadedPath(QString());
    ListSets(palette);
}

void TForm1::ShineSpeedButton3Click()
{
    DeleteSet(Panel3);
}

void TForm1::SpeedButton19Click()
{
    DeleteSet(Panel12);
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
    ButtonPalette *palette = PaletteOf(*which.kind);
    const std::optional<Palettes::ButtonRecord> record = SetListOf(palette).record(which.record);
    if (!record)
        return;
    PlayClickSound();
    const bool sendToClipboard = palette == Panel12 && Panel12->CheckBox4->isChecked();

    Palettes::TemplateRequest request;
    request.content = record->content;
    request.selectStart = record->selectStart;
    request.selectLength = record->selectLength;
    request.caseMode = palette->caseBox()->currentIndex();
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
    const int insertedAt = RichEdit1->textCursor().selectionStart();
    TextCommands::InsertAtCaret(RichEdit1, expansion.text);
    // Stored offsets count editor units; the cursor counts characters.
    const int start = insertedAt + int(EditorUnits::IndexAt(expansion.text, expansion.selectStart));
    // The selection may reach past the inserted text; it spans at most selectLength characters.
    QTextCursor cursor = RichEdit1->textCursor();
    cursor.setPosition(start);
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor, int(expansion.selectLength));
    const QString after = TextTools::StoredSelection(cursor);
    cursor.setPosition(start);
    cursor.setPosition(start + int(EditorUnits::IndexAt(after, expansion.selectLength)),
                       QTextCursor::KeepAnchor);
    RichEdit1->setTextCursor(cursor);
    RichEdit1->setFocus();
}

void TForm1::PButton1MouseEnter(TShineSpeedButton *button)
{
    const Palettes::PaletteButton which = Palettes::ButtonOfTag(button->Tag());
    const ButtonPalette *palette = PaletteOf(*which.kind);
    Panel11->setText(
        Palettes::HoverPreview(SetListOf(palette), which.record, palette->caseBox()->currentIndex()));
}

void TForm1::PButton1MouseDown(TShineSpeedButton *button, Qt::MouseButton pressed)
{
    if (pressed != Qt::RightButton)
        return;
    const Palettes::PaletteButton which = Palettes::ButtonOfTag(button->Tag());
    ButtonPalette *palette = PaletteOf(*which.kind);
    Palettes::SetList &list = SetListOf(palette);
    Form2->Show(Palettes::DefinitionForDialog(list, which.record), button->Caption());
    Form2->move(x() + (width() - Form2->width()) / 2, y() + (height() - Form2->height()) / 2);
    PlayClickSound();
    if (Form2->exec() != QDialog::Accepted)
        return;
    Palettes::SetDefinition change{palette->setBox()->currentText(), which.record, Form2->Definition(), list,
                                   palette->loadedPath()};
    Palettes::SetDefined defined = Palettes::DefineInSet(ProgramDir, palette->kind(), change);
    if (defined.merged) {
        // The file as it is now, with what other windows wrote into it since.
        list = std::move(*defined.merged);
        palette->setLoadedPath(defined.path);
        ListSets(palette);
    } else {
        ShowFileError(defined.message);
        // The change stays in memory and on the buttons; the file is as it was.
        list.define(which.record, change.definition);
    }
    palette->ShowFaces(Palettes::ButtonFaces(list, palette->kind()));
    RichEdit1->setFocus();
}
