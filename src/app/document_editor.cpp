#include "document_editor.h"

#include "display_blocks.h"
#include "document_codec.h"
#include "stored_text.h"

#include <QKeyEvent>
#include <QMimeData>

DocumentEditor::DocumentEditor(QWidget *parent) : QPlainTextEdit(parent)
{
    fitTabStops();
    new DisplayBlocks::BreakKeeper(document());
    connect(document(), &QTextDocument::contentsChange, this, &DocumentEditor::followChange);
}

void DocumentEditor::followChange(int position, int removed, int added)
{
    Q_UNUSED(removed);
    // A text being loaded (no undo) comes in display blocks already.
    if (!document()->isUndoRedoEnabled())
        return;
    if (rebalanceFrom_ < 0)
        QMetaObject::invokeMethod(this, &DocumentEditor::rebalanceChanged, Qt::QueuedConnection);
    rebalanceFrom_ = rebalanceFrom_ < 0 ? position : qMin(rebalanceFrom_, position);
    rebalanceTo_ = qMax(rebalanceTo_, position + added);
}

void DocumentEditor::rebalanceChanged()
{
    const int from = rebalanceFrom_;
    const int to = qMin(rebalanceTo_, document()->characterCount() - 1);
    rebalanceFrom_ = rebalanceTo_ = -1;
    DisplayBlocks::BreakKeeper *keeper = DisplayBlocks::BreakKeeper::of(*document());
    // After an undo the steps still to redo would be lost; the undone state
    // was balanced when it was made.
    const bool rebalance = from >= 0 && document()->availableRedoSteps() == 0 &&
                           DisplayBlocks::NeedsRebalance(*document(), from, to);
    // Joining the step before for nothing would end the merging of typed keys.
    if (!keeper->pending() && !rebalance)
        return;
    QTextCursor cursor(document());
    cursor.joinPreviousEditBlock();
    keeper->repair();
    if (rebalance)
        DisplayBlocks::Rebalance(*document(), from, to);
    cursor.endEditBlock();
}

bool DocumentEditor::softBreakKey(QKeyEvent *event)
{
    QTextCursor cursor = textCursor();
    const QTextBlock block = cursor.block();
    const bool atStart = cursor.position() == block.position() && DisplayBlocks::ContinuesLine(block);
    const bool atEnd = cursor.atBlockEnd() && DisplayBlocks::ContinuesLine(block.next());
    if (!atStart && !atEnd)
        return false;
    // A soft break is no character: one key steps over it and the character beside it.
    const auto step = [&](QTextCursor::MoveOperation op, QTextCursor::MoveMode mode) {
        cursor.movePosition(op, mode, 2);
        setTextCursor(cursor);
        return true;
    };
    if (atEnd && event == QKeySequence::MoveToNextChar)
        return step(QTextCursor::NextCharacter, QTextCursor::MoveAnchor);
    if (atEnd && event == QKeySequence::SelectNextChar)
        return step(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    if (atStart && event == QKeySequence::MoveToPreviousChar)
        return step(QTextCursor::PreviousCharacter, QTextCursor::MoveAnchor);
    if (atStart && event == QKeySequence::SelectPreviousChar)
        return step(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
    if (isReadOnly() || cursor.hasSelection())
        return false;
    const bool backspace =
        atStart && event->key() == Qt::Key_Backspace && event->modifiers() == Qt::NoModifier;
    const bool forward = atEnd && event == QKeySequence::Delete;
    if (!backspace && !forward)
        return false;
    cursor.beginEditBlock();
    if (backspace) {
        cursor.setPosition(cursor.position() - 1);
        cursor.deletePreviousChar();
    } else {
        cursor.setPosition(cursor.position() + 1);
        cursor.deleteChar();
    }
    DisplayBlocks::Rebalance(*document(), cursor.position(), cursor.position());
    cursor.endEditBlock();
    setTextCursor(cursor);
    return true;
}

void DocumentEditor::fitTabStops()
{
    setTabStopDistance(8 * QFontMetricsF(font()).horizontalAdvance(u' '));
}

void DocumentEditor::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        fitTabStops();
        if (lineNumbers_)
            fitGutter();
    }
}

bool DocumentEditor::fits(qsizetype added) const
{
    const QTextCursor cursor = textCursor();
    const qsizetype length =
        document()->characterCount() - 1 - (cursor.selectionEnd() - cursor.selectionStart());
    return length + added <= MaxDocumentChars;
}

void DocumentEditor::keyPressEvent(QKeyEvent *event)
{
    if (!event->text().isEmpty() && event->text().front().isPrint() && !fits(event->text().size())) {
        emit limitReached();
        event->accept();
        return;
    }
    if ((event == QKeySequence::InsertLineSeparator || event == QKeySequence::InsertParagraphSeparator) &&
        !isReadOnly()) {
        // Not Qt's own: a break inside a long line is hard, however its block began.
        QTextCursor cursor = textCursor();
        DisplayBlocks::InsertText(cursor, QStringLiteral("\n"));
        setTextCursor(cursor);
        ensureCursorVisible();
        event->accept();
        return;
    }
    if (softBreakKey(event)) {
        ensureCursorVisible();
        event->accept();
        return;
    }
    // A key that takes a block past the bound splits it in the same undo step.
    const bool splits =
        !event->text().isEmpty() && !isReadOnly() &&
        textCursor().block().length() + event->text().size() > DisplayBlocks::MaxBlockChars + 1;
    QTextCursor edit(document());
    if (splits)
        edit.beginEditBlock();
    QPlainTextEdit::keyPressEvent(event);
    if (splits) {
        const int at = textCursor().position();
        DisplayBlocks::Rebalance(*document(), at, at);
        edit.endEditBlock();
    }
}

QMimeData *DocumentEditor::createMimeDataFromSelection() const
{
    // The stored text: Qt's own copy turns no-break spaces into spaces.
    auto *data = new QMimeData;
    data->setText(TextTools::StoredSelection(textCursor()));
    return data;
}

void DocumentEditor::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly() || source == nullptr || !source->hasText())
        return;
    QString text = source->text();
    text.replace(QChar::LineSeparator, u'\n');
    if (!fits(text.size())) {
        emit limitReached();
        return;
    }
    // One undo step, as the editor's own paste is.
    QTextCursor cursor = textCursor();
    DisplayBlocks::InsertText(cursor, text);
    setTextCursor(cursor);
    ensureCursorVisible();
}
