#include "count_dialog.h"

#include "encoded_size.h"
#include "text_codec.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QSpinBox>
#include <QThread>
#include <QVBoxLayout>
#include <array>
#include <memory>

namespace {

QString Number(qsizetype n)
{
    return QLocale::system().toString(qlonglong(n));
}

} // namespace

CountDialog::CountDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("CountDialog"));
    setWindowTitle(QStringLiteral("文字数"));
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("文書全体"), this), 0, 1, Qt::AlignRight);
    grid->addWidget(new QLabel(QStringLiteral("選択範囲"), this), 0, 2, Qt::AlignRight);
    const char16_t *captions[RowCount] = {u"文字数", u"空白と改行を除く文字数", u"行数", u"バイト数",
                                          u"原稿用紙換算 (枚)"};
    for (int row = 0; row < RowCount; ++row) {
        auto *caption = new QLabel(QString::fromUtf16(captions[row]), this);
        if (row == Bytes)
            bytesCaption_ = caption;
        grid->addWidget(caption, row + 1, 0);
        for (int column = 0; column < 2; ++column) {
            figures_[row][column] = new QLabel(this);
            figures_[row][column]->setTextInteractionFlags(Qt::TextSelectableByMouse);
            grid->addWidget(figures_[row][column], row + 1, column + 1, Qt::AlignRight);
        }
    }
    grid->setColumnMinimumWidth(1, 90);
    grid->setColumnMinimumWidth(2, 90);

    const auto spin = [this](const char *name) {
        auto *box = new QSpinBox(this);
        box->setObjectName(QLatin1String(name));
        box->setRange(1, 1000);
        box->setValue(20);
        connect(box, &QSpinBox::valueChanged, this, &CountDialog::showPages);
        return box;
    };
    columns_ = spin("ManuscriptColumns");
    rows_ = spin("ManuscriptRows");
    auto *page = new QHBoxLayout;
    page->addWidget(new QLabel(QStringLiteral("原稿用紙"), this));
    page->addWidget(columns_);
    page->addWidget(new QLabel(QStringLiteral("字 ×"), this));
    page->addWidget(rows_);
    page->addWidget(new QLabel(QStringLiteral("行"), this));
    page->addStretch();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(page);
    layout->addWidget(buttons);
}

void CountDialog::count(const QString &whole, const QString &selection, const DocumentFormat &format)
{
    bytesCaption_->setText(QStringLiteral("バイト数 (%1)").arg(FormatName(format)));
    for (auto &row : figures_) {
        row[Whole]->setText(QStringLiteral("…"));
        row[Selection]->setText(selection.isEmpty() ? QString() : QStringLiteral("…"));
    }
    show();
    raise();
    counting_ = true;
    const int generation = ++generation_;
    const bool hasSelection = !selection.isEmpty();
    const qsizetype mark = format.bom ? ByteOrderMark(format.code).size() : 0;
    auto result = std::make_shared<std::array<Counted, 2>>();
    QThread *thread = QThread::create([result, whole, selection, format, mark] {
        const auto counted = [&format](const QString &text) {
            return Counted{TextTools::CountText(text), EncodedSize(text, format.code, format.lineEnd)};
        };
        (*result)[Whole] = counted(whole);
        (*result)[Whole].bytes += mark;
        if (!selection.isEmpty())
            (*result)[Selection] = counted(selection);
    });
    connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    connect(thread, &QThread::finished, this, [this, result, generation, hasSelection] {
        if (generation != generation_)
            return;
        counting_ = false;
        showCounts((*result)[Whole], (*result)[Selection], hasSelection);
        emit counted();
    });
    thread->start();
}

void CountDialog::showCounts(const Counted &whole, const Counted &selection, bool hasSelection)
{
    const Counted *counted[2] = {&whole, &selection};
    for (int column = 0; column < 2; ++column) {
        const std::optional<TextTools::TextCounts> &c = counted[column]->counts;
        hasCounts_[column] = c.has_value();
        lineLengths_[column] = c ? c->lineLengths : QList<qsizetype>();
        const QString failed = column == Whole || hasSelection ? QStringLiteral("数えられません") : QString();
        figures_[Characters][column]->setText(c ? Number(c->characters) : failed);
        figures_[Visible][column]->setText(c ? Number(c->visible) : failed);
        figures_[Lines][column]->setText(c ? Number(c->lines) : failed);
        figures_[Bytes][column]->setText(c ? Number(counted[column]->bytes) : failed);
        figures_[Pages][column]->setText(c ? QString() : failed);
    }
    showPages();
}

void CountDialog::showPages()
{
    for (int column = 0; column < 2; ++column) {
        if (hasCounts_[column] && !counting_)
            figures_[Pages][column]->setText(
                Number(TextTools::ManuscriptPages(lineLengths_[column], columns_->value(), rows_->value())));
    }
}

QString CountDialog::figure(Row row, Column column) const
{
    return figures_[row][column]->text();
}
