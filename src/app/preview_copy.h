// The live preview's own copy of the document, never the document itself: a
// page with a marker comment at the start of each line of its body, through
// which the pane finds the part of the page a line of the text starts, and
// with the style of vertical writing when that is on; a text document made
// into a page of its lines.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace PreviewCopy {

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
QString MarkedPage(QStringView page, bool vertical);

// A text document as an HTML page in UTF-8: its lines, each after its line
// marker, as they are (blanks kept, long lines wrapped), in the font family
// and size given.
QByteArray TextPage(QStringView text, const QString &family, qreal points, bool vertical);

} // namespace PreviewCopy
