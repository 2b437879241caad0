#include "editor_keys.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

namespace {

TEST(IsUnboundAltText, AltWithAPrintableKeyTypesNothing)
{
    const struct
    {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        bool swallowed;
    } cases[] = {
        {Qt::Key_F, Qt::AltModifier, QStringLiteral("f"), true},
        {Qt::Key_F, Qt::AltModifier | Qt::ShiftModifier, QStringLiteral("F"), true},
        {Qt::Key_1, Qt::AltModifier, QStringLiteral("1"), true},
        {Qt::Key_F, Qt::NoModifier, QStringLiteral("f"), false},
        {Qt::Key_F, Qt::ShiftModifier, QStringLiteral("F"), false},
        // AltGr reaches Qt as Ctrl+Alt on some keyboards: its characters are typed.
        {Qt::Key_At, Qt::AltModifier | Qt::ControlModifier, QStringLiteral("@"), false},
        {Qt::Key_Left, Qt::AltModifier, QString(), false},
        {Qt::Key_Return, Qt::AltModifier, QStringLiteral("\r"), false},
    };
    for (const auto &c : cases) {
        const QKeyEvent key(QEvent::KeyPress, c.key, c.modifiers, c.text);
        EXPECT_EQ(IsUnboundAltText(key), c.swallowed) << c.key << " " << c.modifiers.toInt();
    }
}

} // namespace
