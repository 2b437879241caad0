// The button's mouse, keyboard and group behaviour, driven through real
// events on a shown window.
#include "shine_speed_button.h"
#include "widget_test_support.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace Shine;

namespace {

// Swallows leave events, as when the pointer leaves too fast to be seen.
class LeaveEater : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Leave; }
};

class ShineState : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.resize(200, 100);
        host.move(50, 50);
        for (int i = 0; i < 3; ++i) {
            buttons[i] = new TShineSpeedButton(&host);
            buttons[i]->move(10 + 40 * i, 10);
        }
        QCursor::setPos(QPoint(0, 0)); // off the window before it maps
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        pointAt(QPoint(190, 90)); // over the host, away from every button
        ASSERT_TRUE(widget_test::waitUntil([this] { return !buttons[0]->MouseIn(); }));
    }

    // Puts the pointer at a point of the host, as a real move does.
    void pointAt(QPoint hostPos) { QTest::mouseMove(&host, hostPos); }
    void pointAt(TShineSpeedButton *button, QPoint pos) { QTest::mouseMove(button, pos); }

    void click(TShineSpeedButton *button, QPoint pos = QPoint(12, 12))
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, pos);
    }

    QWidget host;
    TShineSpeedButton *buttons[3] = {};
};

} // namespace

TEST_F(ShineState, NewButtonIsUpAndIdle)
{
    TShineSpeedButton *b = buttons[0];
    EXPECT_EQ(b->size(), QSize(25, 25));
    EXPECT_EQ(b->ButtonState(), _sbsUp);
    EXPECT_FALSE(b->MouseIn());
    EXPECT_FALSE(b->LeaveTimerActive());
    EXPECT_EQ(b->FrameType(), ftNormalFrame);
    EXPECT_EQ(b->ActiveImage(), aiFrameLight);
    EXPECT_EQ(b->Colors()->Color(), clBtnFace);
    EXPECT_EQ(b->Colors()->GradColor(), clBlue);
    EXPECT_EQ(b->PressedColors()->Color(), clBtnHighlight);
    EXPECT_EQ(b->ShineColor(), clYellow);
    EXPECT_EQ(b->FontHighlight(), clNone);
    EXPECT_EQ(b->Margin(), -1);
    EXPECT_EQ(b->Spacing(), 4);
    EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
    // Properties are reachable by name, enums by their value names.
    EXPECT_EQ(b->property("Layout").value<TButtonLayout>(), blGlyphLeft);
    EXPECT_TRUE(b->setProperty("DisabledImage", QStringLiteral("diMaskTrans")));
    EXPECT_EQ(b->DisabledImage(), diMaskTrans);
}

TEST_F(ShineState, HoverShinesAndLeavingRestores)
{
    TShineSpeedButton *b = buttons[0];
    QSignalSpy entered(b, &TShineSpeedButton::OnMouseEnter);
    QSignalSpy left(b, &TShineSpeedButton::OnMouseLeave);
    pointAt(b, QPoint(5, 5));
    EXPECT_TRUE(widget_test::waitUntil([b] { return b->MouseIn(); }));
    EXPECT_EQ(b->ButtonState(), _sbsActiveUp);
    EXPECT_TRUE(b->LeaveTimerActive());
    EXPECT_GE(entered.count(), 1);
    pointAt(QPoint(190, 90));
    EXPECT_TRUE(widget_test::waitUntil([b] { return !b->MouseIn(); }));
    EXPECT_EQ(b->ButtonState(), _sbsUp);
    EXPECT_FALSE(b->LeaveTimerActive());
    EXPECT_GE(left.count(), 1);
}

