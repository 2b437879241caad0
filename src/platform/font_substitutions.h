// The font names stored in settings and used by the dialogs (ＭＳ ゴシック and
// the like) map to installed fonts.
#pragma once

#include <QStringList>

// Installs substitutions for "ＭＳ ゴシック", "ＭＳ Ｐゴシック", "MS ゴシック" and "Arial".
void InstallJapaneseFontSubstitutions();

// Families that stand in for a fixed-pitch Japanese font, best first.
QStringList FixedPitchJapaneseFamilies();
