// What assistive technology reads of the shine button and the link label,
// and that its press action does what a click does.
#include "shine_speed_button.h"
#include "url_label.h"
#include "widget_accessibility.h"
#include "widget_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QAccessibleInterface *Accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

class Accessibility : public ::testing::Test
{
protected:
    void SetUp() override
    {
        InstallWidgetAccessibility();
        InstallWidgetAccessibility(); // a second call changes nothing
        host.resize(300, 100);
        left = new QWidget(&host);
        left->setGeometry(0, 0, 150, 100);
        right = new QWidget(&host);
        right->setGeometry(150, 0, 150, 100);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    TShineSpeedButton *button(QWidget *parent)
    {
        auto *b = new TShineSpeedButton(parent);
        b->move(10, 10);
        b->show();
        return b;
    }

    QWidget host;
    QWidget *left = nullptr;
    QWidget *right = nullptr;
};

struct ReadCase
{
    const char *caption;
    const char *hint;
    int group;
    bool down;
    bool enabled;
    QAccessible::Role role;
    const char *name;
    const char *description;
    bool pressed;
    bool checked;
    QStringList actions;
};

} // namespace

TEST_F(Accessibility, ShineButtonReadsAsAButton)
{
    const QString press = QAccessibleActionInterface::pressAction();
    const QString toggle = QAccessibleActionInterface::toggleAction();
    const ReadCase cases[] = {
        {"検索(&S)",
         "検索バーを開く",
         0,
         false,
         true,
         QAccessible::Button,
         "検索(S)",
         "検索バーを開く",
         false,
         false,
         {press}},
        {"", "切り取り", 0, false, true, QAccessible::Button, "切り取り", "切り取り", false, false, {press}},
        {"A&&B", "", 0, false, true, QAccessible::Button, "A&B", "", false, false, {press}},
        {"太字", "", 1, true, true, QAccessible::CheckBox, "太字", "", true, true, {press, toggle}},
        {"斜体", "", 1, false, true, QAccessible::CheckBox, "斜体", "", false, false, {press, toggle}},
        {"OK", "設定を閉じる", 0, false, false, QAccessible::Button, "OK", "設定を閉じる", false, false, {}},
        // A symbol is no name: the hint names the button and the symbol describes it.
        {"！",
         "設定＆著作権",
         0,
         false,
         true,
         QAccessible::Button,
         "設定＆著作権",
         "！",
         false,
         false,
         {press}},
        {"&?", "ヘルプ", 0, false, true, QAccessible::Button, "ヘルプ", "?", false, false, {press}},
        {"<<", "", 0, false, true, QAccessible::Button, "<<", "", false, false, {press}},
        {"1", "一", 0, false, true, QAccessible::Button, "1", "一", false, false, {press}},
    };
    for (const ReadCase &c : cases) {
        SCOPED_TRACE(c.caption);
        TShineSpeedButton *b = button(left);
        b->setCaption(QString::fromUtf8(c.caption));
        b->setToolTip(QString::fromUtf8(c.hint));
        b->setGroupIndex(c.group);
        b->setDown(c.down);
        b->setEnabled(c.enabled);
        QAccessibleInterface *a = Accessible(b);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), c.role);
        EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(c.name));
        EXPECT_EQ(a->text(QAccessible::Description), QString::fromUtf8(c.description));
        const QAccessible::State s = a->state();
        EXPECT_EQ(bool(s.pressed), c.pressed);
        EXPECT_EQ(bool(s.checkable), c.group != 0);
        EXPECT_EQ(bool(s.checked), c.checked);
        EXPECT_EQ(bool(s.disabled), !c.enabled);
        ASSERT_NE(a->actionInterface(), nullptr);
        EXPECT_EQ(a->actionInterface()->actionNames(), c.actions);
        delete b;
    }
}

