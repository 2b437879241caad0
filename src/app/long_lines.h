// Very long lines are wrapped at any character: searching them for word
// breaks costs time that grows with the square of the line, and a page of
// minified HTML or Base64 would freeze the window.
#pragma once

#include "display_blocks.h"

#include <QObject>

class QPlainTextEdit;

// Lines longer than this wrap anywhere.
inline constexpr int LongLineChars = DisplayBlocks::MaxBlockChars;

// Watches the editor's text and wraps it anywhere once a line is longer than
// LongLineChars; a whole new text (loaded or cleared) starts over.
class LongLineWrap : public QObject
{
    Q_OBJECT

public:
    explicit LongLineWrap(QPlainTextEdit *editor);

    // Whether the editor currently wraps anywhere.
    bool wrapsAnywhere() const;

private:
    void contentsChange(int position, int removed, int added);

    QPlainTextEdit *editor_;
};
