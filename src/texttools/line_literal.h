// What a search can be sure of before it decodes a line: ASCII that every
// match holds, when no match can run past the end of its line. A file's
// lines without it are passed over as bytes.
#pragma once

#include <QByteArray>
#include <QStringView>
#include <optional>

namespace TextTools {

struct LineLiteral
{
    QByteArray ascii;      // every match holds these characters, in a row
    bool foldCase = false; // in either ASCII case
    friend bool operator==(const LineLiteral &, const LineLiteral &) = default;
};

// The longest run of ASCII that every match of the regular expression `pattern` holds, when no match of
// it can hold a line break; nullopt when either is unsure. `caseless`: a run leaves out k and s, which
// match the Kelvin sign and the long s.
std::optional<QByteArray> LineBoundLiteral(QStringView pattern, bool caseless);

} // namespace TextTools
