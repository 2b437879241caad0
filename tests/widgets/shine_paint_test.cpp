// The button's face, frames, glyph and caption as they reach the screen.
#include "shine_speed_button.h"
#include "widget_test_support.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace widget_test;
using namespace Shine;

namespace {

std::unique_ptr<TShineSpeedButton> makeButton(QSize size = QSize(25, 25))
{
    auto button = std::make_unique<TShineSpeedButton>();
    button->setPalette(testPalette());
    button->resize(size);
    return button;
}

// Holds the left button down in the middle, for the pressed look.
void pressInside(TShineSpeedButton &button)
{
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(button.width() / 2, button.height() / 2));
    ASSERT_EQ(button.ButtonState(), _sbsActiveDown);
}

} // namespace

TEST(ShinePaintFace, PlainFaceAndPressedFace)
{
    auto button = makeButton();
    EXPECT_EQ(at(render(*button), 12, 12), face);
    button->PressedColors()->setColor(0x00336699);
    pressInside(*button);
    EXPECT_EQ(at(render(*button), 12, 12), QColor(0x99, 0x66, 0x33));
}

TEST(ShinePaintFace, ThemeChangeAndNewColourSetsRepaint)
{
    auto button = makeButton();
    QPalette palette = testPalette();
    palette.setColor(QPalette::Button, QColor(10, 20, 30));
    button->setPalette(palette);
    EXPECT_EQ(at(render(*button), 12, 12), QColor(10, 20, 30));

    // Assigning a set copies it: later changes to the source do not show.
    TShineBtnColors source(0x00FF0000);
    source.setGradColor(clRed);
    QSignalSpy changed(button->Colors(), &TShineBtnColors::Changed);
    button->setColors(&source);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(button->Colors()->GradColor(), clRed);
    source.setColor(clLime);
    EXPECT_EQ(at(render(*button), 12, 12), QColor(0, 0, 255));
    button->setColors(&source);
    button->setColors(&source);
    EXPECT_EQ(changed.count(), 2); // an identical set changes nothing
}

TEST(ShinePaintFace, TransparentShowsTheParent)
{
    QWidget parent;
    parent.resize(40, 40);
    parent.setAutoFillBackground(true);
    QPalette teal = testPalette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    parent.setPalette(teal);
    TShineSpeedButton button(&parent);
    button.setTransparent(true);
    const QImage image = render(parent);
    EXPECT_EQ(at(image, 12, 12), QColor(0, 128, 128));
    EXPECT_EQ(at(image, 0, 0), light); // the frame is still drawn
    button.setTransparent(false);
    EXPECT_EQ(at(render(parent), 12, 12), face);
}

TEST(ShinePaintFace, VerticalGradientRunsFromColorToGradColor)
{
    // The settings dialog's OK button.
    auto button = makeButton(QSize(75, 25));
    button->setUpFrame(false);
    button->Colors()->setGradation(true);
    button->Colors()->setGradVertical(true);
    button->Colors()->setGradColor(clBtnShadow);
    const QImage image = render(*button);
    EXPECT_EQ(at(image, 30, 0), face);
    EXPECT_EQ(at(image, 30, 24), dark);
    EXPECT_EQ(at(image, 0, 12), at(image, 74, 12)); // rows are uniform
    const QColor middle = at(image, 30, 12);
    EXPECT_LT(middle.red(), face.red());
    EXPECT_GT(middle.red(), dark.red());
    // Pressed: plain PressedColors.Color, no gradient.
    pressInside(*button);
    const QImage pressed = render(*button);
    EXPECT_EQ(at(pressed, 30, 3), light);
    EXPECT_EQ(at(pressed, 30, 20), light);
}

