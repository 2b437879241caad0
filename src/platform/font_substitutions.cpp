#include "font_substitutions.h"

#include <QFont>
#include <QFontDatabase>

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

QStringList InstalledFamilies(const QString &family)
{
    const QStringList substitutes = QFont::substitutes(family);
    if (substitutes.isEmpty())
        return {family};
    QStringList installed;
    // A family several foundries provide is listed as "Family [Foundry]".
    for (const QString &listed : QFontDatabase::families())
        installed << listed.section(QStringLiteral(" ["), 0, 0);
    if (installed.contains(family, Qt::CaseInsensitive))
        return {family};
    for (qsizetype i = 0; i < substitutes.size(); ++i)
        if (installed.contains(substitutes[i], Qt::CaseInsensitive))
            return substitutes.mid(i);
    return {family};
}
