// Button definitions a failed write kept in memory only, written with the
// next definition of the same set that can be written.
#pragma once

#include "set_files.h"

#include <QMap>

namespace Palettes {

class PendingDefinitions
{
public:
    // Defines `change` in its set file, then every kept definition of that set; those that fail stay kept.
    SetDefined define(const QString &programDir, const PaletteKind &kind, const SetDefinition &change);
    // Another set is shown: what was kept for the old one is no longer on the buttons.
    void clear() { kept_.clear(); }
    bool isEmpty() const { return kept_.isEmpty(); }

private:
    QString set_;
    QMap<int, ButtonDefinition> kept_;
};

} // namespace Palettes