TEST(ShinePaintFace, HorizontalGradientRunsLeftToRight)
{
    auto button = makeButton(QSize(300, 10));
    button->setUpFrame(false);
    button->Colors()->setColor(0x000000FF);
    button->Colors()->setGradColor(0x00FF0000);
    button->Colors()->setGradation(true);
    const QImage image = render(*button);
    EXPECT_EQ(at(image, 0, 5), QColor(255, 0, 0));
    EXPECT_EQ(at(image, 299, 5), QColor(0, 0, 255));
    EXPECT_EQ(at(image, 0, 0), at(image, 0, 9)); // columns are uniform
    // 256 entries over 300 columns: column 150 shows entry 127 of the strip.
    EXPECT_EQ(at(image, 150, 5), QColor(255 - 255 * 127 / 255, 0, 255 * 127 / 255));
}

TEST(ShinePaintFrame, NormalFrameUpAndDown)
{
    auto button = makeButton();
    QImage image = render(*button);
    EXPECT_EQ(at(image, 0, 0), light);
    EXPECT_EQ(at(image, 23, 0), light);
    EXPECT_EQ(at(image, 0, 23), light);
    EXPECT_EQ(at(image, 24, 0), frame);
    EXPECT_EQ(at(image, 0, 24), frame);
    EXPECT_EQ(at(image, 24, 24), frame);
    EXPECT_EQ(at(image, 23, 1), dark);
    EXPECT_EQ(at(image, 1, 23), dark);
    EXPECT_EQ(at(image, 22, 22), face);

    const TColor pressedHighlight = 0x000000FF, pressedShadow = 0x0000FF00, pressedDark = 0x00FF0000;
    button->PressedColors()->setHighlight(pressedHighlight);
    button->PressedColors()->setShadow(pressedShadow);
    button->PressedColors()->setDarkShadow(pressedDark);
    pressInside(*button);
    image = render(*button);
    EXPECT_EQ(at(image, 0, 0), QColor(0, 0, 255));
    EXPECT_EQ(at(image, 1, 1), QColor(0, 255, 0));
    EXPECT_EQ(at(image, 23, 1), QColor(0, 255, 0));
    EXPECT_EQ(at(image, 24, 0), QColor(255, 0, 0));
    EXPECT_EQ(at(image, 0, 24), QColor(255, 0, 0));
    EXPECT_EQ(at(image, 23, 23), light); // the pressed face
}

TEST(ShinePaintFrame, FlatFrameOnePixelEachSide)
{
    auto button = makeButton();
    button->setFrameType(ftFlatFrame);
    QImage image = render(*button);
    EXPECT_EQ(at(image, 0, 0), light);
    EXPECT_EQ(at(image, 23, 0), light);
    EXPECT_EQ(at(image, 24, 0), dark);
    EXPECT_EQ(at(image, 0, 24), dark);
    EXPECT_EQ(at(image, 1, 1), face);
    EXPECT_EQ(at(image, 23, 23), face);
    button->PressedColors()->setColor(0x00336699);
    pressInside(*button);
    image = render(*button);
    EXPECT_EQ(at(image, 0, 0), dark); // PressedColors.Shadow
    EXPECT_EQ(at(image, 24, 24), light);
}

TEST(ShinePaintFrame, EnclosedFrameHasAnOutline)
{
    auto button = makeButton();
    button->setFrameType(ftEnclosedFrame);
    const QImage image = render(*button);
    for (const QPoint corner : {QPoint(0, 0), QPoint(24, 0), QPoint(0, 24), QPoint(24, 24), QPoint(12, 0)})
        EXPECT_EQ(at(image, corner.x(), corner.y()), frame) << corner.x() << "," << corner.y();
    EXPECT_EQ(at(image, 1, 1), light);
    EXPECT_EQ(at(image, 22, 1), light);
    EXPECT_EQ(at(image, 23, 1), dark);
    EXPECT_EQ(at(image, 1, 23), dark);
    EXPECT_EQ(at(image, 23, 23), dark);
    EXPECT_EQ(at(image, 2, 2), face);
}

