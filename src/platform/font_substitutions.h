// The Windows Japanese font names stored in settings map to installed fonts.
#pragma once

#include <QStringList>

// Installs substitutions for "ＭＳ ゴシック", "ＭＳ Ｐゴシック" and "MS ゴシック".
void InstallJapaneseFontSubstitutions();

// Families that stand in for a fixed-pitch Japanese font, best first.
QStringList FixedPitchJapaneseFamilies();
