// Every font name the program stores or offers resolves, through its
// substitutes, to an installed face.
#include "font_substitutions.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>
#include <string>

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

// Asking in the installed families gives the face the name gives, in each style.
TEST(FontSubstitutions, InstalledFamiliesGiveTheSameFace)
{
    InstallJapaneseFontSubstitutions();
    for (const char *name :
         {"ＭＳ ゴシック", "MS ゴシック", "ＭＳ Ｐゴシック", "Arial", "DejaVu Sans", "No Such Face"}) {
        for (const bool bold : {false, true}) {
            SCOPED_TRACE(std::string(name) + (bold ? " bold" : ""));
            QFont byName(QString::fromUtf8(name));
            QFont installed;
            installed.setFamilies(InstalledFamilies(QString::fromUtf8(name)));
            for (QFont *font : {&byName, &installed}) {
                font->setPixelSize(12);
                font->setBold(bold);
            }
            const QFontInfo expected(byName);
            const QFontInfo got(installed);
            EXPECT_EQ(got.family(), expected.family());
            EXPECT_EQ(got.styleName(), expected.styleName());
            EXPECT_EQ(got.pixelSize(), expected.pixelSize());
        }
    }
}
