// What a search can be sure of before it decodes a line: characters that
// every match holds, when no match can run past the end of its line. A
// file's lines without their bytes are passed over undecoded.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace TextTools {

struct LineLiteral
{
    QString text;          // every match holds these characters, in a row
    bool foldCase = false; // its ASCII letters in either case
    friend bool operator==(const LineLiteral &, const LineLiteral &) = default;
};

// The longest run of characters that every match of the regular expression `pattern` holds, when no
// match of it can hold a line break; nullopt when either is unsure. `caseless`: a run holds no k and s,
// which match the Kelvin sign and the long s, and of other characters only kana and kanji.
std::optional<QString> LineBoundLiteral(QStringView pattern, bool caseless);

} // namespace TextTools
