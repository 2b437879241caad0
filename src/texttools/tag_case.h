// ConvertTagCase: the letter case of HTML tags, quoted attribute values kept.
#pragma once

#include <QString>

namespace TextTools {

// The palette's case choice (the item index of its case box).
enum CaseMode : int { NoConversion = 0, LowerCase = 1, UpperCase = 2 };

// `text` with the ASCII letters of its tags lowered (caseMode 1) or raised
// (caseMode 2) outside double-quoted values; caseMode 0 returns it unchanged.
QString ConvertTagCase(const QString &text, int caseMode);

} // namespace TextTools
