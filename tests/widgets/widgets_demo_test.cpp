// Renders one window with the shine buttons in their states, frames, effects
// and layouts beside the link label, to /tmp/qumo_widgets_demo.png, so the
// look can be checked by eye.
#include "shine_speed_button.h"
#include "url_label.h"
#include "widget_test_support.h"

#include <QLabel>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

using namespace Shine;

namespace {

// Exposes the hover entry so several buttons can shine in one picture.
class DemoButton : public TShineSpeedButton
{
public:
    using TShineSpeedButton::TShineSpeedButton;
    void shine() { MouseEnter({}, QPoint(1, 1)); }
};

// A 16 x 16 page with a folded corner and a blue stripe on a magenta key.
QImage pageGlyph()
{
    QImage glyph(16, 16, QImage::Format_RGB32);
    glyph.fill(qRgb(255, 0, 255));
    QPainter p(&glyph);
    p.fillRect(3, 1, 9, 14, Qt::white);
    p.setPen(Qt::black);
    p.drawLine(3, 1, 9, 1);
    p.drawLine(9, 1, 12, 4);
    p.drawLine(12, 4, 12, 14);
    p.drawLine(12, 14, 3, 14);
    p.drawLine(3, 14, 3, 1);
    p.fillRect(5, 6, 5, 2, QColor(0, 0, 200));
    p.fillRect(5, 10, 5, 2, QColor(0, 0, 200));
    return glyph;
}

// An anti-aliased disc with real transparency, as a theme icon would be.
QImage discGlyph()
{
    QImage glyph(16, 16, QImage::Format_ARGB32);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(220, 60, 30));
    p.setPen(Qt::NoPen);
    p.drawEllipse(2, 2, 12, 12);
    return glyph;
}

QLabel *caption(QWidget *parent, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->move(x, y);
    return label;
}

DemoButton *button(QWidget *parent, int x, int y, QSize size = QSize(25, 25))
{
    auto *b = new DemoButton(parent);
    b->setGeometry(QRect(QPoint(x, y), size));
    return b;
}

} // namespace

TEST(WidgetsDemo, RendersEveryLookIntoOnePicture)
{
    QWidget window;
    window.setPalette(widget_test::testPalette());
    window.setAutoFillBackground(true);
    window.resize(640, 290);
    // Hover and press are applied once the window shows.
    QList<DemoButton *> hot;
    QList<DemoButton *> pressed;

    const QImage page = pageGlyph();
    caption(&window, QStringLiteral("up / hot / pressed / down / disabled / grey"), 10, 4);
    QList<DemoButton *> states;
    for (int i = 0; i < 6; ++i) {
        states.append(button(&window, 10 + 30 * i, 22));
        states.last()->setGlyph(page);
    }
    hot.append(states[1]);
    pressed.append(states[2]);
    states[3]->setGroupIndex(1);
    states[3]->setDown(true);
    states[4]->setEnabled(false);
    states[5]->setDisabledImage(diGrayscale);
    states[5]->setEnabled(false);

    caption(&window, QStringLiteral("hot effects: Normal Xor Half Quater Add Frame Frame2 Mask, alpha icon"),
            10, 54);
    for (int i = 0; i < 9; ++i) {
        DemoButton *b = button(&window, 10 + 30 * i, 72);
        b->setGlyph(i < 8 ? page : discGlyph());
        b->setActiveImage(TActiveImageType(std::min(i, 7)));
        b->setShineColor(i == 4 ? clRed : clYellow);
        hot.append(b);
    }

    caption(&window, QStringLiteral("frames flat / normal / enclosed: up, pressed; gradients; OK"), 10, 104);
    for (int i = 0; i < 3; ++i)
        for (int down = 0; down < 2; ++down) {
            DemoButton *b = button(&window, 10 + 60 * i + 28 * down, 122);
            b->setFrameType(TFrameType(i));
            if (down)
                pressed.append(b);
        }
    DemoButton *gradient = button(&window, 190, 122, QSize(100, 25));
    gradient->Colors()->setGradation(true);
    gradient->setCaption(QStringLiteral("横グラデ"));
    gradient->setActiveFontColor(clWhite);
    DemoButton *ok = button(&window, 300, 122, QSize(75, 25));
    ok->Colors()->setGradation(true);
    ok->Colors()->setGradVertical(true);
    ok->Colors()->setGradColor(clBtnShadow);
    ok->setCaption(QStringLiteral("OK"));

    caption(&window,
            QStringLiteral("layouts left / right / top / bottom, caption only, shadowed, transparent"), 10,
            154);
    const TButtonLayout layouts[] = {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom};
    for (int i = 0; i < 4; ++i) {
        DemoButton *b = button(&window, 10 + 76 * i, 172, QSize(70, 50));
        b->setGlyph(page);
        b->setCaption(QStringLiteral("検索(&S)"));
        b->setLayout(layouts[i]);
    }
    DemoButton *palette = button(&window, 314, 172, QSize(70, 50));
    palette->setCaption(QStringLiteral("<TABLE>"));
    palette->setLayout(blGlyphTop);
    DemoButton *shadowed = button(&window, 390, 172, QSize(70, 50));
    shadowed->setCaption(QStringLiteral("影付き"));
    shadowed->setFontShadow(clBtnShadow);
    shadowed->setFontHighlight(clWhite);
    auto *panel = new QWidget(&window);
    panel->setGeometry(466, 168, 90, 58);
    panel->setAutoFillBackground(true);
    QPalette teal = panel->palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    panel->setPalette(teal);
    auto *see = new DemoButton(panel);
    see->setGeometry(10, 4, 70, 50);
    see->setTransparent(true);
    see->setGlyph(page);
    see->setLayout(blGlyphTop);
    see->setCaption(QStringLiteral("透過"));
    see->setFontColor(clWhite);

    caption(&window, QStringLiteral("links (the second one hovered):"), 10, 240);
    auto *mail = new TURLLabel(QStringLiteral("qumo@example.jp"), &window);
    mail->move(10, 260);
    auto *web = new TURLLabel(QStringLiteral("https://www.example.jp/qumo/"), &window);
    web->move(160, 260);

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::mouseMove(web, QPoint(3, 3));
    for (DemoButton *b : hot)
        b->shine();
    for (DemoButton *b : pressed)
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_TRUE(widget_test::waitUntil([&] { return web->FontColor() != mail->FontColor(); }));

    const QImage shot = widget_test::render(window);
    const QString path = QStringLiteral("/tmp/qumo_widgets_demo.png");
    ASSERT_TRUE(shot.save(path));
    EXPECT_FALSE(QImage(path).isNull());
    // Enlarged pixel for pixel: the small buttons four times, the layouts twice.
    const QImage small = shot.copy(0, 18, 300, 134);
    EXPECT_TRUE(small.scaled(small.size() * 4).save(QStringLiteral("/tmp/qumo_widgets_demo_x4.png")));
    const QImage layoutRow = shot.copy(0, 166, 560, 64);
    EXPECT_TRUE(layoutRow.scaled(layoutRow.size() * 2).save(QStringLiteral("/tmp/qumo_widgets_demo_x2.png")));
    // The hot button differs from the up one, the pressed one from both.
    const auto part = [&](QWidget *w) { return shot.copy(w->geometry()); };
    EXPECT_NE(part(states[0]), part(states[1]));
    EXPECT_NE(part(states[1]), part(states[2]));
    EXPECT_NE(part(states[0]), part(states[4]));
}
