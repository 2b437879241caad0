#include "state_glyph.h"
#include "widget_test_support.h"

#include <gtest/gtest.h>

using namespace Shine;
using widget_test::keyedGlyph;

namespace {

const QRgb red = qRgb(255, 0, 0);
const QRgb blue = qRgb(0, 0, 255);
const QRgb face = qRgb(200, 200, 200);

QImage effect(const QImage &glyph, T_ShineButtonState state, TActiveImageType active,
              TDisabledImageType disabled = diGrayscale, QRgb shine = red)
{
    return CreateStateGlyph(glyph, state, active, disabled, shine, face).image;
}

bool transparentAt(const QImage &image, int x, int y)
{
    return qAlpha(image.pixel(x, y)) == 0;
}

// Which pixels of image are opaque, as rows of '#' and '.'.
std::string opaqueMap(const QImage &image)
{
    std::string map;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            map += transparentAt(image, x, y) ? '.' : '#';
        map += '\n';
    }
    return map;
}

} // namespace

TEST(StateGlyph, AddLightSaturatesAndLeavesKeyPixels)
{
    const QImage glyph = keyedGlyph({3, 3}, {{{1, 1}, qRgb(200, 10, 20)}, {{2, 0}, qRgb(100, 250, 0)}});
    const QImage hot = effect(glyph, _sbsActiveUp, aiAddLight, diDefault, qRgb(255, 0, 10));
    EXPECT_EQ(hot.pixel(1, 1), qRgb(255, 10, 30));
    EXPECT_EQ(hot.pixel(2, 0), qRgb(255, 250, 10));
    EXPECT_TRUE(transparentAt(hot, 0, 0));
    EXPECT_TRUE(transparentAt(hot, 0, 2));
    // Up and not hot: the picture unchanged, background still see-through.
    const QImage cold = effect(glyph, _sbsUp, aiAddLight);
    EXPECT_EQ(cold.pixel(1, 1), qRgb(200, 10, 20));
    EXPECT_TRUE(transparentAt(cold, 0, 0));
}

TEST(StateGlyph, ColourMixingEffects)
{
    const QImage glyph = keyedGlyph({2, 2}, {{{1, 0}, qRgb(100, 40, 0)}});
    const QRgb shine = qRgb(20, 80, 255);
    EXPECT_EQ(effect(glyph, _sbsActiveDown, aiXorLight, diDefault, shine).pixel(1, 0),
              qRgb(100 ^ 20, 40 ^ 80, 255));
    EXPECT_EQ(effect(glyph, _sbsActiveUp, aiHalfLight, diDefault, shine).pixel(1, 0), qRgb(60, 60, 127));
    EXPECT_EQ(effect(glyph, _sbsActiveUp, aiQuaterLight, diDefault, shine).pixel(1, 0), qRgb(40, 70, 191));
    EXPECT_EQ(effect(glyph, _sbsActiveUp, aiNormal, diDefault, shine).pixel(1, 0), qRgb(100, 40, 0));
    // Disabled: mixed with the face colour, or grey.
    EXPECT_EQ(effect(glyph, _sbsDisableUp, aiNormal, diAlphaHalfTrans).pixel(1, 0), qRgb(150, 120, 100));
    EXPECT_EQ(effect(glyph, _sbsDisableUp, aiNormal, diAlphaQuaterTrans).pixel(1, 0), qRgb(175, 160, 150));
    EXPECT_EQ(effect(glyph, _sbsDisableUp, aiNormal, diGrayscale).pixel(1, 0), qRgb(46, 46, 46));
    // Hot effects do not apply when disabled, nor disabled ones when hot.
    EXPECT_EQ(effect(glyph, _sbsDisableUp, aiAddLight, diAlphaHalfTrans).pixel(1, 0), qRgb(150, 120, 100));
    EXPECT_EQ(effect(glyph, _sbsDown, aiAddLight, diGrayscale).pixel(1, 0), qRgb(100, 40, 0));
}

