// The dialog "ボタン内容設定" in which a palette button is defined: caption,
// content with the caret and selection to restore, and help text. It only
// edits; the palette handler fills it and reads it back.
#pragma once

#include "set_list.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTreeWidget;

class TForm2 : public QDialog
{
    Q_OBJECT

public:
    // `colourCode` gives the colour panel's ColorCodeText for "QUMOCOLORの色".
    TForm2(std::function<QString()> colourCode, QWidget *parent);

    // Fills every field for the button captioned `buttonCaption`.
    void Show(const Palettes::ButtonDefinition &definition, const QString &buttonCaption);
    // The fields as they stand; offsets in editor units.
    Palettes::ButtonDefinition definition() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void RichEdit1SelectionChange();
    // "QUMOCOLORの色": the colour panel's code becomes caption and content.
    void Button3Click();
    // Writes `placeholder` at the content's caret and goes back to the content.
    void insertPlaceholder(const QString &placeholder);

    QLabel *Panel1; // the button's current caption, behind the caption field
    QLineEdit *Edit1;
    QTabWidget *PageControl1;
    QPlainTextEdit *RichEdit1;
    QLabel *Panel2; // SelectStart
    QLabel *Panel3; // SelectLength
    QPushButton *Button3;
    QPlainTextEdit *RichEdit2;
    QTreeWidget *PlaceholderList; // every placeholder and what it becomes
    QPushButton *Button1;         // "登録"
    QPushButton *Button2;         // "キャンセル"

    std::function<QString()> colourCode_;
};
