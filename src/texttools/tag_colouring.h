// Which characters of the editor's text are coloured blue as HTML tags. The
// presenter applies the ranges; nothing here touches a document.
#pragma once

#include "text_range.h"

#include <QStringView>

namespace TextTools {

// ColourAllTags: every tag from "<" through ">", tags separated only by line
// breaks (or adjacent) merged into one range with those breaks; an unclosed
// "<" is a range of its own.
TextRanges ColourAllTagsRanges(QStringView text);

// What ColourTagsNearCaret changes: `reset` goes back to the font colour,
// then `blue` is coloured. Both empty when there is no tag near the caret.
struct NearCaretColouring
{
    TextRange reset;
    TextRanges blue;
};

// ColourTagsNearCaret for the caret at character position `caret`: the
// window runs from 150 editor units before the caret to 100 after it.
NearCaretColouring ColourTagsNearCaretRanges(QStringView text, qsizetype caret);

} // namespace TextTools