TEST(StateGlyph, FrameLightOutlinesThePicture)
{
    const QImage glyph = keyedGlyph({5, 5}, {{{2, 2}, blue}});
    const QImage hot = effect(glyph, _sbsActiveUp, aiFrameLight);
    EXPECT_EQ(opaqueMap(hot), ".....\n"
                              "..#..\n"
                              ".###.\n"
                              "..#..\n"
                              ".....\n");
    EXPECT_EQ(hot.pixel(2, 1), red | 0xFF000000u);
    EXPECT_EQ(hot.pixel(2, 2), blue);
}

TEST(StateGlyph, FrameLight2ThickensTheOutlineInsideTheBitmap)
{
    const QImage glyph = keyedGlyph({5, 5}, {{{2, 2}, blue}});
    EXPECT_EQ(opaqueMap(effect(glyph, _sbsActiveUp, aiFrameLight2)), "..#..\n"
                                                                     ".###.\n"
                                                                     "#####\n"
                                                                     ".###.\n"
                                                                     "..#..\n");
    // At the bitmap's edge the extra pixels fall outside and are dropped.
    const QImage edge = keyedGlyph({2, 2}, {{{0, 0}, blue}});
    EXPECT_EQ(opaqueMap(effect(edge, _sbsActiveUp, aiFrameLight2)), "##\n"
                                                                    "##\n");
}

TEST(StateGlyph, CheckerboardEffects)
{
    QImage glyph(2, 3, QImage::Format_RGB32);
    glyph.fill(blue);
    glyph.setPixel(0, 2, qRgb(255, 0, 255)); // the key
    const QImage mask = effect(glyph, _sbsActiveUp, aiMaskLight);
    EXPECT_EQ(mask.pixel(0, 0), blue);
    EXPECT_EQ(mask.pixel(1, 0), red | 0xFF000000u);
    EXPECT_EQ(mask.pixel(0, 1), red | 0xFF000000u);
    EXPECT_EQ(mask.pixel(1, 1), blue);
    EXPECT_EQ(opaqueMap(effect(glyph, _sbsDisableUp, aiNormal, diMaskTrans)), "#.\n"
                                                                              ".#\n"
                                                                              "..\n");
}

TEST(StateGlyph, DisabledDefaultIsAnEdgeMap)
{
    const StateGlyph disabled = CreateStateGlyph(keyedGlyph({4, 4}, {{{1, 1}, qRgb(0, 0, 0)}}), _sbsDisableUp,
                                                 aiFrameLight, diDefault, red, face);
    ASSERT_TRUE(disabled.edgeMap);
    EXPECT_EQ(opaqueMap(disabled.image), "##..\n"
                                         "##..\n"
                                         "....\n"
                                         "....\n");
    EXPECT_EQ(disabled.image.pixel(0, 0), qRgb(255, 255, 255));
    const QImage tinted = TintEdgeMap(disabled.image, QColor(1, 2, 3));
    EXPECT_EQ(tinted.pixel(1, 1), qRgb(1, 2, 3));
    EXPECT_TRUE(transparentAt(tinted, 2, 2));
}

TEST(StateGlyph, AlphaGlyphUsesTransparencyAsKey)
{
    QImage icon(3, 3, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixel(0, 2, qRgba(200, 0, 0, 255)); // bottom-left is part of the picture
    icon.setPixel(1, 1, qRgba(200, 0, 0, 128));
    const QImage stored = NormalizeGlyph(icon);
    EXPECT_EQ(stored.depth(), 32);
    const QImage hot = effect(stored, _sbsActiveUp, aiAddLight);
    EXPECT_EQ(hot.pixel(0, 2), qRgba(255, 0, 0, 255));
    EXPECT_EQ(hot.pixel(1, 1), qRgba(255, 0, 0, 128));
    EXPECT_TRUE(transparentAt(hot, 2, 2));
}

TEST(StateGlyph, EmptyGlyphGivesNothing)
{
    EXPECT_TRUE(CreateStateGlyph(QImage(), _sbsActiveUp, aiFrameLight, diDefault, red, face).image.isNull());
    EXPECT_TRUE(NormalizeGlyph(QImage()).isNull());
    // A paletted picture is held at 32 bits.
    EXPECT_EQ(NormalizeGlyph(QImage(4, 4, QImage::Format_Indexed8)).depth(), 32);
}
