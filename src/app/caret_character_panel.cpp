#include "caret_character_panel.h"

#include "caret_character.h"
#include "display_blocks.h"
#include "encoded_size.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

CaretCharacterPanel::CaretCharacterPanel(QPlainTextEdit *editor, std::function<DocumentFormat()> format,
                                         QWidget *parent)
    : QLabel(parent), editor_(editor), format_(std::move(format))
{
    setObjectName(QStringLiteral("CaretCharacterPanel"));
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    connect(editor, &QPlainTextEdit::cursorPositionChanged, this, &CaretCharacterPanel::refresh);
    // Typing over or deleting after the caret changes the character without moving it.
    connect(editor, &QPlainTextEdit::textChanged, this, &CaretCharacterPanel::refresh);
    refresh();
    if (parent != nullptr)
        parent->installEventFilter(this);
}

QSize CaretCharacterPanel::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(QStringLiteral("U+1F600 F09F9880")) + 2 * frameWidth() + 8,
            QLabel::sizeHint().height()};
}

QSize CaretCharacterPanel::minimumSizeHint() const
{
    return {0, QLabel::minimumSizeHint().height()};
}

bool CaretCharacterPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setVisible(parentWidget()->width() >= RoomNeeded);
    return QLabel::eventFilter(watched, event);
}

void CaretCharacterPanel::refresh()
{
    const QTextCursor cursor = editor_->textCursor();
    const QTextBlock block = cursor.block();
    const int at = cursor.positionInBlock();
    // Only the display block that holds the caret is read: a long line costs
    // no more than a short one.
    QString text = block.text();
    qsizetype index = at;
    if (at >= text.size()) {
        const QTextBlock next = block.next();
        index = 0;
        if (!next.isValid())
            text.clear();
        else if (DisplayBlocks::ContinuesLine(next))
            text = next.text();
        else
            text = QStringLiteral("\n");
    }
    const DocumentFormat format = format_();
    const TextTools::CaretCharacter shown = TextTools::DescribeCharacter(
        text, index, [&format](QStringView c) { return CharacterBytes(c, format.code, format.lineEnd); });
    setText(shown.code);
    setToolTip(shown.name);
}
