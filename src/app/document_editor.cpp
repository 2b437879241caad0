#include "document_editor.h"

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

void DocumentEditor::keyPressEvent(QKeyEvent *event)
{
    if (event == QKeySequence::InsertLineSeparator && !isReadOnly()) {
        textCursor().insertBlock();
        ensureCursorVisible();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void DocumentEditor::insertFromMimeData(const QMimeData *source)
{
    if (isReadOnly() || source == nullptr || !source->hasText())
        return;
    QString text = source->text();
    text.replace(QChar::LineSeparator, u'\n');
    // One undo step, as the editor's own paste is.
    textCursor().insertText(text);
    ensureCursorVisible();
}
