// The five colours of a page body (background, text, link, visited link,
// active link) as its BODY tag gives them.
#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace Colour {

enum BodyColour { Background, Text, Link, VisitedLink, ActiveLink };
inline constexpr int BodyColourCount = 5;

// Each body colour as 0x00BBGGRR; none where the tag does not name it.
using BodyColours = std::array<std::optional<quint32>, BodyColourCount>;

// The text of the first BODY tag (any letter case) from "<BODY" up to, not including, its ">";
// none when there is no "<BODY" or no ">" within the searched range.
std::optional<QString> FindBodyTag(QStringView document);

// The colours of the attributes BGCOLOR, TEXT, LINK, VLINK and ALINK of a BODY tag's text.
// Names are whole attribute names in any letter case (LINK is not found in VLINK, nor inside a
// value); values may be quoted or not; "#RRGGBB", "#RGB" and colour names are colours.
BodyColours ReadBodyColours(QStringView tag);

// The colour `value` names as 0x00BBGGRR; none when it is no colour.
std::optional<quint32> ParseHtmlColour(QStringView value);

} // namespace Colour
