#include "stored_text.h"

#include "display_blocks.h"

#include <QTextCursor>
#include <QTextDocument>

namespace TextTools {

namespace {

QString WithLineBreaks(QString text)
{
    for (QChar &c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    }
    return text;
}

} // namespace

QString StoredText(const QTextDocument &document)
{
    return WithLineBreaks(DisplayBlocks::RawText(document));
}

QString StoredSelection(const QTextCursor &cursor)
{
    const DisplayBlocks::SoftBreaks breaks(*cursor.document());
    return WithLineBreaks(breaks.strip(cursor.selectedText(), cursor.selectionStart()));
}

} // namespace TextTools
