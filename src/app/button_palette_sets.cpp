// A palette's set: the set box's list, loading, a fresh set, deleting, defining
// a button, installing a dropped clip set, and the record a button hands out.
#include "button_definition.h"
#include "button_palette.h"

#include "set_files.h"
#include "shine_speed_button.h"
#include "startup_rules.h"
#include "tform2.h"

#include <QComboBox>
#include <QMessageBox>

void ButtonPalette::connectSetFlow(TShineSpeedButton *newButton, TShineSpeedButton *deleteButton)
{
    for (TShineSpeedButton *button : std::as_const(buttons_)) {
        const int number = Palettes::ButtonOfTag(button->Tag()).record;
        connect(button, &TShineSpeedButton::OnClick, this, [this, number] {
            const std::optional<Palettes::ButtonRecord> record = list_.record(number);
            if (!record)
                return;
            emit clickSound();
            emit buttonChosen(*record, caseBox_->currentIndex(), sendsToClipboard());
        });
        connect(button, &TShineSpeedButton::OnMouseEnter, this, [this, number] {
            emit hovered(Palettes::HoverPreview(list_, number, caseBox_->currentIndex()));
        });
        connect(button, &TShineSpeedButton::OnMouseDown, this, [this, button](Qt::MouseButton pressed) {
            if (pressed == Qt::RightButton)
                defineButton(button);
        });
    }
    connect(this, &ButtonPalette::definitionRequested, this, &ButtonPalette::defineButton);
    // The box lists the sets that exist: a typed name becomes one when 登録 writes its file.
    setBox_->setInsertPolicy(QComboBox::NoInsert);
    connect(setBox_, &QComboBox::activated, this, &ButtonPalette::loadSet);
    connect(caseBox_, &QComboBox::activated, this, &ButtonPalette::editorFocusWanted);
    connect(newButton, &TShineSpeedButton::OnClick, this, &ButtonPalette::newSet);
    connect(deleteButton, &TShineSpeedButton::OnClick, this, &ButtonPalette::deleteSet);
}

void ButtonPalette::listSets()
{
    // Refilling the items must not change the typed set name.
    const QString name = setBox_->currentText();
    setBox_->clear();
    setBox_->addItems(Palettes::ListSets(programDir_, kind_));
    setBox_->setEditText(name);
}

void ButtonPalette::loadSet()
{
    const QString name = setBox_->currentText();
    Palettes::LoadedSet set = &kind_ == &Palettes::TagPalette() ? Palettes::LoadTagSet(programDir_, name)
                                                                : Palettes::LoadClipSet(programDir_, name);
    if (!set.outcome.message.isEmpty())
        emit failed(set.outcome.message);
    if (!set.outcome.done())
        return;
    list_ = std::move(set.list);
    pending_.clear();
    setLoadedPath(set.path);
    showFaces(set.faces);
    emit editorFocusWanted();
}

void ButtonPalette::newSet()
{
    setBox_->setEditText(kind_.newSetName);
    list_ = Palettes::SetList::Fresh(kind_.header);
    pending_.clear();
    setLoadedPath(QString());
    showNewSet();
}

void ButtonPalette::deleteSet()
{
    const QString name = setBox_->currentText();
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), kind_.deletePrompt.arg(name),
                    QMessageBox::Yes | QMessageBox::No, window());
    box.setObjectName(QStringLiteral("DeleteSet"));
    box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return;
    const Outcome deleted = Palettes::DeleteSet(programDir_, name, kind_);
    if (!deleted.done())
        emit failed(deleted.message);
    // The buttons still show the set: defining one writes it again.
    if (loadedPath() == Palettes::SetFilePath(programDir_, name, kind_).path)
        setLoadedPath(QString());
    listSets();
}

void ButtonPalette::defineButton(TShineSpeedButton *button)
{
    const int number = Palettes::ButtonOfTag(button->Tag()).record;
    TForm2 *dialog = buttonDialog_();
    dialog->Show(Palettes::DefinitionForDialog(list_, number), button->Caption());
    const QWidget *over = window();
    dialog->move(over->x() + (over->width() - dialog->width()) / 2,
                 over->y() + (over->height() - dialog->height()) / 2);
    emit clickSound();
    if (dialog->exec() != QDialog::Accepted)
        return;
    Palettes::SetDefinition change{setBox_->currentText(), number, dialog->definition(), list_, loadedPath()};
    Palettes::SetDefined defined = pending_.define(programDir_, kind_, change);
    if (defined.outcome.done() && defined.merged) {
        // The file as it is now, with what other windows wrote into it since.
        list_ = std::move(*defined.merged);
        setLoadedPath(defined.path);
        listSets();
    } else {
        emit failed(defined.outcome.message);
        // The change stays in memory and on the buttons; the file is as it was.
        list_.define(number, change.definition);
    }
    showFaces(Palettes::ButtonFaces(list_, kind_));
    emit editorFocusWanted();
}

void ClipPalette::offerDroppedSet(const QString &path)
{
    const ClipSetQuestion question = ClipSetInstallQuestion(path, programDir());
    QMessageBox box(QMessageBox::Question, QStringLiteral("確認"), question.text,
                    QMessageBox::Yes | QMessageBox::No, window());
    box.setObjectName(QStringLiteral("InstallClipSet"));
    // Enter must not throw the user's own set away.
    if (question.replaces)
        box.setDefaultButton(QMessageBox::No);
    if (box.exec() != QMessageBox::Yes)
        return;
    const Outcome installed = InstallClipSet(path, programDir());
    if (!installed.done())
        emit failed(installed.message);
    listSets();
}
