// The font names the settings dialog offers for the editor.
#pragma once

#include <QStringList>

// The families in the given order, without vertical-writing faces (any name
// holding "@").
QStringList EditorFontChoices(const QStringList &families);

// The entry to select at first: "MS ゴシック" when offered, else the first.
int DefaultEditorFontIndex(const QStringList &choices);
