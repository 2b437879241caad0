// Shows the tag colouring: the blue runs of ColourAllTags and
// ColourTagsNearCaret, and the search bar's red marks, as formats of the
// text's layout beside the document. They move with edits as character
// colours would, and never touch the undo history.
#pragma once

#include "text_range.h"

#include <QSyntaxHighlighter>

class TagColours : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit TagColours(QTextDocument *document);

    // ColourAllTags: exactly these runs are blue from now on.
    void setBlue(TextTools::TextRanges ranges);
    // ColourTagsNearCaret: `reset` back to the font colour, then `blue`.
    void recolour(const TextTools::TextRange &reset, const TextTools::TextRanges &blue);
    // The search bar's marks, drawn in red.
    void setMarks(TextTools::TextRanges ranges);
    // Nothing coloured (a new text).
    void clear();

    const TextTools::TextRanges &blue() const { return blue_; }

protected:
    void highlightBlock(const QString &text) override;

private:
    void follow(int position, int removed, int added);
    void rehighlightRange(qsizetype from, qsizetype to);
    // Uncoloured text is left alone: following every edited line would
    // lay out every line of a large document as it is loaded.
    void attach();
    void detachWhenUncoloured();

    QTextDocument *text_;

    TextTools::TextRanges blue_;  // sorted, disjoint
    TextTools::TextRanges marks_; // sorted, disjoint
    int revision_ = -1;           // of the last edit followed
};
