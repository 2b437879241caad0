#include "charset_declaration.h"

#include <gtest/gtest.h>

namespace {

using namespace TextTools;

TEST(FindCharsetDeclaration, TheFirstDeclarationBeforeTheBody)
{
    const struct
    {
        const char *page;
        const char *name; // empty: none
        qsizetype start;
    } cases[] = {
        {"<meta charset=\"Shift_JIS\">", "Shift_JIS", 15},
        {"<META CHARSET=euc-jp>", "euc-jp", 14},
        {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-2022-jp\">", "iso-2022-jp", 60},
        {"<meta name=\"x\" content='a'>\n<meta charset='UTF-8' />", "UTF-8", 43},
        {"<html><body><meta charset=\"EUC-JP\">", "", 0},
        {"<p>charset=Shift_JIS</p>", "", 0},
        {"<meta name=\"viewport\" content=\"width=device-width\">", "", 0},
        {"", "", 0},
    };
    for (const auto &c : cases) {
        const std::optional<CharsetDeclaration> found = FindCharsetDeclaration(QString::fromUtf8(c.page));
        EXPECT_EQ(found.has_value(), *c.name != 0) << c.page;
        if (!found || !*c.name)
            continue;
        EXPECT_EQ(found->name, QString::fromUtf8(c.name)) << c.page;
        EXPECT_EQ(found->value.start, c.start) << c.page;
        EXPECT_EQ(found->value.length, qsizetype(strlen(c.name))) << c.page;
    }
}

TEST(SameCharset, NamesBrowsersReadAsOneCode)
{
    const struct
    {
        const char *a, *b;
        bool same;
    } cases[] = {
        {"Shift_JIS", "sjis", true},  {"x-sjis", "Windows-31J", true}, {"EUC-JP", "euc-jp", true},
        {"UTF-8", "utf8", true},      {"Shift_JIS", "EUC-JP", false},  {"ISO-2022-JP", "csISO2022JP", true},
        {"UTF-16", "UTF-16LE", true}, {"UTF-16BE", "UTF-16", false},   {"latin1", "LATIN1", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SameCharset(QString::fromUtf8(c.a), QString::fromUtf8(c.b)), c.same) << c.a << " " << c.b;
}

} // namespace
