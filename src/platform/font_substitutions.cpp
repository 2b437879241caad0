#include "font_substitutions.h"

#include <QFont>

QStringList FixedPitchJapaneseFamilies()
{
    return {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
            QStringLiteral("Noto Sans CJK JP"), QStringLiteral("monospace")};
}

void InstallJapaneseFontSubstitutions()
{
    const QStringList proportional{QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                                   QStringLiteral("sans-serif")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), FixedPitchJapaneseFamilies());
    QFont::insertSubstitutions(QStringLiteral("MS ゴシック"), FixedPitchJapaneseFamilies());
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), proportional);
    // The about page's logo; Liberation Sans and Nimbus Sans share Arial's widths.
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                                QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")});
}
