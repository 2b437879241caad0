#include "stored_text.h"

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
    return WithLineBreaks(document.toRawText());
}

QString StoredSelection(const QTextCursor &cursor)
{
    return WithLineBreaks(cursor.selectedText());
}

} // namespace TextTools
