#include "text_commands.h"

#include "display_blocks.h"
#include "editor_units.h"
#include "stored_text.h"
#include "transformations.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace TextCommands {

void RewriteWhole(QPlainTextEdit *editor, const Rewrite &rewrite)
{
    const QString text = TextTools::StoredText(*editor->document());
    const QString result = rewrite(text);
    if (result == text)
        return;
    QTextCursor cursor(editor->document());
    cursor.select(QTextCursor::Document);
    DisplayBlocks::InsertText(cursor, result);
}

void RewriteSelection(QPlainTextEdit *editor, const Rewrite &rewrite)
{
    QTextCursor cursor = editor->textCursor();
    if (!cursor.hasSelection())
        return;
    DisplayBlocks::InsertText(cursor, rewrite(TextTools::StoredSelection(cursor)));
    editor->setTextCursor(cursor);
}

void IndentSelectedLines(QPlainTextEdit *editor)
{
    const QTextCursor selection = editor->textCursor();
    const QString text = TextTools::StoredText(*editor->document());
    const DisplayBlocks::SoftBreaks breaks(*editor->document());
    const qsizetype start = breaks.stored(selection.selectionStart());
    const TextTools::LineSpan lines =
        TextTools::TabIndentLines(text, start, breaks.stored(selection.selectionEnd()) - start);
    if (lines.isEmpty())
        return;
    QTextCursor cursor(editor->document());
    cursor.beginEditBlock();
    // One walk to the first line; the tabs leave the blocks in place.
    QTextBlock block = DisplayBlocks::LineBlock(*editor->document(), int(lines.first));
    for (qsizetype line = lines.first; line <= lines.last && block.isValid(); ++line) {
        cursor.setPosition(block.position());
        cursor.insertText(QStringLiteral("\t"));
        block = DisplayBlocks::NextLine(block);
    }
    cursor.endEditBlock();
}

void PastePlain(QPlainTextEdit *editor)
{
    // The editor takes only the text; what the user copied for other programs stays on the clipboard.
    if (QApplication::clipboard()->text().isEmpty())
        return;
    editor->paste();
}

void CommitPreedit(QPlainTextEdit *editor)
{
    QTextLayout *layout = editor->textCursor().block().layout();
    if (layout == nullptr || layout->preeditAreaText().isEmpty())
        return;
    // The input method commits its own text; without one answering, the editor commits what it shows.
    QGuiApplication::inputMethod()->commit();
    const QString preedit = layout->preeditAreaText();
    if (preedit.isEmpty())
        return;
    QInputMethodEvent commit;
    commit.setCommitString(preedit);
    QCoreApplication::sendEvent(editor, &commit);
    QGuiApplication::inputMethod()->reset();
}

void PasteQuote(QPlainTextEdit *editor)
{
    const QString pasted = QApplication::clipboard()->text();
    InsertAtCaret(
        editor, TextTools::QuoteText(QString(pasted).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))));
}

void CopyWhole(QPlainTextEdit *editor)
{
    QApplication::clipboard()->setText(TextTools::StoredText(*editor->document()));
}

void InsertAtCaret(QPlainTextEdit *editor, const QString &text)
{
    QTextCursor cursor = editor->textCursor();
    DisplayBlocks::InsertText(cursor, text);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
}

void InsertAndSelect(QPlainTextEdit *editor, const QString &text, qsizetype start, qsizetype length)
{
    const qsizetype insertedAt =
        DisplayBlocks::SoftBreaks(*editor->document()).stored(editor->textCursor().selectionStart());
    InsertAtCaret(editor, text);
    // Stored offsets count editor units; the cursor counts characters, soft breaks too.
    const DisplayBlocks::SoftBreaks breaks(*editor->document());
    const qsizetype from = insertedAt + EditorUnits::IndexAt(text, start);
    // The selection may reach past the inserted text; it spans at most `length` characters.
    QTextCursor cursor = editor->textCursor();
    const int last = editor->document()->characterCount() - 1;
    cursor.setPosition(int(breaks.display(from)));
    cursor.setPosition(qMin(last, int(breaks.display(from + length))), QTextCursor::KeepAnchor);
    const QString after = TextTools::StoredSelection(cursor);
    cursor.setPosition(int(breaks.display(from)));
    cursor.setPosition(int(breaks.display(from + EditorUnits::IndexAt(after, length))),
                       QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
}

} // namespace TextCommands
