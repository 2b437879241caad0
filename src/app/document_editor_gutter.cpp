// The line-number gutter of DocumentEditor, drawn as Qt's code-editor
// example draws it: a widget over the viewport's left margin, scrolled and
// repainted with the text.
#include "display_blocks.h"
#include "document_editor.h"

#include <QPainter>
#include <QTextBlock>

class LineNumberGutter : public QWidget
{
public:
    explicit LineNumberGutter(DocumentEditor *editor) : QWidget(editor), editor_(editor)
    {
        setObjectName(QStringLiteral("LineNumbers"));
    }
    QSize sizeHint() const override { return {editor_->gutterWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent *event) override { editor_->paintGutter(event); }

private:
    DocumentEditor *editor_;
};

void DocumentEditor::setLineNumbers(bool shown)
{
    lineNumbers_ = shown;
    if (shown && gutter_ == nullptr) {
        gutter_ = new LineNumberGutter(this);
        connect(this, &QPlainTextEdit::blockCountChanged, this, &DocumentEditor::fitGutter);
        connect(this, &QPlainTextEdit::updateRequest, gutter_, [this](const QRect &rect, int dy) {
            if (dy != 0)
                gutter_->scroll(0, dy);
            else
                gutter_->update(0, rect.y(), gutter_->width(), rect.height());
        });
    }
    if (gutter_ != nullptr)
        gutter_->setVisible(shown);
    fitGutter();
}

int DocumentEditor::gutterWidth() const
{
    int digits = 1;
    for (int lines = DisplayBlocks::LineCount(*document()); lines >= 10; lines /= 10)
        ++digits;
    return fontMetrics().horizontalAdvance(u'9') * qMax(digits, 3) + 8;
}

void DocumentEditor::fitGutter()
{
    const int width = lineNumbers_ ? gutterWidth() : 0;
    setViewportMargins(width, 0, 0, 0);
    if (gutter_ != nullptr) {
        const QRect area = contentsRect();
        gutter_->setGeometry(area.left(), area.top(), width, area.height());
    }
}

void DocumentEditor::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    if (lineNumbers_)
        fitGutter();
}

QList<DocumentEditor::GutterNumber> DocumentEditor::gutterNumbers() const
{
    QList<GutterNumber> numbers;
    QTextBlock block = firstVisibleBlock();
    // The first visible block may go on with a line that starts above it.
    int line = DisplayBlocks::LineNumber(block);
    qreal top = blockBoundingGeometry(block).translated(contentOffset()).top();
    for (bool first = true; block.isValid() && top <= viewport()->height();
         block = block.next(), first = false) {
        const bool startsLine = !DisplayBlocks::ContinuesLine(block);
        if (startsLine && !first)
            ++line;
        if (startsLine && block.isVisible())
            numbers << GutterNumber{line + 1, qRound(top)};
        top += blockBoundingRect(block).height();
    }
    return numbers;
}

void DocumentEditor::paintGutter(QPaintEvent *event)
{
    QPainter painter(gutter_);
    painter.fillRect(event->rect(), palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    const int height = fontMetrics().height();
    for (const GutterNumber &n : gutterNumbers()) {
        if (n.top + height < event->rect().top() || n.top > event->rect().bottom())
            continue;
        painter.drawText(0, n.top, gutter_->width() - 4, height, Qt::AlignRight, QString::number(n.line));
    }
}
