#include "shine_btn_colors.h"

TShineBtnColors::TShineBtnColors(TColor color, QObject *parent) : QObject(parent), color_(color) {}

void TShineBtnColors::Assign(const TShineBtnColors &source)
{
    bool differs = false;
    const auto copy = [&differs](auto &field, auto value) {
        differs = differs || field != value;
        field = value;
    };
    copy(color_, source.color_);
    copy(highlight_, source.highlight_);
    copy(shadow_, source.shadow_);
    copy(darkShadow_, source.darkShadow_);
    copy(gradColor_, source.gradColor_);
    copy(gradVertical_, source.gradVertical_);
    copy(gradation_, source.gradation_);
    if (differs)
        emit Changed();
}
