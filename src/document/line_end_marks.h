// The line ends of a document whose file mixed them, kept on its lines (each
// block's user state) so that they move with the lines as the user edits.
#pragma once

#include "utf8_document.h"

class QTextBlock;
class QTextDocument;

// The mark on the line that starts at `lineStart`: a Jconvert::ReturnCode,
// or -1 where none is set.
int LineEndMark(const QTextBlock &lineStart);
// Sets it on the whole line, however many display blocks hold it.
void SetLineEndMark(const QTextBlock &lineStart, int mark);

// Marks each line with the end the file gave it.
void MarkLineEnds(QTextDocument &document, const LineEnds &ends);

// The ends marked on the lines now; a line without a mark (added since)
// ends in `main`.
LineEnds MarkedLineEnds(const QTextDocument &document, Jconvert::ReturnCode main);