TEST_F(ShineState, MissedLeaveIsCaughtByTheTimer)
{
    TShineSpeedButton *b = buttons[0];
    LeaveEater eater;
    b->installEventFilter(&eater);
    pointAt(b, QPoint(5, 5));
    ASSERT_TRUE(widget_test::waitUntil([b] { return b->ButtonState() == _sbsActiveUp; }));
    QElapsedTimer elapsed;
    elapsed.start();
    QCursor::setPos(QPoint(1000, 1000)); // off the window, no leave seen
    while (b->MouseIn() && elapsed.elapsed() < 2000)
        QTest::qWait(10);
    EXPECT_FALSE(b->MouseIn());
    EXPECT_EQ(b->ButtonState(), _sbsUp);
    EXPECT_LT(elapsed.elapsed(), 400); // one 200 ms tick, with slack for a busy machine
    EXPECT_FALSE(b->LeaveTimerActive());
}

TEST_F(ShineState, PressMoveOutAndBack)
{
    TShineSpeedButton *b = buttons[0];
    QSignalSpy clicks(b, &TShineSpeedButton::OnClick);
    pointAt(b, QPoint(5, 5));
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(b->ButtonState(), _sbsActiveDown);
    EXPECT_TRUE(b->Pressing());
    // The first column and the first row count as outside while held.
    QTest::mouseMove(b, QPoint(0, 5));
    EXPECT_EQ(b->ButtonState(), _sbsUp);
    QTest::mouseMove(b, QPoint(5, 5));
    EXPECT_EQ(b->ButtonState(), _sbsActiveDown);
    QTest::mouseMove(b, QPoint(5, 0));
    EXPECT_EQ(b->ButtonState(), _sbsUp);
    QTest::mouseMove(b, QPoint(24, 24));
    EXPECT_EQ(b->ButtonState(), _sbsActiveDown);
    QTest::mouseMove(b, QPoint(25, 12));
    EXPECT_EQ(b->ButtonState(), _sbsUp);
    // ...but as inside on release.
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(0, 0));
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(b->Pressing());
    EXPECT_TRUE(b->MouseIn()); // tracking found the pointer over it again
    EXPECT_EQ(b->ButtonState(), _sbsActiveUp);
}

