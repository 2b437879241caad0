#include "editor_keys.h"

#include "display_blocks.h"
#include "editor_options.h"
#include "stored_text.h"
#include "transformations.h"
#include "typing_rules.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

bool IsUnboundAltText(const QKeyEvent &key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers();
    return modifiers.testFlag(Qt::AltModifier) && !modifiers.testFlag(Qt::ControlModifier) &&
           !key.text().isEmpty() && key.text().front().isPrint();
}

EditorKeys::EditorKeys(QPlainTextEdit *editor, const EditorOptions *options, Hooks hooks)
    : QObject(editor), editor_(editor), options_(options), hooks_(std::move(hooks))
{
    editor->installEventFilter(this);
}

bool EditorKeys::overwrite() const
{
    return editor_->overwriteMode();
}

bool EditorKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != editor_)
        return false;
    if (event->type() == QEvent::KeyPress)
        return keyDown(static_cast<QKeyEvent *>(event));
    return false;
}

bool EditorKeys::keyDown(QKeyEvent *key)
{
    const int code = key->key();
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    const bool enter = code == Qt::Key_Return || code == Qt::Key_Enter;
    const DialogOptions &options = options_->options();
    // Modifier keys alone make no sound.
    const bool modifierKey = code == Qt::Key_Shift || code == Qt::Key_Control || code == Qt::Key_Alt ||
                             code == Qt::Key_Meta || code == Qt::Key_AltGr;
    if (options.keySound && !modifierKey && !key->isAutoRepeat())
        hooks_.play(enter ? QStringLiteral("enter.wav") : QStringLiteral("key.wav"));

    // Alt with a key that is no command types nothing, as in other desktop editors.
    if (IsUnboundAltText(*key))
        return true;
    if (code == Qt::Key_V && modifiers == Qt::ControlModifier) {
        hooks_.pastePlain();
        return true;
    }
    if (enter && modifiers == Qt::ShiftModifier)
        editor_->textCursor().insertText(TextTools::LineBreakTag(hooks_.tagCase()));
    if (code == Qt::Key_Delete && modifiers == Qt::ShiftModifier) {
        const QString text = TextTools::StoredText(*editor_->document());
        const DisplayBlocks::SoftBreaks breaks(*editor_->document());
        const TextTools::TextRange line =
            TextTools::LineDeletionRange(text, breaks.stored(editor_->textCursor().position()));
        QTextCursor cursor = editor_->textCursor();
        cursor.setPosition(int(breaks.display(line.start)));
        cursor.setPosition(int(breaks.display(line.start + line.length)), QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        editor_->setTextCursor(cursor);
        // The editor's own Shift+Delete (cut) finds nothing selected.
        return false;
    }
    if (code == Qt::Key_Q && modifiers == Qt::ControlModifier) {
        hooks_.pasteQuote();
        return true;
    }
    if (code == Qt::Key_Insert && modifiers == Qt::NoModifier) {
        editor_->setOverwriteMode(!editor_->overwriteMode());
        emit overwriteChanged(editor_->overwriteMode());
        return true;
    }
    if (enter && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier) && options.autoIndent)
        return autoIndent();
    return false;
}

bool EditorKeys::autoIndent()
{
    QTextCursor cursor = editor_->textCursor();
    const QString before = DisplayBlocks::LineTextBefore(*editor_->document(), cursor.position());
    const std::optional<QString> indent = TextTools::AutoIndentText(before, before.size());
    if (!indent)
        return false;
    DisplayBlocks::InsertText(cursor, *indent);
    editor_->setTextCursor(cursor);
    editor_->ensureCursorVisible();
    return true;
}
