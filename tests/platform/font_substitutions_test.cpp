// Every font name the program stores or offers resolves, through its
// substitutes, to an installed face.
#include "font_substitutions.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>

TEST(FontSubstitutions, StoredFontNamesResolveToInstalledFaces)
{
    InstallJapaneseFontSubstitutions();
    const QStringList installed = QFontDatabase::families();
    for (const char *name : {"ＭＳ ゴシック", "MS ゴシック", "ＭＳ Ｐゴシック", "Arial"}) {
        SCOPED_TRACE(name);
        const QString family = QString::fromUtf8(name);
        const QString face = QFontInfo(QFont(family)).family();
        // Qt keeps substitutes in lower case and names a face " [foundry]" when several provide it.
        const QString plain = face.section(QStringLiteral(" ["), 0, 0);
        EXPECT_TRUE(QFont::substitutes(family).contains(plain, Qt::CaseInsensitive)) << face.toStdString();
        EXPECT_TRUE(installed.contains(face)) << face.toStdString();
    }
}
