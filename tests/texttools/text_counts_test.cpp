#include "caret_character.h"
#include "cp932.h"
#include "printers.h"
#include "text_counts.h"

#include <gtest/gtest.h>

namespace {

using namespace TextTools;

TEST(TextCounts, CharactersAsTheReaderSeesThem)
{
    const struct
    {
        const char *text;
        qsizetype characters, visible, lines;
    } cases[] = {
        {"", 0, 0, 0},
        {"か\u3099ｶﾞe\u0301", 3, 3, 1},                  // combining marks, half-width voiced mark
        {"😀👨‍👩‍👧🇯🇵𠮷", 4, 4, 1}, // pairs, a ZWJ sequence, a flag
        {"a b\n　c\t\n", 8, 3, 2},                       // a last line break starts no line
        {"\n\n", 2, 0, 2},
        {"x\n\ny", 4, 2, 3},
    };
    for (const auto &c : cases) {
        const TextCounts counts = *CountText(QString::fromUtf8(c.text));
        EXPECT_EQ(counts.characters, c.characters) << c.text;
        EXPECT_EQ(counts.visible, c.visible) << c.text;
        EXPECT_EQ(counts.lines, c.lines) << c.text;
    }
    EXPECT_EQ(CountText(QStringLiteral("ab\n\nｶﾞ字\n"))->lineLengths, QList<qsizetype>({2, 0, 2}));
}

TEST(TextCounts, ManuscriptPages)
{
    const struct
    {
        QList<qsizetype> lines;
        int columns, rows;
        qsizetype pages;
    } cases[] = {
        {{}, 20, 20, 0},
        {{0}, 20, 20, 1},
        {{400}, 20, 20, 1},
        {{401}, 20, 20, 2},
        {QList<qsizetype>(20, 1), 20, 20, 1}, // twenty short lines: twenty rows
        {QList<qsizetype>(21, 1), 20, 20, 2},
        {{0, 20, 21, 45}, 20, 3, 3}, // 1 + 1 + 2 + 3 rows
        {{10}, 0, 20, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ManuscriptPages(c.lines, c.columns, c.rows), c.pages) << c.lines.size() << " " << c.columns;
}

TEST(CaretCharacter, CodePointBytesAndName)
{
    // Code page 932 as the document's code; its line break CR LF.
    const CharacterBytesOf sjis = [](QStringView c) {
        qsizetype unencodable = -1;
        const QByteArray bytes = Cp932::Encode(c, &unencodable);
        return unencodable >= 0 ? QByteArray() : bytes;
    };
    const struct
    {
        const char *text;
        qsizetype index;
        const char *shown;
        const char *name;
    } cases[] = {
        {"あ", 0, "U+3042 82A0", "HIRAGANA LETTER A"},
        {"xｱ", 1, "U+FF71 B1", "HALFWIDTH KATAKANA LETTER A"},
        {"①", 0, "U+2460 8740", "CIRCLED DIGIT ONE"},
        {"漢", 0, "U+6F22 8ABF", "CJK UNIFIED IDEOGRAPH-6F22"},
        {"😀", 0, "U+1F600 ―", "GRINNING FACE"}, // a pair is one character
        {"a\n", 1, "U+000A 0D0A", ""},
        {"\t", 0, "U+0009 09", ""}, // controls have no name
        {"a", 1, "", ""},
    };
    for (const auto &c : cases) {
        const CaretCharacter shown = DescribeCharacter(QString::fromUtf8(c.text), c.index, sjis);
        EXPECT_EQ(shown.code, QString::fromUtf8(c.shown)) << c.text;
        EXPECT_EQ(shown.name, QString::fromUtf8(c.name)) << c.text;
    }
    EXPECT_EQ(DescribeCharacter(QString(QChar(0xDC81)), 0, sjis).code, QStringLiteral("バイト 81"));
}

} // namespace
