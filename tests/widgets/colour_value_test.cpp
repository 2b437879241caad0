#include "colour_value.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>

using namespace widget_test;

TEST(ColourValue, PlainValuesHaveRedInTheLowByte)
{
    const QPalette palette = testPalette();
    EXPECT_EQ(ColorToQColor(0x00123456, palette), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(ColorToQColor(clRed, palette), QColor(255, 0, 0));
    EXPECT_EQ(ColorToQColor(clBlue, palette), QColor(0, 0, 255));
    EXPECT_EQ(ColorFromQColor(QColor(0x56, 0x34, 0x12)), 0x00123456u);
    EXPECT_EQ(ColorFromQColor(ColorToQColor(clAqua, palette)), clAqua);
}

TEST(ColourValue, SystemColoursFollowThePalette)
{
    QPalette palette = testPalette();
    EXPECT_EQ(ColorToQColor(clBtnFace, palette), face);
    EXPECT_EQ(ColorToQColor(clBtnHighlight, palette), light);
    EXPECT_EQ(ColorToQColor(clBtnShadow, palette), dark);
    EXPECT_EQ(ColorToQColor(clWindowFrame, palette), frame);
    EXPECT_EQ(ColorToQColor(clHighlight, palette), highlight);
    EXPECT_EQ(ColorToQColor(clBtnText, palette), buttonText);
    // A theme change is seen at the next lookup.
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    EXPECT_EQ(ColorToQColor(clBtnFace, palette), QColor(1, 2, 3));
}

TEST(ColourValue, NoneIsTransparent)
{
    EXPECT_EQ(clNone, 0x1FFFFFFFu);
    EXPECT_EQ(ColorToQColor(clNone, testPalette()).alpha(), 0);
}
