#include "widgets_picture.h"
#include "shine_speed_button.h"
#include "url_label.h"
#include "widget_test_support.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

using namespace Shine;

namespace {

// Exposes the hover entry so several buttons can shine in one picture.
class ShownButton : public TShineSpeedButton
{
public:
    using TShineSpeedButton::TShineSpeedButton;
    void shine() { MouseEnter({}, QPoint(1, 1)); }
    void press()
    {
        QMouseEvent event(QEvent::MouseButtonPress, QPointF(12, 12), mapToGlobal(QPointF(12, 12)),
                          Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(this, &event);
    }
};

// A 16 x 16 page with a folded corner and a blue stripe on a magenta key.
QImage PageGlyph()
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
QImage DiscGlyph()
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

void Caption(QWidget *parent, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    label->move(x, y);
}

ShownButton *Button(QWidget *parent, int x, int y, QSize size = QSize(25, 25))
{
    auto *b = new ShownButton(parent);
    b->setGeometry(QRect(QPoint(x, y), size));
    return b;
}

// Hover and press are applied once the window shows.
struct Looks
{
    QList<ShownButton *> hot;
    QList<ShownButton *> pressed;
};

void AddStates(QWidget &window, const QImage &page, Looks &looks)
{
    Caption(&window, QStringLiteral("up / hot / pressed / down / disabled / grey"), 10, 4);
    QList<ShownButton *> states;
    for (int i = 0; i < 6; ++i) {
        states.append(Button(&window, 10 + 30 * i, 22));
        states.last()->setGlyph(page);
    }
    looks.hot.append(states[1]);
    looks.pressed.append(states[2]);
    states[3]->setGroupIndex(1);
    states[3]->setDown(true);
    states[4]->setEnabled(false);
    states[5]->setDisabledImage(diGrayscale);
    states[5]->setEnabled(false);

    Caption(&window, QStringLiteral("hot effects: Normal Xor Half Quater Add Frame Frame2 Mask, alpha icon"),
            10, 54);
    for (int i = 0; i < 9; ++i) {
        ShownButton *b = Button(&window, 10 + 30 * i, 72);
        b->setGlyph(i < 8 ? page : DiscGlyph());
        b->setActiveImage(TActiveImageType(std::min(i, 7)));
        b->setShineColor(i == 4 ? clRed : clYellow);
        looks.hot.append(b);
    }
}

void AddFrames(QWidget &window, Looks &looks)
{
    Caption(&window, QStringLiteral("frames flat / normal / enclosed: up, pressed; gradients; OK"), 10, 104);
    for (int i = 0; i < 3; ++i)
        for (int down = 0; down < 2; ++down) {
            ShownButton *b = Button(&window, 10 + 60 * i + 28 * down, 122);
            b->setFrameType(TFrameType(i));
            if (down)
                looks.pressed.append(b);
        }
    ShownButton *gradient = Button(&window, 190, 122, QSize(100, 25));
    gradient->Colors()->setGradation(true);
    gradient->setCaption(QStringLiteral("横グラデ"));
    gradient->setActiveFontColor(clWhite);
    ShownButton *ok = Button(&window, 300, 122, QSize(75, 25));
    ok->Colors()->setGradation(true);
    ok->Colors()->setGradVertical(true);
    ok->Colors()->setGradColor(clBtnShadow);
    ok->setCaption(QStringLiteral("OK"));
}

void AddLayouts(QWidget &window, const QImage &page)
{
    Caption(&window,
            QStringLiteral("layouts left / right / top / bottom, caption only, shadowed, transparent"), 10,
            154);
    const TButtonLayout layouts[] = {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom};
    for (int i = 0; i < 4; ++i) {
        ShownButton *b = Button(&window, 10 + 76 * i, 172, QSize(70, 50));
        b->setGlyph(page);
        b->setCaption(QStringLiteral("検索(&S)"));
        b->setLayout(layouts[i]);
    }
    ShownButton *palette = Button(&window, 314, 172, QSize(70, 50));
    palette->setCaption(QStringLiteral("<TABLE>"));
    palette->setLayout(blGlyphTop);
    ShownButton *shadowed = Button(&window, 390, 172, QSize(70, 50));
    shadowed->setCaption(QStringLiteral("影付き"));
    shadowed->setFontShadow(clBtnShadow);
    shadowed->setFontHighlight(clWhite);
    auto *panel = new QWidget(&window);
    panel->setGeometry(466, 168, 90, 58);
    panel->setAutoFillBackground(true);
    QPalette teal = panel->palette();
    teal.setColor(QPalette::Window, QColor(0, 128, 128));
    panel->setPalette(teal);
    ShownButton *see = Button(panel, 10, 4, QSize(70, 50));
    see->setTransparent(true);
    see->setGlyph(page);
    see->setLayout(blGlyphTop);
    see->setCaption(QStringLiteral("透過"));
    see->setFontColor(clWhite);
}

// Two links, the second one hovered.
TURLLabel *AddLinks(QWidget &window)
{
    Caption(&window, QStringLiteral("links (the second one hovered):"), 10, 240);
    auto *mail = new TURLLabel(QStringLiteral("qumo@example.jp"), &window);
    mail->move(10, 260);
    auto *web = new TURLLabel(QStringLiteral("https://www.example.jp/qumo/"), &window);
    web->move(160, 260);
    return web;
}

} // namespace

QImage WidgetsPicture()
{
    QWidget window;
    window.setPalette(widget_test::testPalette()); // the colours the widget tests check
    window.setAutoFillBackground(true);
    window.resize(640, 290);
    Looks looks;
    const QImage page = PageGlyph();
    AddStates(window, page, looks);
    AddFrames(window, looks);
    AddLayouts(window, page);
    TURLLabel *web = AddLinks(window);

    window.show();
    QApplication::processEvents();
    QEnterEvent enter(QPointF(3, 3), QPointF(3, 3), web->mapToGlobal(QPointF(3, 3)));
    QApplication::sendEvent(web, &enter);
    for (ShownButton *b : looks.hot)
        b->shine();
    for (ShownButton *b : looks.pressed)
        b->press();
    return widget_test::render(window);
}
