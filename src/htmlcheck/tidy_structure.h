// The page's structure as tidy-html5 reads it: its messages, and the
// elements the editor's own checks look at. A tidy document is made only
// here, when a check runs.
#pragma once

#include "findings.h"
#include "page_elements.h"

#include <QStringView>

namespace HtmlCheck {

// What tidy checks the page against: the HTML 4 its doctype names, or HTML5
// (a page without a doctype too).
enum class HtmlVersion { Html5, Html4Strict, Html4Transitional, OtherDoctype };
HtmlVersion VersionOf(QStringView text);

struct TidyPass
{
    Outcome outcome; // failed: tidy could not read the page
    QList<Finding> findings;
    // Those with src, href or style, and every img, meta and base, as written
    // (before tidy's repairs change them).
    QList<Element> elements;
};

// tidy parses recursively, about a hundred bytes of stack for each open
// element, in time that grows with the square of the depth: RunTidy
// refuses a page nested deeper than MaxNesting (a tenth of a second), and
// wants a thread with stack for many times that.
inline constexpr qsizetype MaxNesting = 10000;
inline constexpr unsigned TidyStackBytes = 64u << 20;

// Parses `text` with tidy.
TidyPass RunTidy(QStringView text);

} // namespace HtmlCheck
