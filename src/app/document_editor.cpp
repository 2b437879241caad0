#include "document_editor.h"

#include "document_codec.h"
#include "stored_text.h"

#include <QKeyEvent>
#include <QMimeData>

DocumentEditor::DocumentEditor(QWidget *parent) : QPlainTextEdit(parent)
{
    fitTabStops();
}

void DocumentEditor::fitTabStops()
{
    setTabStopDistance(8 * QFontMetricsF(font()).horizontalAdvance(u' '));
}

void DocumentEditor::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitTabStops();
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
    if (event == QKeySequence::InsertLineSeparator && !isReadOnly()) {
        textCursor().insertBlock();
        ensureCursorVisible();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
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
    textCursor().insertText(text);
    ensureCursorVisible();
}
