// What the palette buttons show for a set: caption, tooltip and, on the clip
// palette, a flat face in the colour a "#RRGGBB" clip holds.
#pragma once

#include "outcome.h"
#include "palette_kind.h"
#include "set_list.h"

#include <QList>
#include <QString>
#include <optional>

namespace Palettes {

struct ButtonFace
{
    bool defined = false;
    QString caption;
    QString tooltip; // the help text with its line breaks; shown only when defined
    // A flat face of this 0x00BBGGRR colour; none: the gradient face in the button-face colour.
    std::optional<quint32> flatColour;
    bool operator==(const ButtonFace &) const = default;
};

// The colour a clip's stored content names: exactly "#" and six hexadecimal digits, red first.
std::optional<quint32> ClipColour(const QString &content);

// The faces of the kind's buttons, first button first.
QList<ButtonFace> ButtonFaces(const SetList &list, const PaletteKind &kind);

struct LoadedSet
{
    // Not done: keep the previous set and faces; declined when there is no such set (nothing to show).
    Outcome outcome;
    SetList list;
    QString path; // of the file read
    QList<ButtonFace> faces;
};

// Choosing the tag set `name`: its list and the 40 buttons' faces.
LoadedSet LoadTagSet(const QString &programDir, const QString &name);
// Choosing the clip set `name`: its list and the 20 buttons' faces.
LoadedSet LoadClipSet(const QString &programDir, const QString &name);

} // namespace Palettes
