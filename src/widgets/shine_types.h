// Enumerations of the shine speed button, usable without the widget so the
// drawing helpers and their tests need no window.
#pragma once

#include <QObject>

namespace Shine {
Q_NAMESPACE

enum TFrameType { ftFlatFrame, ftNormalFrame, ftEnclosedFrame };
Q_ENUM_NS(TFrameType)

enum TActiveImageType {
    aiNormal,
    aiXorLight,
    aiHalfLight,
    aiQuaterLight,
    aiAddLight,
    aiFrameLight,
    aiFrameLight2,
    aiMaskLight
};
Q_ENUM_NS(TActiveImageType)

enum TDisabledImageType { diDefault, diGrayscale, diAlphaHalfTrans, diAlphaQuaterTrans, diMaskTrans };
Q_ENUM_NS(TDisabledImageType)

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
Q_ENUM_NS(TButtonLayout)

// Visual state. Hot states are 0 and 2, down-looking states 0 and 1.
enum T_ShineButtonState { _sbsActiveDown = 0, _sbsDown = 1, _sbsActiveUp = 2, _sbsUp = 3, _sbsDisableUp = 4 };
Q_ENUM_NS(T_ShineButtonState)

constexpr bool IsHotState(T_ShineButtonState s)
{
    return s == _sbsActiveDown || s == _sbsActiveUp;
}
constexpr bool IsDownState(T_ShineButtonState s)
{
    return s == _sbsActiveDown || s == _sbsDown;
}

} // namespace Shine

using Shine::TActiveImageType;
using Shine::TButtonLayout;
using Shine::TDisabledImageType;
using Shine::TFrameType;
using enum Shine::TFrameType;
using enum Shine::TActiveImageType;
using enum Shine::TDisabledImageType;
using enum Shine::TButtonLayout;
