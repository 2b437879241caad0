#include "editor_fonts.h"

QStringList EditorFontChoices(const QStringList &families)
{
    QStringList choices;
    for (const QString &family : families) {
        if (!family.contains(u'@'))
            choices.append(family);
    }
    return choices;
}

int DefaultEditorFontIndex(const QStringList &choices)
{
    return std::max<int>(0, static_cast<int>(choices.indexOf(QStringLiteral("MS ゴシック"))));
}
