// The character code an HTML page declares in its head: <meta charset> or the
// charset parameter of <meta http-equiv="Content-Type" content="...">.
#pragma once

#include "text_range.h"

#include <QString>
#include <optional>

namespace TextTools {

struct CharsetDeclaration
{
    TextRange value; // where the code's name stands, as stored
    QString name;    // as written ("shift_jis", "EUC-JP")
};

// The page's first declaration before its body; none in a text without one.
std::optional<CharsetDeclaration> FindCharsetDeclaration(QStringView text);

// Whether two names call the same code, as browsers read them ("Shift_JIS", "sjis", "x-sjis", "Windows-31J").
bool SameCharset(const QString &a, const QString &b);

} // namespace TextTools
