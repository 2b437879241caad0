#include "printers.h"
#include "typing_rules.h"

#include <gtest/gtest.h>

namespace {

using namespace TextTools;

TEST(AutoIndentText, Cases)
{
    const struct
    {
        const char *line;
        qsizetype column;
        const char *expected; // nullptr: a plain Enter
    } cases[] = {
        {"\t\tabc", 0, nullptr}, {"\t\tabc", 1, "\n\t"},   {"\t\tabc", 5, "\n\t\t"}, {"  abc", 4, "\n  "},
        {"abc", 2, nullptr},     {"\t \tx", 9, "\n\t \t"}, {"  ", 2, "\n  "},        {"　字", 1, nullptr},
    };
    for (const auto &c : cases) {
        const auto text = AutoIndentText(QString::fromUtf8(c.line), c.column);
        if (c.expected == nullptr)
            EXPECT_FALSE(text.has_value()) << c.line << " at " << c.column;
        else
            EXPECT_EQ(text.value_or(QString()), QString::fromUtf8(c.expected))
                << c.line << " at " << c.column;
    }
}

TEST(LineDeletionRange, FirstMiddleAndLastLine)
{
    const struct
    {
        const char *text;
        qsizetype caret;
        const char *remaining;
    } cases[] = {
        {"one\ntwo\nthree", 1, "two\nthree"},
        {"one\ntwo\nthree", 0, "two\nthree"},
        {"one\ntwo\nthree", 5, "one\nthree"},
        {"one\ntwo\nthree", 7, "one\nthree"},
        {"one\ntwo\nthree", 10, "one\ntwo"},
        {"one\ntwo\nthree", 13, "one\ntwo"},
        {"a\n", 2, "a"},
        {"日本語", 1, ""},
        {"", 0, ""},
    };
    for (const auto &c : cases) {
        QString text = QString::fromUtf8(c.text);
        const TextRange r = LineDeletionRange(text, c.caret);
        EXPECT_EQ(text.remove(r.start, r.length), QString::fromUtf8(c.remaining))
            << c.text << " at " << c.caret;
    }
}

TEST(NextTextSize, CyclesThroughThreeSizes)
{
    EXPECT_EQ(NextTextSize(9), 12);
    EXPECT_EQ(NextTextSize(12), 15);
    EXPECT_EQ(NextTextSize(15), 9);
    EXPECT_EQ(NextTextSize(10), 9);
    EXPECT_EQ(NextTextSize(NextTextSize(NextTextSize(9))), 9);
}

} // namespace
