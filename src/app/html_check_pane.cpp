#include "html_check_pane.h"

#include "check_runner.h"
#include "display_blocks.h"
#include "text_positions.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { Line, Place, Kind, Message };
constexpr int LineRole = Qt::UserRole, ColumnRole = Qt::UserRole + 1;

QString Summary(const HtmlCheck::Report &report)
{
    qsizetype errors = 0;
    for (const HtmlCheck::Finding &f : report.findings)
        errors += f.severity == HtmlCheck::Severity::Error;
    const QString counts =
        QStringLiteral("エラー %1 件、警告 %2 件").arg(errors).arg(report.findings.size() - errors);
    if (!report.structure.done())
        return QStringLiteral("HTML の構造は調べられませんでした（") + counts + u'）';
    if (report.findings.isEmpty())
        return report.html ? QStringLiteral("問題は見つかりませんでした")
                           : QStringLiteral("テキストとして調べました。問題は見つかりませんでした");
    return report.html ? counts : QStringLiteral("テキストとして調べました。") + counts;
}

} // namespace

void PlaceCaret(QPlainTextEdit *editor, qsizetype line, qsizetype column)
{
    const QTextDocument &document = *editor->document();
    const qsizetype lines = DisplayBlocks::LineCount(document);
    QTextBlock block = DisplayBlocks::LineBlock(document, int(qBound(qsizetype(1), line, lines)) - 1);
    if (!block.isValid())
        return;
    // A long line is held in several display blocks; the breaks between them are no characters.
    qsizetype offset = HtmlCheck::IndexOfColumn(DisplayBlocks::LineText(block), column);
    while (offset > block.length() - 1 && block.next().isValid() &&
           DisplayBlocks::ContinuesLine(block.next())) {
        offset -= block.length() - 1;
        block = block.next();
    }
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + int(qMin<qsizetype>(offset, block.length() - 1)));
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
    editor->setFocus();
}

HtmlCheckPane::HtmlCheckPane(QPlainTextEdit *editor, std::function<HtmlCheck::CheckInput()> snapshot,
                             QWidget *parent)
    : QWidget(parent), editor_(editor), snapshot_(std::move(snapshot)),
      runner_(new HtmlCheck::CheckRunner(this)), status_(new QLabel(this)), list_(new QTreeWidget(this))
{
    setObjectName(QStringLiteral("HtmlCheckPane1"));
    auto *title = new QLabel(QStringLiteral("文書チェック"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    status_->setObjectName(QStringLiteral("HtmlCheckStatus1"));
    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("HtmlCheckClose1"));
    close->setText(QStringLiteral("×"));
    close->setToolTip(QStringLiteral("閉じる"));
    close->setAccessibleName(QStringLiteral("文書チェックを閉じる"));
    close->setAutoRaise(true);
    connect(close, &QToolButton::clicked, this, [this] {
        hide();
        editor_->setFocus();
    });

    list_->setObjectName(QStringLiteral("HtmlCheckList1"));
    list_->setAccessibleName(QStringLiteral("文書チェックの結果"));
    list_->setHeaderLabels(
        {QStringLiteral("行"), QStringLiteral("桁"), QStringLiteral("種類"), QStringLiteral("内容")});
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setStretchLastSection(true);
    list_->installEventFilter(this); // Escape goes back to the text
    // Enter, and a double click where the style activates with one.
    connect(list_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem *item) { goTo(item); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem *item) { goTo(item); });
    connect(runner_, &HtmlCheck::CheckRunner::finished, this, &HtmlCheckPane::showReport);

    auto *header = new QHBoxLayout;
    header->setContentsMargins(4, 2, 2, 0);
    header->addWidget(title);
    header->addSpacing(8);
    header->addWidget(status_, 1);
    header->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(header);
    layout->addWidget(list_);
    setMinimumHeight(120);
    setMaximumHeight(220);
}

void HtmlCheckPane::check()
{
    show();
    status_->setText(QStringLiteral("調べています…"));
    runner_->start(snapshot_());
}

void HtmlCheckPane::showReport(const HtmlCheck::Report &report)
{
    list_->clear();
    const QIcon error = style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    QList<QTreeWidgetItem *> items;
    for (const HtmlCheck::Finding &f : report.findings) {
        auto *item = new QTreeWidgetItem({QString::number(f.line), QString::number(f.column),
                                          HtmlCheck::SeverityName(f.severity), f.message});
        item->setIcon(Kind, f.severity == HtmlCheck::Severity::Error ? error : warning);
        item->setToolTip(Message, f.message); // a narrow pane cuts it short
        item->setData(Line, LineRole, f.line);
        item->setData(Line, ColumnRole, f.column);
        item->setTextAlignment(Line, Qt::AlignRight | Qt::AlignVCenter);
        item->setTextAlignment(Place, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    list_->addTopLevelItems(items);
    for (int c : {Line, Place, Kind})
        list_->resizeColumnToContents(c);
    status_->setText(Summary(report));
    if (!items.isEmpty()) {
        list_->setCurrentItem(items.first());
        list_->setFocus();
    }
    emit listed();
}

void HtmlCheckPane::goTo(const QTreeWidgetItem *item)
{
    if (item != nullptr)
        PlaceCaret(editor_, item->data(Line, LineRole).toLongLong(),
                   item->data(Line, ColumnRole).toLongLong());
}

bool HtmlCheckPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        editor_->setFocus();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
