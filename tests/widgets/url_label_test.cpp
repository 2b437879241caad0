#include "url_label.h"
#include "widget_test_support.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

const QColor normal(0, 0, 0);
const QColor aqua(0, 255, 255);
const QColor red(255, 0, 0);

class UrlLabel : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.resize(300, 100);
        host.move(60, 60);
        label = new TURLLabel(QStringLiteral("someone@example.jp"), &host);
        label->setPalette(widget_test::testPalette());
        label->setGeometry(10, 10, 200, 20);
        label->setExecutable(true);
        label->setOpener([this](const QUrl &url) {
            opened.append(url);
            return true;
        });
        QCursor::setPos(QPoint(0, 0)); // off the window before it maps
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        QTest::mouseMove(&host, QPoint(290, 90));
        ASSERT_TRUE(widget_test::waitUntil([this] { return label->FontColor() == normal; }));
    }

    QWidget host;
    TURLLabel *label = nullptr;
    QList<QUrl> opened;
};

} // namespace

TEST_F(UrlLabel, Defaults)
{
    TURLLabel fresh;
    EXPECT_FALSE(fresh.Executable());
    EXPECT_TRUE(fresh.HotTrack());
    EXPECT_EQ(fresh.HotColor(), 0x00FFFF00u);
    EXPECT_EQ(fresh.PushedColor(), 0x000000FFu);
    EXPECT_EQ(fresh.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(UrlLabel, ColoursThroughHoverPressAndRelease)
{
    EXPECT_EQ(label->FontColor(), normal);
    QTest::mouseMove(label, QPoint(5, 5));
    EXPECT_TRUE(widget_test::waitUntil([this] { return label->FontColor() == aqua; }));
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(label->FontColor(), red);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(label->FontColor(), aqua); // released inside: hover colour until the mouse leaves
    QTest::mouseMove(&host, QPoint(290, 90));
    EXPECT_TRUE(widget_test::waitUntil([this] { return label->FontColor() == normal; }));
}

TEST_F(UrlLabel, DraggingOutBeforeReleaseRestoresTheNormalColour)
{
    QTest::mouseMove(label, QPoint(5, 5));
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(250, 50));
    EXPECT_EQ(label->FontColor(), normal);
    // Any mouse button presses.
    QTest::mousePress(label, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(label->FontColor(), red);
    QTest::mouseRelease(label, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(opened.size(), 2);
}

TEST_F(UrlLabel, SecondEnterKeepsTheNormalColour)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(15, 15));
    QApplication::sendEvent(label, &enter);
    QApplication::sendEvent(label, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(label, &leave);
    EXPECT_EQ(label->FontColor(), normal);
}

TEST_F(UrlLabel, SwitchingHotTrackOffWhileLitRestoresTheColour)
{
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(15, 15));
    QApplication::sendEvent(label, &enter);
    ASSERT_EQ(label->FontColor(), aqua);
    label->setHotTrack(false);
    EXPECT_EQ(label->FontColor(), normal);
}

TEST_F(UrlLabel, WithoutHotTrackTheColourStaysButThePressStillOpens)
{
    label->setHotTrack(false);
    QTest::mouseMove(label, QPoint(5, 5));
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(label->FontColor(), normal);
    QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(label->FontColor(), normal);
    ASSERT_EQ(opened.size(), 1);
}

TEST_F(UrlLabel, PressOpensTheCaption)
{
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].toString(), QStringLiteral("mailto:someone@example.jp"));
    // Keyboard, once focusable.
    label->setFocusPolicy(Qt::StrongFocus);
    QTest::keyClick(label, Qt::Key_Return);
    EXPECT_EQ(opened.size(), 2);
    // Not executable: nothing opens.
    label->setExecutable(false);
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(opened.size(), 2);
}

TEST(UrlLabelTarget, MailAndWebAddresses)
{
    EXPECT_EQ(UrlLabelTarget(QStringLiteral("qumo@example.jp")).toString(),
              QStringLiteral("mailto:qumo@example.jp"));
    EXPECT_EQ(UrlLabelTarget(QStringLiteral("http://www.example.jp/~qumo/")).toString(),
              QStringLiteral("http://www.example.jp/~qumo/"));
    // Already a mail link: not prefixed twice.
    EXPECT_EQ(UrlLabelTarget(QStringLiteral("mailto:qumo@example.jp")).toString(),
              QStringLiteral("mailto:qumo@example.jp"));
    // A web address with a user part is still a web address.
    EXPECT_EQ(UrlLabelTarget(QStringLiteral("ftp://guest@ftp.example.jp/")).scheme(), QStringLiteral("ftp"));
    // A bare host name opens in the browser, as the shell would.
    EXPECT_EQ(UrlLabelTarget(QStringLiteral("www.example.jp")).toString(),
              QStringLiteral("http://www.example.jp"));
}
