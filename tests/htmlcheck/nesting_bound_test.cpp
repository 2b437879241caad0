#include "nesting_bound.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

TEST(NestingDepth, FollowsTheEndTagsAPageMayLeaveOut)
{
    const struct
    {
        QString page;
        qsizetype depth;
    } rows[] = {
        {QStringLiteral("<html><body><div><p>a</p></div></body></html>"), 4},
        {QStringLiteral("<p>a<p>b<p><b>c<p>d"), 2},           // a <p> closes one across inline elements
        {QStringLiteral("<ul><li>a<li><p>b<li>c</ul>"), 3},   // an <li> closes one across <p>
        {QStringLiteral("<ul><li><div>a<li><div>b</ul>"), 5}, // but not across <div>: tidy nests them
        {QStringLiteral("<table><tr><td>a<td>b<tr><td>c</table>"), 3},
        {QStringLiteral("<p>a<br><img src=x><hr/>b"), 1},                              // void elements
        {QStringLiteral("<!-- <div><div> --><script>if (a<b) x='<div>'</script>"), 1}, // only the <script>
        {QStringLiteral("<div>").repeated(50) + QStringLiteral("</x>").repeated(50), 50},
    };
    for (const auto &row : rows)
        EXPECT_EQ(HtmlCheck::NestingDepth(row.page, 1000), row.depth) << row.page.toStdString();
    EXPECT_EQ(HtmlCheck::NestingDepth(QStringLiteral("<div>").repeated(100), 10), 11); // stops counting
}

} // namespace
