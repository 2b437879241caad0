#include "legible_colour.h"

#include <gtest/gtest.h>

namespace {

TEST(LegibleOn, KeepsReadableColoursAndDarkensOrLightensTheOthers)
{
    const struct
    {
        QColor colour, background;
        bool kept;
    } cases[] = {
        {Qt::black, Qt::white, true},
        {Qt::white, QColor(0x20, 0x20, 0x20), true},
        {Qt::white, QColor(0xEF, 0xEF, 0xEF), false}, // the settings hint on a light theme
        {Qt::cyan, Qt::white, false},                 // a hovered link on the about page
        {Qt::red, Qt::white, false},                  // 4.0: just short
        {Qt::blue, QColor(0x10, 0x10, 0x40), false},  // too dark on a dark theme
        {QColor(0x80, 0x80, 0x80), QColor(0x80, 0x80, 0x80), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.colour.name().toStdString() + " on " + c.background.name().toStdString());
        const QColor shown = LegibleOn(c.colour, c.background);
        EXPECT_GE(ContrastRatio(shown, c.background), 4.5);
        EXPECT_EQ(shown == c.colour, c.kept);
        // The hue stays where it had one: a darkened cyan is still a cyan.
        if (!c.kept && c.colour.hsvHue() >= 0 && shown != QColor(Qt::black) && shown != QColor(Qt::white)) {
            EXPECT_NEAR(shown.hsvHue(), c.colour.hsvHue(), 2);
        }
    }
    EXPECT_NEAR(ContrastRatio(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(ContrastRatio(Qt::red, Qt::red), 1.0, 0.01);
}

} // namespace
