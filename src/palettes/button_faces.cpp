#include "button_faces.h"

#include "body_colours.h"
#include "line_breaks.h"
#include "set_files.h"

namespace Palettes {

namespace {

LoadedSet LoadSet(const QString &programDir, const QString &name, const PaletteKind &kind)
{
    SetRead read = ReadSet(programDir, name, kind);
    LoadedSet result;
    result.outcome = read.outcome;
    if (read.outcome.done()) {
        result.faces = ButtonFaces(read.list, kind);
        result.list = std::move(read.list);
        result.path = read.path;
    }
    return result;
}

} // namespace

std::optional<quint32> ClipColour(const QString &content)
{
    // Only the seven-character "#RRGGBB" form colours a face.
    if (content.size() != 7 || content[0] != u'#')
        return std::nullopt;
    return Colour::ParseHtmlColour(content);
}

QList<ButtonFace> ButtonFaces(const SetList &list, const PaletteKind &kind)
{
    QList<ButtonFace> faces(kind.buttonCount);
    const QList<qsizetype> keys = list.keyLines(kind.firstRecord, kind.buttonCount);
    for (int b = 0; b < kind.buttonCount; ++b) {
        if (keys[b] < 0)
            continue;
        const ButtonRecord record = list.recordAt(keys[b]);
        ButtonFace &face = faces[b];
        face.defined = true;
        face.caption = record.caption;
        face.tooltip = DecodeLineBreaks(record.help);
        if (kind.colourFaces)
            face.flatColour = ClipColour(record.content);
    }
    return faces;
}

LoadedSet LoadTagSet(const QString &programDir, const QString &name)
{
    return LoadSet(programDir, name, TagPalette());
}

LoadedSet LoadClipSet(const QString &programDir, const QString &name)
{
    return LoadSet(programDir, name, ClipPalette());
}

} // namespace Palettes
