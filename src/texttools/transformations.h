// The context menu's rewrites of the whole page or of the selection. Line
// breaks are the editor's "\n" (CR LF in the document's bytes).
#pragma once

#include "text_range.h"

#include <QString>

namespace TextTools {

// "全てテキストに変換": headings, rules, titles, bold and table rows turned
// into plain-text marks, "&nbsp;" into a space, then every tag stripped.
QString HtmlToText(const QString &page);

// "タグを除去": every "<" through the next ">" removed; an unclosed "<" and
// what follows it stay.
QString StripTags(const QString &text);

// The line-break tag for the palette's case choice: "<BR>" for 2, else "<br>".
QString LineBreakTag(int caseMode);

// "<BR>をつける": `tag` put in front of every line break.
QString AddLineBreakTags(const QString &text, const QString &tag);

// "TABで字下げ": the first and last line (0-based) to indent for a selection;
// empty (last < first) for a caret at the start of a line below the first.
struct LineSpan
{
    qsizetype first = 0;
    qsizetype last = 0;
    bool isEmpty() const { return last < first; }
    friend bool operator==(const LineSpan &, const LineSpan &) = default;
};
LineSpan TabIndentLines(QStringView text, qsizetype selectionStart, qsizetype selectionLength);

// Every line of `lines` with a TAB in front.
QString IndentWithTab(const QString &lines);

// "TABを除去": every TAB removed.
QString RemoveTabs(QString text);

// Quote paste: "> " at the start of every line, ending with one line break.
QString QuoteText(const QString &pasted);

} // namespace TextTools
