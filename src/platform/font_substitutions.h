// The font names stored in settings and used by the dialogs (ＭＳ ゴシック and
// the like) map to installed fonts.
#pragma once

#include <QStringList>

// Installs substitutions for "ＭＳ ゴシック", "ＭＳ Ｐゴシック", "MS ゴシック" and "Arial".
void InstallJapaneseFontSubstitutions();

// Families that stand in for a fixed-pitch Japanese font, best first.
QStringList FixedPitchJapaneseFamilies();

// The families to ask for `family` in: a name no installed font has but that
// has substitutes becomes its substitutes from the first installed one on. The
// face is the same; Qt would otherwise search fontconfig for the missing name
// once for every script it draws before trying them.
QStringList InstalledFamilies(const QString &family);
