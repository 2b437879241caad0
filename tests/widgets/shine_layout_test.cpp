#include "shine_layout.h"

#include <gtest/gtest.h>

namespace {

const QSize client(40, 30);
const QSize glyph(10, 8);
const QSize caption(12, 6);

} // namespace

TEST(CalcDrawPosition, GlyphLeftCentredAndWithMargin)
{
    ShineDrawPosition at = CalcDrawPosition(client, glyph, caption, blGlyphLeft, -1, 4);
    EXPECT_EQ(at.glyph, QPoint(7, 11));
    EXPECT_EQ(at.caption, QRect(21, 12, 12, 6));
    at = CalcDrawPosition(client, glyph, caption, blGlyphLeft, 2, 4);
    EXPECT_EQ(at.glyph, QPoint(2, 11));
    EXPECT_EQ(at.caption, QRect(16, 12, 12, 6));
}

TEST(CalcDrawPosition, GlyphRightKeepsMarginFromTheRightEdge)
{
    const ShineDrawPosition at = CalcDrawPosition(client, glyph, caption, blGlyphRight, 2, 4);
    EXPECT_EQ(at.caption, QRect(12, 12, 12, 6));
    EXPECT_EQ(at.glyph, QPoint(28, 11));
}

TEST(CalcDrawPosition, VerticalLayoutsCentreEachPartHorizontally)
{
    ShineDrawPosition at = CalcDrawPosition(client, glyph, caption, blGlyphTop, -1, 4);
    EXPECT_EQ(at.glyph, QPoint(15, 6));
    EXPECT_EQ(at.caption, QRect(14, 18, 12, 6));
    at = CalcDrawPosition(client, glyph, caption, blGlyphBottom, 3, 4);
    EXPECT_EQ(at.caption, QRect(14, 9, 12, 6));
    EXPECT_EQ(at.glyph, QPoint(15, 19));
}

TEST(CalcDrawPosition, SpacingOnlyBetweenTwoParts)
{
    for (const auto layout : {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom}) {
        // Caption only: every layout centres the caption the same way.
        EXPECT_EQ(CalcDrawPosition(client, QSize(), caption, layout, -1, 4).caption, QRect(14, 12, 12, 6))
            << layout;
        // Glyph only.
        EXPECT_EQ(CalcDrawPosition(client, glyph, QSize(), layout, -1, 4).glyph, QPoint(15, 11)) << layout;
    }
}

TEST(CalcDrawPosition, CentringTruncatesTowardZero)
{
    // Block wider than the button: (10 - 25) / 2 is -7, not -8.
    const ShineDrawPosition at = CalcDrawPosition(QSize(10, 10), QSize(), QSize(25, 5), blGlyphLeft, -1, 4);
    EXPECT_EQ(at.caption.topLeft(), QPoint(-7, 2));
    // Odd remainder inside the block: the glyph sits at (7 - 4) / 2 = 1.
    EXPECT_EQ(CalcDrawPosition(QSize(20, 20), QSize(3, 4), QSize(5, 7), blGlyphLeft, 0, 0).glyph,
              QPoint(0, 7));
}
