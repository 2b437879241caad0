#include "tidy_messages.h"

#include <gtest/gtest.h>
#include <tidy/tidyenum.h>

namespace {

TEST(TidyMessages, JapaneseFillsTidysArgumentsInTheirOrder)
{
    const struct
    {
        unsigned code;
        QStringList arguments;
        std::optional<QString> japanese;
    } rows[] = {
        {MISSING_ENDTAG_BEFORE, {"b", "<ul>"}, QStringLiteral("<ul> の前に </b> がありません")},
        {REPEATED_ATTRIBUTE,
         {"<p>", "x", "class"},
         QStringLiteral("<p> に属性「class」が重なっています（値「x」は捨てられます）")},
        // An argument that looks like a placeholder stays as it is.
        {ANCHOR_NOT_UNIQUE, {"<a>", "%1"}, QStringLiteral("<a> の id「%1」はすでに使われています")},
        {MISSING_ATTR_VALUE, {"<p>"}, QStringLiteral("<p> の属性「」に値がありません")},
        {STRING_CONTENT_LOOKS, {"HTML5"}, std::nullopt},
    };
    for (const auto &row : rows)
        EXPECT_EQ(HtmlCheck::JapaneseTidyMessage(row.code, row.arguments), row.japanese) << row.code;
}

TEST(TidyMessages, RepairNotesAndTheEditorsOwnChecksAreLeftOut)
{
    const struct
    {
        unsigned code;
        QStringList arguments;
        bool leftOut;
    } rows[] = {
        {TRIM_EMPTY_ELEMENT, {"<p>"}, true},
        {MISSING_ATTRIBUTE, {"<img>", "alt"}, true},
        {MISSING_ATTRIBUTE, {"<area>", "alt"}, false},
        {MISSING_ENDTAG_FOR, {"b"}, false},
    };
    for (const auto &row : rows)
        EXPECT_EQ(HtmlCheck::LeftOutTidyMessage(row.code, row.arguments), row.leftOut) << row.code;
}

} // namespace