TEST_F(Accessibility, PressActionDoesWhatAMouseClickDoes)
{
    struct Case
    {
        const char *what;
        int group;
        bool allowAllUp;
        bool down;
        bool enabled;
        int clicks;
        bool downAfter;
    };
    const Case cases[] = {
        {"plain", 0, false, false, true, 1, false},
        {"group, up", 1, false, false, true, 1, true},
        {"group, down stays down", 1, false, true, true, 1, true},
        {"group, down comes up with AllowAllUp", 1, true, true, true, 1, false},
        {"disabled", 0, false, false, false, 0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        TShineSpeedButton *mouse = button(left);
        TShineSpeedButton *pressed = button(right);
        for (TShineSpeedButton *b : {mouse, pressed}) {
            b->setGroupIndex(c.group);
            b->setAllowAllUp(c.allowAllUp);
            b->setDown(c.down);
            b->setEnabled(c.enabled);
        }
        QSignalSpy mouseClicks(mouse, &TShineSpeedButton::OnClick);
        QSignalSpy pressClicks(pressed, &TShineSpeedButton::OnClick);
        QTest::mouseClick(mouse, Qt::LeftButton, {}, QPoint(12, 12));
        Accessible(pressed)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(pressClicks.count(), 0) << "the press is queued";
        QCoreApplication::processEvents();
        EXPECT_EQ(mouseClicks.count(), c.clicks);
        EXPECT_EQ(pressClicks.count(), c.clicks);
        EXPECT_EQ(mouse->Down(), c.downAfter);
        EXPECT_EQ(pressed->Down(), c.downAfter);
        delete mouse;
        delete pressed;
    }
}

TEST_F(Accessibility, TabReachesTheButtonsThatTakeFocus)
{
    auto *edit = new QLineEdit(left);
    edit->setGeometry(10, 50, 100, 20);
    TShineSpeedButton *first = button(left);
    TShineSpeedButton *skipped = button(right);
    TShineSpeedButton *last = button(right);
    skipped->move(40, 10);
    first->setFocusPolicy(Qt::TabFocus);
    last->setFocusPolicy(Qt::StrongFocus);
    edit->show();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    edit->setFocus();
    QList<QWidget *> reached;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.append(QApplication::focusWidget());
    }
    EXPECT_EQ(reached, (QList<QWidget *>{first, last, edit}));
    EXPECT_TRUE(Accessible(first)->state().focusable);
    EXPECT_FALSE(Accessible(skipped)->state().focusable);
}

TEST_F(Accessibility, UrlLabelReadsAsALinkAndOpensOnPress)
{
    for (const bool executable : {true, false}) {
        SCOPED_TRACE(executable);
        QList<QUrl> mouseOpened;
        QList<QUrl> pressOpened;
        auto *mouse = new TURLLabel(QStringLiteral("qumo@example.jp"), left);
        auto *pressed = new TURLLabel(QStringLiteral("qumo@example.jp"), right);
        for (auto [label, opened] : {std::pair{mouse, &mouseOpened}, std::pair{pressed, &pressOpened}}) {
            label->setToolTip(QStringLiteral("作者へのメール"));
            label->setExecutable(executable);
            label->setOpener([opened](const QUrl &url) {
                opened->append(url);
                return true;
            });
            label->show();
        }
        QAccessibleInterface *a = Accessible(pressed);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->role(), QAccessible::Link);
        EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("qumo@example.jp"));
        EXPECT_EQ(a->text(QAccessible::Description), QStringLiteral("作者へのメール"));
        EXPECT_TRUE(a->state().linked);
        EXPECT_EQ(a->actionInterface()->actionNames(),
                  QStringList{QAccessibleActionInterface::pressAction()});
        QTest::mouseClick(mouse, Qt::LeftButton, {}, QPoint(3, 3));
        a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        EXPECT_EQ(pressOpened, mouseOpened);
        EXPECT_EQ(pressOpened.size(), executable ? 1 : 0);
        delete mouse;
        delete pressed;
    }
}

TEST_F(Accessibility, OtherWidgetsKeepQtsOwnInterfaces)
{
    auto *label = new QLabel(QStringLiteral("ルーラー"), left);
    ASSERT_NE(Accessible(label), nullptr);
    EXPECT_EQ(Accessible(label)->role(), QAccessible::StaticText);
}
