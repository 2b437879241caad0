// How deep a page's elements nest, estimated before tidy sees it: tidy
// 5.6 parses recursively and takes time that grows with the square of the
// depth, so a page nested thousands deep would overflow its stack or keep
// the check busy for minutes.
#pragma once

#include <QStringView>

namespace HtmlCheck {

// The most elements open at once in `text`, following the end tags a page
// may leave out (a <p> before a block, an <li> before the next) but no other
// repair: at least the depth tidy builds for a well-formed page. Stops
// counting once past `stopAbove`.
qsizetype NestingDepth(QStringView text, qsizetype stopAbove);

} // namespace HtmlCheck
