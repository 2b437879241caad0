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
}