TEST_F(ShineState, ReleaseOutsideDoesNotClick)
{
    TShineSpeedButton *b = buttons[0];
    QSignalSpy clicks(b, &TShineSpeedButton::OnClick);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(b, QPoint(30, 5));
    pointAt(QPoint(190, 90));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(170, 70));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(b->ButtonState(), _sbsUp);
    EXPECT_FALSE(b->MouseIn());
    // Other mouse buttons do nothing.
    QTest::mouseClick(b, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(ShineState, DoubleClickCountsTwoClicksAndFiresOnlyWhenDown)
{
    TShineSpeedButton *b = buttons[0];
    QSignalSpy clicks(b, &TShineSpeedButton::OnClick);
    QSignalSpy doubles(b, &TShineSpeedButton::OnDblClick);
    click(b);
    QTest::mouseDClick(b, Qt::LeftButton, {}, QPoint(12, 12));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(doubles.count(), 0);

    b->setGroupIndex(1);
    b->setAllowAllUp(true);
    b->setDown(true);
    QTest::mouseDClick(b, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_EQ(doubles.count(), 1);
}

TEST_F(ShineState, DownNeedsAGroup)
{
    TShineSpeedButton *b = buttons[0];
    b->setDown(true);
    EXPECT_FALSE(b->Down());
    click(b);
    EXPECT_FALSE(b->Down());
}

TEST_F(ShineState, GroupWithoutAllowAllUpKeepsOneDown)
{
    for (TShineSpeedButton *b : buttons)
        b->setGroupIndex(1);
    click(buttons[0]);
    EXPECT_TRUE(buttons[0]->Down());
    click(buttons[0]); // cannot be raised by clicking it again
    EXPECT_TRUE(buttons[0]->Down());
    click(buttons[1]);
    EXPECT_TRUE(buttons[1]->Down());
    EXPECT_FALSE(buttons[0]->Down());
    EXPECT_EQ(buttons[0]->ButtonState(), _sbsUp);
    buttons[2]->setDown(true);
    EXPECT_FALSE(buttons[1]->Down());
    buttons[2]->setDown(false);
    EXPECT_TRUE(buttons[2]->Down());
}

TEST_F(ShineState, GroupWithAllowAllUpAndSeparateGroups)
{
    buttons[0]->setGroupIndex(1);
    buttons[1]->setGroupIndex(1);
    buttons[2]->setGroupIndex(2);
    buttons[0]->setAllowAllUp(true);
    EXPECT_TRUE(buttons[1]->AllowAllUp()); // adopted from the group
    EXPECT_FALSE(buttons[2]->AllowAllUp());
    buttons[2]->setDown(true);
    click(buttons[0]);
    EXPECT_TRUE(buttons[0]->Down());
    EXPECT_TRUE(buttons[2]->Down()); // another group
    click(buttons[0]);
    EXPECT_FALSE(buttons[0]->Down());
    // Same index under another parent is another group.
    QWidget other;
    TShineSpeedButton stranger(&other);
    stranger.setGroupIndex(2);
    stranger.setAllowAllUp(true);
    stranger.setDown(true);
    EXPECT_TRUE(buttons[2]->Down());
    EXPECT_FALSE(buttons[2]->AllowAllUp());
}

TEST_F(ShineState, ClickDownHookShowsThePressedFaceDuringTheHandler)
{
    TShineSpeedButton *b = buttons[0];
    b->setClickDownHook(true);
    T_ShineButtonState during = _sbsUp;
    QObject::connect(b, &TShineSpeedButton::OnClick, b, [&] { during = b->ButtonState(); });
    b->Click();
    EXPECT_EQ(during, _sbsActiveDown);
    EXPECT_EQ(b->ButtonState(), _sbsUp);
}

TEST_F(ShineState, ButtonDeletedByItsOwnClickHandler)
{
    TShineSpeedButton *b = buttons[0];
    b->setClickDownHook(true);
    QObject::connect(b, &TShineSpeedButton::OnClick, b, [b] { delete b; });
    pointAt(b, QPoint(5, 5));
    click(b, QPoint(5, 5)); // must not touch the deleted button
    EXPECT_EQ(host.findChildren<TShineSpeedButton *>().size(), 2);
}

TEST_F(ShineState, DisablingRaisesAndIgnoresTheMouse)
{
    TShineSpeedButton *b = buttons[0];
    b->setGroupIndex(1);
    b->setDown(true);
    b->setEnabled(false);
    EXPECT_FALSE(b->Down());
    EXPECT_EQ(b->ButtonState(), _sbsDisableUp);
    QSignalSpy clicks(b, &TShineSpeedButton::OnClick);
    click(b);
    EXPECT_EQ(clicks.count(), 0);
    b->setEnabled(true);
    EXPECT_EQ(b->ButtonState(), _sbsUp);
}

TEST_F(ShineState, KeyboardClicksAFocusedButton)
{
    TShineSpeedButton *b = buttons[0];
    QSignalSpy clicks(b, &TShineSpeedButton::OnClick);
    b->setFocusPolicy(Qt::StrongFocus);
    host.activateWindow();
    b->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    QTest::keyPress(b, Qt::Key_Space);
    EXPECT_EQ(b->ButtonState(), _sbsActiveDown);
    EXPECT_EQ(clicks.count(), 0);
    QTest::keyRelease(b, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(b->ButtonState(), _sbsUp);
    QTest::keyClick(b, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 2);
    QTest::keyClick(b, Qt::Key_A);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(ShineState, AcceleratorClicksAndTogglesDown)
{
    TShineSpeedButton *b = buttons[1];
    b->setCaption(QStringLiteral("&Open"));
    b->setGroupIndex(3);
    b->setAllowAllUp(true);
    b->setAccelCharDown(true);
    QSignalSpy clicks(b, &TShineSpeedButton::OnClick);
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    QTest::keyClick(&host, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(b->Down());
    b->setEnabled(false);
    QTest::keyClick(&host, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
}
