#include "folder_search_editor.h"

#include "display_blocks.h"
#include "document_codec.h"

#include <QPlainTextEdit>
#include <QTextBlock>

namespace FolderSearchEditor {

void SelectInLine(QPlainTextEdit *editor, qsizetype line, qsizetype offset, qsizetype length)
{
    QTextDocument &document = *editor->document();
    const QTextBlock block = DisplayBlocks::LineBlock(document, int(line));
    if (!block.isValid())
        return;
    const DisplayBlocks::SoftBreaks breaks(document);
    const qsizetype start = breaks.stored(block.position()) + offset;
    const TextTools::TextRange range = breaks.range({start, length});
    QTextCursor cursor(&document);
    cursor.setPosition(int(std::min<qsizetype>(range.start, document.characterCount() - 1)));
    cursor.setPosition(int(std::min<qsizetype>(range.end(), document.characterCount() - 1)),
                       QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
}

TextTools::SearchOutcome ReplaceAll(QPlainTextEdit *editor, const QString &text, const QString &replacement,
                                    const TextTools::SearchOptions &options)
{
    TextTools::SearchReplace replace(editor->document(), MaxDocumentChars);
    const TextTools::SearchResult result = replace.replaceAll(text, replacement, options);
    if (result.select) {
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(int(result.select->start));
        cursor.setPosition(int(result.select->end()), QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
    }
    return result.outcome;
}

} // namespace FolderSearchEditor
