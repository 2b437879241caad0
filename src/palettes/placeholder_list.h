// The placeholders a button's content may hold, as the button dialog lists
// them for the user.
#pragma once

#include <QList>
#include <QString>

namespace Palettes {

struct PlaceholderHelp
{
    QString name;    // "*text*"
    QString meaning; // what it becomes, in a few words
};

// In the order the expansion replaces them.
QList<PlaceholderHelp> PlaceholderList();

} // namespace Palettes
