// Text functions of template expansion.
#pragma once

#include <QString>
#include <QtGlobal>

namespace Palettes {

// `subject` with every occurrence of `pattern` replaced, from left to right; the search resumes
// behind each inserted replacement, so a replacement holding the pattern ends. An empty pattern
// changes nothing.
QString ReplaceAll(QString subject, const QString &pattern, const QString &replacement);

// A 0x00BBGGRR colour as "#" and six hexadecimal digits, red first; lower-case letters when lowerHex.
QString ColorToHtml(quint32 colour, bool lowerHex);

// `target` relative to `baseFolder` (which ends with '/'), with "/" separators and "../" for
// each folder up; empty when either is empty; `target` unchanged when their first characters differ.
QString MakeRelativePath(const QString &baseFolder, const QString &target);

} // namespace Palettes
