#include "tag_colouring.h"

#include <gtest/gtest.h>

namespace {

using namespace TextTools;

// One character per text character: '#' where a range covers it.
std::string Mask(QStringView text, const TextRanges &ranges)
{
    std::string mask(text.size(), '.');
    for (const TextRange &r : ranges) {
        EXPECT_GE(r.start, 0);
        EXPECT_LE(r.end(), text.size());
        for (qsizetype i = r.start; i < r.end(); ++i)
            mask[i] = '#';
    }
    return mask;
}

TEST(ColourAllTags, CharacterByCharacter)
{
    const struct
    {
        const char *text, *mask;
    } cases[] = {
        {"<a>\n<b>x", "#######."},
        {"<a>\n\n<b>\n\nx", "##########."},
        {"<a><b> <c>", "######.###"},
        {"a < b", "..#.."},
        {"a < b < c", "..#...#.."},
        {"<a>< b", "####.."},
        {"<a <b> c", "######.."},
        {"x>y<z>", "...###"},
        {"<p>日本<b>語", "###..###."},
        {"<i>\n</i>\n日", "#########."},
        {"", ""},
    };
    for (const auto &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(Mask(text, ColourAllTagsRanges(text)), c.mask) << c.text;
    }
}

struct NearCase
{
    QString text;
    qsizetype caret;
    TextRange reset;
    std::string blue;
};

TEST(ColourTagsNearCaret, CharacterByCharacter)
{
    const QString x200(200, u'x');
    const NearCase cases[] = {
        {"ab<b>cd<i>ef", 12, {2, 10}, "..###..###.."},
        {"ab<i cd", 7, {2, 5}, "..#####"},
        {"<b>\n<i>", 7, {0, 7}, "###.###"},
        // ">" right at the window's end (100 after the caret) closes the tag.
        {u'<' + QString(99, u'y') + u'>' + "zz", 0, {0, 100}, std::string(101, '#') + ".."},
        // Beyond it the tag is blue through the window's end only.
        {u'<' + QString(100, u'y') + u'>', 0, {0, 100}, std::string(101, '#') + "."},
        // A tag 200 characters away lies outside the window either way.
        {x200 + "<b>" + x200, 250, {200, 150}, std::string(200, '.') + "###" + std::string(200, '.')},
        {x200 + "<b>" + x200, 0, {}, std::string(403, '.')},
        {x200 + "<b>" + x200, 403, {}, std::string(403, '.')},
        // Not found within the caret's first 100 units: the 250-character
        // reading would reach the tag at 120 and colour backwards.
        {QString(120, u'x') + "<b>", 0, {}, std::string(123, '.')},
    };
    for (const NearCase &c : cases) {
        const NearCaretColouring result = ColourTagsNearCaretRanges(c.text, c.caret);
        EXPECT_EQ(result.reset, c.reset) << c.text.left(20).toStdString() << " caret " << c.caret;
        EXPECT_EQ(Mask(c.text, result.blue), c.blue) << c.text.left(20).toStdString() << " caret " << c.caret;
    }
}

TEST(ColourTagsNearCaret, WindowCountsEditorUnits)
{
    // 75 double-byte characters are the 150 units before the caret, so the
    // tag in front of them is outside, though only 83 characters back.
    const QString before = "<i>" + QString(80, u'日');
    EXPECT_TRUE(ColourTagsNearCaretRanges(before, before.size()).blue.isEmpty());
    const QString inside = "<i>" + QString(70, u'日');
    EXPECT_EQ(ColourTagsNearCaretRanges(inside, inside.size()).blue, (TextRanges{{0, 3}}));

    // 50 double-byte characters fill the 100 units after the caret.
    const QString after50 = QString(50, u'日') + "<b>";
    EXPECT_TRUE(ColourTagsNearCaretRanges(after50, 0).blue.isEmpty());
    const QString after49 = QString(49, u'日') + "<b>";
    EXPECT_EQ(ColourTagsNearCaretRanges(after49, 0).blue, (TextRanges{{49, 3}}));
}

} // namespace
