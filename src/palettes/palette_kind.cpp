#include "palette_kind.h"

namespace Palettes {

const PaletteKind &TagPalette()
{
    static const PaletteKind kind{QStringLiteral(".qmh"),
                                  QStringLiteral("[QUMOEDIT HTML Button Data Ver1.0]"),
                                  QStringLiteral("新規HTMLデータ"),
                                  QStringLiteral("データ「%1」を削除しますか？"),
                                  40,
                                  0,
                                  1,
                                  false};
    return kind;
}

const PaletteKind &ClipPalette()
{
    static const PaletteKind kind{QStringLiteral(".qmc"),
                                  QStringLiteral("text"),
                                  QStringLiteral("新規QUMOCLIPデータ"),
                                  QStringLiteral("クリップデータ「%1」を削除しますか？"),
                                  20,
                                  1,
                                  101,
                                  true};
    return kind;
}

PaletteButton ButtonOfTag(int tag)
{
    if (tag <= 100)
        return {&TagPalette(), tag - 1};
    return {&ClipPalette(), tag - 100};
}

} // namespace Palettes
