// The line-break marker of set files: a line break inside a content or help
// text is stored as the four characters \r\n so that a record stays six lines.
#pragma once

#include <QString>

namespace Palettes {

// Every line break (CR LF, lone CR or LF, U+2028, U+2029) written as the four characters \r\n.
QString EncodeLineBreaks(const QString &text);

// Every four-character \r\n turned back into a line break ('\n', as the editor holds it).
QString DecodeLineBreaks(const QString &text);

// `text` on one line: line breaks dropped, for fields that have no marker (captions).
QString OneLine(const QString &text);

} // namespace Palettes
