// The local files a page links to, and its images: a missing file, an
// image without alt, an image shown at another size than its own.
#pragma once

#include "findings.h"
#include "page_elements.h"

#include <optional>

namespace HtmlCheck {

// src and href (not http:, https:, mailto: or another scheme but file:) and
// url() in style, relative to `folder`; none of them when `folder` is empty
// (the document has no place yet) or a <base href> moves them elsewhere.
QList<Finding> CheckLocalFiles(const QList<Element> &elements, const QString &folder);

namespace detail {
// The file a link names, relative to `folder`: none for a link with a
// scheme but file:, within the page ("#top"), empty, or from the site's root.
std::optional<QString> LocalFile(const QString &link, const QString &folder);
// The links of the url() in a style attribute.
QStringList StyleUrls(const QString &style);
} // namespace detail

} // namespace HtmlCheck
