// The live preview's own copy of the document, never the document itself: a
// page with a marker comment at the start of each line of its body, through
// which the pane finds the part of the page a line of the text starts, and
// with the style of vertical writing when that is on; a text document made
// into a page of its lines.
#pragma once

#include "preview_engine.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace PreviewCopy {

// A copy and where its line markers are.
struct MarkedCopy
{
    struct Marker
    {
        qsizetype source = -1; // in `source`; -1: the line has no marker
        qsizetype copy = -1;   // in `text`
    };
    QString source;              // what the copy was made of
    QString text;                // the copy
    std::vector<Marker> markers; // by line
    bool page = true;            // a page's markup, not a text document's lines
};

// "<!--qumo-line:12-->" for line 12 (from 0).
QString LineMarker(int line);

// The style that sets a page in vertical writing, right to left.
QString VerticalStyle();

// `page`, an HTML text whose lines are separated by '\n' or U+2029, with a
// line marker at every line start in its body that is outside markup (a tag,
// a comment, a script, a style or another element whose content is not
// markup), the first where the body starts; the vertical style goes there
// too. The body starts after the <body> tag, else after the head, the last
// <meta> tag and the doctype, so that a <meta charset> stays where a browser
// looks for it.
MarkedCopy MarkPage(QStringView page, bool vertical);
inline QString MarkedPage(QStringView page, bool vertical)
{
    return MarkPage(page, vertical).text;
}

// A text document as an HTML page in UTF-8: its lines, each after its line
// marker, as they are (blanks kept, long lines wrapped), in the font family
// and size given.
MarkedCopy MarkText(QStringView text, const QString &family, qreal points, bool vertical);
inline QByteArray TextPage(QStringView text, const QString &family, qreal points, bool vertical)
{
    return MarkText(text, family, points, vertical).text.toUtf8();
}

// How the shown copy `before` becomes `now` without a reload, when the edit
// lies between two markers after the body's start and the part between them,
// before and after, closes every element it opens in order (void elements
// aside) and holds no script, style or other element of raw text; else none:
// the page is loaded again.
std::optional<PreviewPatch> PatchBetween(const MarkedCopy &before, const MarkedCopy &now);

} // namespace PreviewCopy