TEST(ShinePaintFrame, FrameSwitches)
{
    auto button = makeButton();
    button->setUpFrame(false);
    EXPECT_EQ(at(render(*button), 0, 0), face);
    button->setActiveFrame(false);
    pressInside(*button);
    EXPECT_EQ(at(render(*button), 0, 0), light); // pressed face, no frame
}

TEST(ShinePaintGlyph, AddLightBrightensTheGlyphWhenHot)
{
    auto button = makeButton();
    button->setActiveImage(aiAddLight);
    button->setShineColor(clRed);
    button->setGlyph(keyedGlyph({5, 5}, {{{2, 2}, qRgb(200, 0, 0)}}));
    // Glyph centred at (10, 10); pressed, the content moves one pixel.
    EXPECT_EQ(at(render(*button), 12, 12), QColor(200, 0, 0));
    EXPECT_EQ(at(render(*button), 10, 10), face);
    pressInside(*button);
    const QImage hot = render(*button);
    EXPECT_EQ(at(hot, 13, 13), QColor(255, 0, 0));
    EXPECT_EQ(at(hot, 11, 11), light); // key pixel shows the pressed face
}

TEST(ShinePaintGlyph, FrameLightDrawsTheOutline)
{
    auto button = makeButton();
    button->setShineColor(0x0000FF00);
    button->setGlyph(keyedGlyph({5, 5}, {{{2, 2}, qRgb(0, 0, 200)}}));
    pressInside(*button);
    const QImage hot = render(*button);
    EXPECT_EQ(at(hot, 13, 13), QColor(0, 0, 200));
    for (const QPoint p : {QPoint(12, 13), QPoint(14, 13), QPoint(13, 12), QPoint(13, 14)})
        EXPECT_EQ(at(hot, p.x(), p.y()), QColor(0, 255, 0)) << p.x() << "," << p.y();
    EXPECT_EQ(at(hot, 12, 12), light);
}

TEST(ShinePaintGlyph, HighDpiGlyphIsPlacedByItsLogicalSize)
{
    // A 16 x 16 icon drawn at twice the resolution, as QIcon gives on such
    // screens; its last row is transparent.
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter(&icon).fillRect(0, 0, 32, 30, QColor(0, 150, 0));
    icon.setDevicePixelRatio(2);
    auto button = makeButton();
    button->setGlyph(icon);
    // Centred by its logical size: (25 - 16) / 2 = 4.
    EXPECT_EQ(inkBounds(render(*button), face, QRect(2, 2, 21, 21)), QRect(4, 4, 16, 15));
}

TEST(ShinePaintGlyph, DisabledDefaultIsEmbossed)
{
    auto button = makeButton();
    button->setGlyph(keyedGlyph({4, 4}, {{{1, 1}, qRgb(0, 0, 0)}}));
    button->setDisabledHighlight(0x000000FF);
    button->setDisabledShadow(0x00FF0000);
    button->setEnabled(false);
    const QImage image = render(*button);
    // Glyph at (10, 10); its edge map covers the 2 x 2 block at the top left.
    EXPECT_EQ(at(image, 10, 10), QColor(0, 0, 255));
    EXPECT_EQ(at(image, 11, 11), QColor(0, 0, 255));
    EXPECT_EQ(at(image, 12, 12), QColor(255, 0, 0));
    EXPECT_EQ(at(image, 12, 11), QColor(255, 0, 0));
    EXPECT_EQ(at(image, 13, 13), face);
    EXPECT_EQ(button->ButtonState(), _sbsDisableUp);
}

class ShinePaintCaption : public ::testing::Test
{
protected:
    void SetUp() override
    {
        button = makeButton(QSize(80, 60));
        button->setUpFrame(false);
        QFont font = button->font();
        font.setPixelSize(12);
        font.setStyleStrategy(QFont::NoAntialias); // exact colours to look for
        button->setFont(font);
    }
    // Where the caption's ink lies (black text on the face).
    QRect textInk() { return inkBoundsOf(QColor(0, 0, 0)); }
    QRect inkBoundsOf(QColor colour)
    {
        const QImage image = render(*button);
        QRect bounds;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == colour.rgb())
                    bounds = bounds.united(QRect(x, y, 1, 1));
        return bounds;
    }
    std::unique_ptr<TShineSpeedButton> button;
};

