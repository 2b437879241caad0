// Every line break in the editor is a real one: the editor inserts U+2028
// (a line break inside a paragraph) for Shift+Enter and keeps it from pasted
// text, and code page 932 has no such character. Each is turned into a new
// line as it arrives, in the same undo step as the edit that brought it.
#pragma once

#include <QObject>

class QTextDocument;

class LineSeparatorBreaks : public QObject
{
    Q_OBJECT

public:
    explicit LineSeparatorBreaks(QTextDocument *document);

    // Off while a decoded file is set as the text: it holds none.
    void setEnabled(bool enabled) { enabled_ = enabled; }

private:
    void contentsChange(int position, int removed, int added);

    QTextDocument *document_;
    bool enabled_ = true;
    bool replacing_ = false;
};
