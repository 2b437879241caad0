#include "body_colours.h"

#include <gtest/gtest.h>

namespace {

using Colour::BodyColours;
constexpr std::nullopt_t none = std::nullopt;

TEST(BodyColoursTest, AttributesOfTheTag)
{
    const struct
    {
        const char *tag;
        BodyColours expected;
    } rows[] = {
        {"<body bgcolor=#102030 text=#ffffff link=#0000FF vlink=#800080 alink=#FF0000",
         {0x302010, 0xFFFFFF, 0xFF0000, 0x800080, 0x0000FF}},
        // Link names inside longer names come first: each is read as a whole name.
        {"<BODY VLINK=\"#800080\" ALINK='#FF0000' LINK=#0000ff", {none, none, 0xFF0000, 0x800080, 0x0000FF}},
        // Colour names are read as colours.
        {"<body bgcolor=white", {0xFFFFFF, none, none, none, none}},
        {"<body bgcolor = \"#abc\"  text=Navy", {0xCCBBAA, 0x800000, none, none, none}},
        // A name in a value, a value that is no colour, a missing value.
        {"<body class=\"link text\" text=\"#12345\" link", {none, none, none, none, none}},
        {"<body bgcolor=#GG0000 text=#FF0000FF", {none, none, none, none, none}},
        // The first of two equal attributes counts.
        {"<body text=#000001 TEXT=#000002", {none, 0x010000, none, none, none}},
        {"<body/bgcolor=#000080 /", {0x800000, none, none, none, none}},
        {"<body", {none, none, none, none, none}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(Colour::ReadBodyColours(QString::fromUtf8(row.tag)), row.expected) << row.tag;
}

TEST(BodyColoursTest, TagInTheDocument)
{
    const QString far = QString(2000, u'x');
    const struct
    {
        QString document;
        std::optional<QString> tag;
    } rows[] = {
        {"<html><Body bgcolor=red>text</body>", QStringLiteral("<Body bgcolor=red")},
        {"no body here", none},
        {"<body bgcolor=red", none},
        // The closing ">" is looked for within the tag's offset plus 1024 characters.
        {"<body" + far + ">", none},
        {far + "<body" + far + ">", "<body" + far},
    };
    for (const auto &row : rows)
        EXPECT_EQ(Colour::FindBodyTag(row.document), row.tag) << row.document.left(40).toStdString();
}

} // namespace
