#include "save_format_choice.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>

using Jconvert::CharCode;
using Jconvert::ReturnCode;

namespace {

struct CodeItem
{
    const char *name;
    CharCode code;
    bool bom;
};

constexpr CodeItem CodeItems[] = {
    {"Shift_JIS", CharCode::Sjis, false},      {"JIS", CharCode::Jis, false},
    {"EUC-JP", CharCode::Euc, false},          {"UTF-8", CharCode::Utf8, false},
    {"UTF-8 (BOM付き)", CharCode::Utf8, true},
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
    code = AddRow(dialog, "SaveCodeBox", QStringLiteral("文字コード(&C):"));
    for (const CodeItem &item : CodeItems)
        code->addItem(QString::fromUtf8(item.name));
    lineEnd = AddRow(dialog, "SaveLineEndBox", QStringLiteral("改行コード(&R):"));
    for (const ReturnCode item : LineEndItems)
        lineEnd->addItem(LineEndName(item));
}

void SaveFormatChoice::show(const DocumentFormat &format, bool mixedLineEnds)
{
    shown_ = format;
    // The keep item follows the three line ends, so their rows stay the same.
    while (lineEnd->count() > int(std::size(LineEndItems)))
        lineEnd->removeItem(lineEnd->count() - 1);
    if (mixedLineEnds)
        lineEnd->addItem(QStringLiteral("混在のまま"));
    for (int i = 0; i < int(std::size(CodeItems)); ++i) {
        if (CodeItems[i].code == format.code && CodeItems[i].bom == (format.utf8() && format.bom))
            code->setCurrentIndex(i);
    }
    for (int i = 0; i < int(std::size(LineEndItems)); ++i) {
        if (LineEndItems[i] == format.lineEnd)
            lineEnd->setCurrentIndex(i);
    }
    if (mixedLineEnds)
        lineEnd->setCurrentIndex(int(std::size(LineEndItems)));
}

bool SaveFormatChoice::keepsMixedLineEnds() const
{
    return lineEnd->currentIndex() == int(std::size(LineEndItems));
}

DocumentFormat SaveFormatChoice::chosen() const
{
    const CodeItem &item = CodeItems[std::max(0, code->currentIndex())];
    const ReturnCode end =
        keepsMixedLineEnds() ? shown_.lineEnd : LineEndItems[std::max(0, lineEnd->currentIndex())];
    return {item.code, end, item.bom};
}
