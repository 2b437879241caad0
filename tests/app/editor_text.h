// What an editor shows, read back for comparison.
#pragma once

#include <QPlainTextEdit>
#include <QStringList>
#include <QTextBlock>
#include <QTextLayout>

// Which characters are drawn blue, as 'b', and which not, as '.'; lines joined by '/'.
inline QString BlueMap(const QPlainTextEdit &editor)
{
    QStringList lines;
    for (QTextBlock block = editor.document()->begin(); block.isValid(); block = block.next()) {
        QString line(block.length() - 1, u'.');
        for (const QTextLayout::FormatRange &range : block.layout()->formats()) {
            if (range.format.foreground().color() == QColor(0, 0, 255))
                line.replace(range.start, range.length, QString(range.length, u'b'));
        }
        lines << line;
    }
    return lines.join(u'/');
}
