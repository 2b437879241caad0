#include "colour_value.h"

namespace {

QColor systemColour(int index, const QPalette &palette)
{
    switch (index) {
    case 5:
        return palette.color(QPalette::Active, QPalette::Base);
    case 6:
    case 21:
        return palette.color(QPalette::Active, QPalette::Shadow);
    case 8:
        return palette.color(QPalette::Active, QPalette::Text);
    case 13:
        return palette.color(QPalette::Active, QPalette::Highlight);
    case 14:
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case 16:
        return palette.color(QPalette::Active, QPalette::Dark);
    case 17:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18:
        return palette.color(QPalette::Active, QPalette::ButtonText);
    case 20:
        return palette.color(QPalette::Active, QPalette::Light);
    case 22:
        return palette.color(QPalette::Active, QPalette::Midlight);
    case 23:
        return palette.color(QPalette::Active, QPalette::ToolTipText);
    case 24:
        return palette.color(QPalette::Active, QPalette::ToolTipBase);
    default: // the button face and every colour without a role of its own
        return palette.color(QPalette::Active, QPalette::Button);
    }
}

} // namespace

QColor ColorToQColor(TColor value, const QPalette &palette)
{
    if (value == clNone)
        return QColor(Qt::transparent);
    if (value & clSystemColor)
        return systemColour(int(value & 0xFF), palette);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

TColor ColorFromQColor(const QColor &colour)
{
    const QRgb rgb = colour.rgb();
    return TColor(qRed(rgb)) | TColor(qGreen(rgb)) << 8 | TColor(qBlue(rgb)) << 16;
}
