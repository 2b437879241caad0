// HTML character references: the characters that must be written as
// references, and references read back into characters.
#pragma once

#include <QString>
#include <QStringView>

namespace TextTools {

// Whether a document's code can hold `c`: every character when
// `anyCharacter` (UTF-8), else those code page 932 has.
bool CodeHolds(char32_t c, bool anyCharacter);

// "文字参照に変換": & < > " as &amp; &lt; &gt; &quot;, and each character
// the code cannot hold as &#x…; (one for a surrogate pair). Line breaks and
// bytes kept from the file stay.
QString EscapeReferences(QStringView text, bool anyCharacter);

// "文字参照を文字に戻す": HTML5's named references (the HTML 4 ones also
// without ';' where no letter, digit or '=' follows) and numeric ones as
// their characters. An unknown name, a reference to no character or to a
// control other than TAB and LF, and one to a character the code cannot
// hold stay as written.
QString UnescapeReferences(QStringView text, bool anyCharacter);

} // namespace TextTools