TEST_F(ShinePaintCaption, CaptionOnlyIsCentredTheSameInEveryLayout)
{
    button->setCaption(QStringLiteral("ＯＫ"));
    const QRect left = textInk();
    ASSERT_FALSE(left.isEmpty());
    for (const auto layout : {blGlyphTop, blGlyphRight, blGlyphBottom}) {
        button->setLayout(layout);
        EXPECT_EQ(textInk(), left) << layout;
    }
    // Roughly centred (ink is narrower than the text's box).
    EXPECT_NEAR(left.center().x(), 40, 3);
    EXPECT_NEAR(left.center().y(), 30, 4);
}

TEST_F(ShinePaintCaption, GlyphSitsOnItsSideWithSpacing)
{
    // Green except for its last row, the key colour.
    QImage glyph(8, 8, QImage::Format_RGB32);
    glyph.fill(qRgb(0, 200, 0));
    for (int x = 0; x < 8; ++x)
        glyph.setPixel(x, 7, qRgb(255, 0, 255));
    button->setGlyph(glyph);
    button->setCaption(QStringLiteral("W"));
    button->setSpacing(6);
    const auto glyphRect = [&] { return inkBoundsOf(QColor(0, 200, 0)); };

    EXPECT_LE(glyphRect().right() + 6, textInk().left()); // blGlyphLeft
    button->setLayout(blGlyphRight);
    EXPECT_GE(glyphRect().left() - 6, textInk().right());
    button->setLayout(blGlyphTop);
    EXPECT_LE(glyphRect().bottom() + 6, textInk().top());
    EXPECT_NEAR(glyphRect().center().x(), textInk().center().x(), 2);
    button->setLayout(blGlyphBottom);
    EXPECT_GE(glyphRect().top() - 6, textInk().bottom());

    // Margin keeps the glyph that far from its edge.
    button->setMargin(3);
    EXPECT_EQ(glyphRect().bottom() + 1, 60 - 1 - 3);
    button->setLayout(blGlyphLeft);
    EXPECT_EQ(glyphRect().left(), 3);
}

TEST_F(ShinePaintCaption, ShadowHighlightAndAccelerator)
{
    button->setCaption(QStringLiteral("&File"));
    const QRect plain = textInk();
    button->setFontShadow(0x00FF0000);
    button->setFontHighlight(0x0000FF00);
    const QRect shadow = inkBoundsOf(QColor(0, 0, 255));
    const QRect highlight = inkBoundsOf(QColor(0, 255, 0));
    EXPECT_EQ(shadow.bottomRight(), plain.bottomRight() + QPoint(1, 1));
    EXPECT_EQ(highlight.topLeft(), plain.topLeft() - QPoint(1, 1));
    // The ampersand is not drawn but underlines the next letter, below
    // the baseline of "File".
    button->setFontShadow(clNone);
    button->setFontHighlight(clNone);
    const QRect withAccel = textInk();
    button->setCaption(QStringLiteral("File"));
    EXPECT_NEAR(textInk().left(), withAccel.left(), 1);
    EXPECT_NEAR(textInk().right(), withAccel.right(), 1);
    EXPECT_GT(withAccel.bottom(), textInk().bottom());
}

TEST_F(ShinePaintCaption, HotCaptionUsesTheActiveFontColour)
{
    button->setCaption(QStringLiteral("Go"));
    pressInside(*button);
    EXPECT_TRUE(textInk().isEmpty());
    EXPECT_FALSE(inkBoundsOf(highlight).isEmpty());
}
