// The character after the caret as the status bar shows it: its code point
// and its bytes in the document's code ("U+3042 82A0"), and its Unicode name.
#pragma once

#include "code_bytes.h"

#include <QString>
#include <QStringView>

namespace TextTools {

struct CaretCharacter
{
    QString code; // empty at the end of the text
    QString name; // empty where Unicode gives none
    friend bool operator==(const CaretCharacter &, const CaretCharacter &) = default;
};

// The character that starts at text[index] ('\n' a line break written as
// `lineEnd`); a surrogate pair is one character.
CaretCharacter DescribeCharacter(QStringView text, qsizetype index, ByteCode code,
                                 Jconvert::ReturnCode lineEnd);

} // namespace TextTools
