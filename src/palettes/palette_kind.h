// What tells the tag palette (QUMOHTML) and the clip palette (QUMOCLIP) apart,
// so that their handlers are written once for both.
#pragma once

#include <QString>

namespace Palettes {

struct PaletteKind
{
    QString extension;    // of its set files
    QString header;       // first line of a new set
    QString newSetName;   // set box text of a new set
    QString deletePrompt; // the delete question, %1 the set name
    int buttonCount;      // buttons on the palette
    int firstRecord;      // record number of its first button
    int firstTag;         // tag number of its first button
    bool colourFaces;     // colour codes shown on the button faces
};

// The tag palette: 40 buttons, records 0-39, tags 1-40, ".qmh".
const PaletteKind &TagPalette();
// The clip palette: 20 buttons, records 1-20, tags 101-120, ".qmc".
const PaletteKind &ClipPalette();

// A palette button as its tag number names it.
struct PaletteButton
{
    const PaletteKind *kind;
    int record; // its record number in the set
};

// Tags up to 100 are tag buttons (record tag - 1), larger ones clip buttons (record tag - 100).
PaletteButton ButtonOfTag(int tag);

} // namespace Palettes
