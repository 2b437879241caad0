// 文書チェック: the document checked as it would be saved. An HTML page gets
// tidy's structural messages and the editor's own checks (charset, local
// files, images); a text document only the characters its code cannot
// hold and mixed line ends. Nothing here changes the text.
#pragma once

#include "document_format.h"
#include "findings.h"

namespace HtmlCheck {

// A copy of everything the check needs, so that it can run aside.
struct CheckInput
{
    QString text; // '\n' line breaks
    QString path; // the document's file; its folder is where links start
    DocumentFormat format;
    bool mixedLineEnds = false;
};

// Whether a document is checked as HTML: its extension names HTML (.htm,
// .html, .shtml, .xhtml).
bool IsHtmlPath(const QString &path);

// A report lists at most this many, the last saying how many more there are.
inline constexpr qsizetype MaxFindings = 1000;

// Runs tidy where the input is HTML: on a thread with TidyStackBytes of stack.
Report CheckDocument(const CheckInput &input);

} // namespace HtmlCheck
