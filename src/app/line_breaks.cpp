#include "line_breaks.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <vector>

LineSeparatorBreaks::LineSeparatorBreaks(QTextDocument *document) : QObject(document), document_(document)
{
    connect(document, &QTextDocument::contentsChange, this, &LineSeparatorBreaks::contentsChange);
}

void LineSeparatorBreaks::contentsChange(int position, int, int added)
{
    if (!enabled_ || replacing_ || added == 0)
        return;
    std::vector<int> found;
    const int end = position + added;
    for (QTextBlock block = document_->findBlock(position); block.isValid() && block.position() < end;
         block = block.next()) {
        const QString text = block.text();
        for (qsizetype i = text.indexOf(QChar::LineSeparator); i >= 0;
             i = text.indexOf(QChar::LineSeparator, i + 1))
            found.push_back(block.position() + int(i));
    }
    if (found.empty())
        return;
    replacing_ = true;
    QTextCursor cursor(document_);
    cursor.joinPreviousEditBlock();
    // From the end, so that earlier positions stay valid.
    for (auto it = found.rbegin(); it != found.rend(); ++it) {
        cursor.setPosition(*it);
        cursor.setPosition(*it + 1, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        cursor.insertBlock();
    }
    cursor.endEditBlock();
    replacing_ = false;
}
