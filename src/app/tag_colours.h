// The editor's tag colouring: the blue runs of ColourAllTags and
// ColourTagsNearCaret, and the search bar's red marks, shown as formats of
// the text's layout beside the document. They move with edits as character
// colours would, and never touch the undo history. Typing is coloured near
// the caret on the window's timer.
#pragma once

#include "text_range.h"

#include <QSyntaxHighlighter>

class QPlainTextEdit;

class TagColours : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit TagColours(QPlainTextEdit *editor);

    // ColourAllTags: every tag blue anew, without the search marks.
    void colourAll();
    // ColourTagsNearCaret: the tags around the caret after an edit.
    void colourNearCaret();
    // The timer's tick: colours near the caret when the text changed since the last tick and
    // `automatic` (the setting) allows it.
    void tick(bool automatic);
    // The tick colours nothing before the window is first shown or everything was coloured.
    void enableNearCaret() { nearCaretEnabled_ = true; }
    // A text the program changed (loaded, saved for the preview, searched) waits for the next edit.
    void forgetChange() { changed_ = false; }
    bool changed() const { return changed_; }

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
    // Detaches when nothing is coloured; true then.
    bool detachWhenUncoloured();
    // When detached: attaches and draws everything; true then.
    bool attachAndDrawAll();

    QTextDocument *text_;

    QPlainTextEdit *editor_;
    bool nearCaretEnabled_ = false;
    bool changed_ = false; // typed or edited since the last tick

    TextTools::TextRanges blue_;  // sorted, disjoint
    TextTools::TextRanges marks_; // sorted, disjoint
    int revision_ = -1;           // of the last edit followed
};
