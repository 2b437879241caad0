// Matches placed on their lines for the results list: line, column in editor
// units, the line's text around the match and the marked part of it.
#include "line_matches.h"

#include <gtest/gtest.h>

namespace {

using namespace FolderSearch;

TEST(LineMatches, EachMatchOnItsLine)
{
    const QString longLine = QString(300, u'a') + QStringLiteral("needle") + QString(300, u'b');
    const struct
    {
        QString text;
        QString search;
        bool expression;
        qsizetype line, offset, column;
        QString excerpt;
        qsizetype markFrom, markLength;
    } rows[] = {
        {QStringLiteral("one\ntwo needle\n"), QStringLiteral("needle"), false, 1, 4, 4,
         QStringLiteral("two needle"), 4, 6},
        // Wide characters count two units; a tab shows as a space.
        {QStringLiteral("漢字\tｶﾅneedle"), QStringLiteral("needle"), false, 0, 5, 7,
         QStringLiteral("漢字 ｶﾅneedle"), 5, 6},
        // Across a line end: marked to the end of its first line.
        {QStringLiteral("x\nab\ncd"), QStringLiteral("b[RET]c"), false, 1, 1, 1, QStringLiteral("ab"), 1, 1},
        {QStringLiteral("a\n\nb"), QStringLiteral("^$"), true, 1, 0, 0, QString(), 0, 0},
        {longLine, QStringLiteral("needle"), false, 0, 300, 300,
         QChar(0x2026) + QString(60, u'a') + QStringLiteral("needle") + QString(174, u'b') + QChar(0x2026),
         61, 6},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.text.left(40).toStdString());
        TextTools::SearchOptions options;
        options.regularExpression = row.expression;
        const TextMatches found =
            MatchLines(row.text, TextTools::SearchPattern::forReplacing(row.search, options), 10);
        ASSERT_EQ(found.matches.size(), 1);
        const LineMatch &m = found.matches[0];
        EXPECT_EQ(m.line, row.line);
        EXPECT_EQ(m.offset, row.offset);
        EXPECT_EQ(m.column, row.column);
        EXPECT_EQ(m.excerpt, row.excerpt);
        EXPECT_EQ(m.markFrom, row.markFrom);
        EXPECT_EQ(m.markLength, row.markLength);
    }
}

TEST(LineMatches, ManyOnOneLineAndTheRowLimit)
{
    const TextTools::SearchPattern pattern(QStringLiteral("ab"), {true});
    const TextMatches found = MatchLines(QStringLiteral("ab ab\n\nab ab ab"), pattern, 4);
    EXPECT_EQ(found.count, 5);
    ASSERT_EQ(found.matches.size(), 4);
    const qsizetype expected[][2] = {{0, 0}, {0, 3}, {2, 0}, {2, 3}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(found.matches[i].line, expected[i][0]);
        EXPECT_EQ(found.matches[i].column, expected[i][1]);
    }
}

} // namespace
