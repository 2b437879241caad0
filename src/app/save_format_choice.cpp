#include "save_format_choice.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>

using Jconvert::ReturnCode;

namespace {

struct CodeItem
{
    const char *name;
    DocumentCode code;
    bool bom;
};

constexpr CodeItem CodeItems[] = {
    {"Shift_JIS", DocumentCode::Sjis, false},
    {"JIS", DocumentCode::Jis, false},
    {"EUC-JP", DocumentCode::Euc, false},
    {"UTF-8", DocumentCode::Utf8, false},
    {"UTF-8 (BOM付き)", DocumentCode::Utf8, true},
    {"UTF-16LE (BOM付き)", DocumentCode::Utf16Le, true},
    {"UTF-16BE (BOM付き)", DocumentCode::Utf16Be, true},
};

constexpr ReturnCode LineEndItems[] = {ReturnCode::CrLf, ReturnCode::Cr, ReturnCode::Lf};

QComboBox *AddRow(QFileDialog *dialog, const char *name, const QString &caption)
{
    auto *box = new QComboBox(dialog);
    box->setObjectName(QLatin1String(name));
    auto *label = new QLabel(caption, dialog);
    label->setBuddy(box);
    // The dialog's grid puts its rows' captions in column 0 and their fields
    // in column 1, the file name and type rows among them.
    if (auto *grid = qobject_cast<QGridLayout *>(dialog->layout())) {
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
    }
    return box;
}

} // namespace

SaveFormatChoice::SaveFormatChoice(QFileDialog *dialog)
{
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    code_ = AddRow(dialog, "SaveCodeBox", QStringLiteral("文字コード(&C):"));
    for (const CodeItem &item : CodeItems)
        code_->addItem(QString::fromUtf8(item.name));
    lineEnd_ = AddRow(dialog, "SaveLineEndBox", QStringLiteral("改行コード(&R):"));
    for (const ReturnCode item : LineEndItems)
        lineEnd_->addItem(LineEndName(item));
}

void SaveFormatChoice::show(const DocumentFormat &format, bool mixedLineEnds)
{
    shown_ = format;
    // The keep item follows the three line ends, so their rows stay the same.
    while (lineEnd_->count() > int(std::size(LineEndItems)))
        lineEnd_->removeItem(lineEnd_->count() - 1);
    if (mixedLineEnds)
        lineEnd_->addItem(QStringLiteral("混在のまま"));
    // Only UTF-8 is offered both ways; a UTF-16 file read without its mark
    // starts at its byte order.
    for (int i = 0; i < int(std::size(CodeItems)); ++i) {
        if (CodeItems[i].code == format.code && (!format.utf8() || CodeItems[i].bom == format.bom))
            code_->setCurrentIndex(i);
    }
    for (int i = 0; i < int(std::size(LineEndItems)); ++i) {
        if (LineEndItems[i] == format.lineEnd)
            lineEnd_->setCurrentIndex(i);
    }
    if (mixedLineEnds)
        lineEnd_->setCurrentIndex(int(std::size(LineEndItems)));
}

bool SaveFormatChoice::keepsMixedLineEnds() const
{
    return lineEnd_->currentIndex() == int(std::size(LineEndItems));
}

DocumentFormat SaveFormatChoice::chosen() const
{
    const CodeItem &item = CodeItems[std::max(0, code_->currentIndex())];
    const ReturnCode end =
        keepsMixedLineEnds() ? shown_.lineEnd : LineEndItems[std::max(0, lineEnd_->currentIndex())];
    return {item.code, end, item.bom};
}
