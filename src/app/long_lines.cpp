#include "long_lines.h"

#include <QPlainTextEdit>
#include <QTextBlock>

LongLineWrap::LongLineWrap(QPlainTextEdit *editor) : QObject(editor), editor_(editor)
{
    connect(editor->document(), &QTextDocument::contentsChange, this, &LongLineWrap::contentsChange);
}

bool LongLineWrap::wrapsAnywhere() const
{
    return editor_->wordWrapMode() == QTextOption::WrapAnywhere;
}

void LongLineWrap::contentsChange(int position, int removed, int added)
{
    Q_UNUSED(removed);
    QTextDocument *document = editor_->document();
    // A whole new text (loaded, or cleared) starts over with word wrap.
    const bool wholeText = position == 0 && added >= document->characterCount() - 1;
    if (wrapsAnywhere() && !wholeText)
        return;
    bool longLine = false;
    const int end = position + added;
    for (QTextBlock block = document->findBlock(position); block.isValid() && block.position() <= end;
         block = block.next()) {
        if (block.length() > LongLineChars || DisplayBlocks::ContinuesLine(block) ||
            DisplayBlocks::ContinuesLine(block.next())) {
            longLine = true;
            break;
        }
    }
    if (longLine != wrapsAnywhere())
        editor_->setWordWrapMode(longLine ? QTextOption::WrapAnywhere
                                          : QTextOption::WrapAtWordBoundaryOrAnywhere);
}
