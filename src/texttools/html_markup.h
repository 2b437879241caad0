// The markup of an HTML text that the character conversions leave alone:
// tags, from "<" through the next ">" (an unclosed "<" is text), and
// character references.
#pragma once

#include <QString>
#include <functional>

namespace TextTools {

// `text` with every run between markup replaced by rewrite(run).
QString RewriteOutsideMarkup(const QString &text, const std::function<QString(const QString &)> &rewrite);

} // namespace TextTools
