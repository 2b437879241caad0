// The character after the caret as the status bar shows it: its code point
// and its bytes in the document's code ("U+3042 82A0"), and its Unicode name.
#pragma once

#include <QByteArray>

#include <QString>
#include <QStringView>
#include <functional>

namespace TextTools {

struct CaretCharacter
{
    QString code; // empty at the end of the text
    QString name; // empty where Unicode gives none
    friend bool operator==(const CaretCharacter &, const CaretCharacter &) = default;
};

// The bytes a character (a surrogate pair, or "\n" for a line break) is
// written as, empty when the code lacks it.
using CharacterBytesOf = std::function<QByteArray(QStringView character)>;

// The character that starts at text[index]; a surrogate pair is one.
CaretCharacter DescribeCharacter(QStringView text, qsizetype index, const CharacterBytesOf &bytesOf);

} // namespace TextTools
