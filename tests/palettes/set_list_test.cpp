#include "button_definition.h"
#include "button_faces.h"
#include "line_breaks.h"
#include "printers.h"
#include "set_file_format.h"
#include "set_list.h"

#include <gtest/gtest.h>

namespace {

using namespace Palettes;

QStringList Lines(std::initializer_list<const char *> lines)
{
    QStringList out;
    for (const char *line : lines)
        out.append(QString::fromUtf8(line));
    return out;
}

TEST(SetList, KeyLinesFromTheTopInAnyCase)
{
    const SetList list(Lines({"[QUMOEDIT HTML Button Data Ver1.0]",
                              "*Button5",
                              "*Button7",
                              "c5",
                              "1",
                              "2",
                              "h5", // a caption that looks like a key
                              "*Button0",
                              "c0",
                              "b0",
                              "3",
                              "4",
                              "h0",
                              "*BUTTON3",
                              "upper",
                              "",
                              "",
                              "",
                              "",
                              "*Button0",
                              "second",
                              "",
                              "",
                              "",
                              "",
                              "*Button05",
                              "*button 6",
                              "*Button",
                              "*Button-1",
                              "*Button12x"}));
    const struct
    {
        int number;
        qsizetype key;
    } cases[] = {{5, 1}, {7, 2}, {0, 7}, {3, 13}, {1, -1}, {6, -1}, {12, -1}, {-1, -1}, {39, -1}};
    for (const auto &c : cases)
        EXPECT_EQ(list.keyLine(c.number), c.key) << c.number;
    const QList<qsizetype> keys = list.keyLines(0, 8);
    EXPECT_EQ(keys, (QList<qsizetype>{7, -1, -1, 13, -1, 1, -1, 2}));
    EXPECT_EQ(list.record(0)->caption, "c0"); // the first of two keys wins
    EXPECT_EQ(list.record(5)->caption, "*Button7");
    EXPECT_EQ(list.record(5)->selectStart, 1);
    EXPECT_EQ(list.record(5)->selectLength, 2);
    EXPECT_FALSE(list.record(1).has_value());
}

TEST(SetList, ShortRecordsAndBadNumbersReadAsEmptyAndZero)
{
    const struct
    {
        QStringList lines;
        ButtonRecord expected;
    } cases[] = {
        {Lines({"*Button1"}), {"", "", 0, 0, ""}},
        {Lines({"*Button1", "cap"}), {"cap", "", 0, 0, ""}},
        {Lines({"*Button1", "cap", "x", "12"}), {"cap", "x", 12, 0, ""}},
        {Lines({"*Button1", "c", "x", "abc", "1.5", "h"}), {"c", "x", 0, 0, "h"}},
        {Lines({"*Button1", "c", "x", "-3", "99999999999", "h"}), {"c", "x", -3, 0, "h"}},
    };
    for (const auto &c : cases) {
        const ButtonRecord r = *SetList(c.lines).record(1);
        EXPECT_EQ(r.caption, c.expected.caption) << c.lines.join('|').toStdString();
        EXPECT_EQ(r.content, c.expected.content) << c.lines.join('|').toStdString();
        EXPECT_EQ(r.selectStart, c.expected.selectStart) << c.lines.join('|').toStdString();
        EXPECT_EQ(r.selectLength, c.expected.selectLength) << c.lines.join('|').toStdString();
        EXPECT_EQ(r.help, c.expected.help) << c.lines.join('|').toStdString();
    }
}

TEST(SetList, DefineAppendsReplacesAndCompletesRecords)
{
    SetList list = SetList::Fresh("text");
    list.define(3, {"太字", "<b>*text*</b>\n", 3, 0, "一行目\r\n二行目"});
    list.define(1, {"a", "b", 1, 2, "c"});
    EXPECT_EQ(list.lines(), Lines({"text", "*Button3", "太字", "<b>*text*</b>\\r\\n", "3", "0",
                                   "一行目\\r\\n二行目", "*Button1", "a", "b", "1", "2", "c"}));
    list.define(3, {"cap\nsplit", "x", -1, 4, ""});
    EXPECT_EQ(list.lines().mid(1, 6), Lines({"*Button3", "capsplit", "x", "-1", "4", ""}));
    EXPECT_EQ(DefinitionForDialog(list, 3), (ButtonDefinition{"capsplit", "x", -1, 4, ""}));

    SetList cut(Lines({"h", "*button2", "old"})); // cut short by the end of the file
    cut.define(2, {"new", "y", 5, 6, "z"});
    EXPECT_EQ(cut.lines(), Lines({"h", "*button2", "new", "y", "5", "6", "z"}));
}

TEST(LineBreaks, EscapedAndRestored)
{
    const struct
    {
        QString plain;
        QString stored;
    } cases[] = {
        {"a\nb", "a\\r\\nb"},     {"a\r\nb", "a\\r\\nb"},
        {"a\rb", "a\\r\\nb"},     {"a\u2028b\u2029", "a\\r\\nb\\r\\n"},
        {"\n\n", "\\r\\n\\r\\n"}, {"行\r\n\r\n", "行\\r\\n\\r\\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(EncodeLineBreaks(c.plain), c.stored) << c.plain.toStdString();
    const struct
    {
        QString stored;
        QString plain;
    } decodes[] = {{"a\\r\\nb", "a\nb"}, {"\\r\\r\\n\\n", "\\r\n\\n"}, {"\\R\\N", "\\R\\N"}, {"\\r", "\\r"}};
    for (const auto &c : decodes)
        EXPECT_EQ(DecodeLineBreaks(c.stored), c.plain) << c.stored.toStdString();
    // A \r\n typed as text comes back as a line break: the format cannot tell them apart.
    EXPECT_EQ(DecodeLineBreaks(EncodeLineBreaks("x\\r\\ny\nz")), "x\ny\nz");
}

TEST(SetFileFormat, LinesFromAnyLineEndUpToNul)
{
    const struct
    {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"\r\n", {""}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\r\n\r\nb\n\n", {"a", "", "b", ""}},
        {QByteArray("a\r\nb\0c\r\nd", 9), {"a", "b"}},
        {QByteArray("\0a", 2), {}},
        {"\x91\xbe\x8e\x9a\r\n\x82\xa0", {"太字", "あ"}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ParseSetFile(c.bytes), c.lines) << c.bytes.toHex().toStdString();
}

TEST(SetFileFormat, WritesShiftJisWithCrLfAfterEveryLineAndKeepsOddBytes)
{
    EXPECT_EQ(SerializeSetFile(Lines({"text", "*Button1", "太字", ""})),
              QByteArray("text\r\n*Button1\r\n\x91\xbe\x8e\x9a\r\n\r\n"));
    const QByteArray odd("\x80\xff\xa0x\r\n");
    EXPECT_EQ(SerializeSetFile(ParseSetFile(odd)), odd);
    qsizetype bad = -2;
    EXPECT_EQ(SerializeSetFile(Lines({"ok", "x😀"}), &bad), QByteArray("ok\r\nx?\r\n"));
    EXPECT_EQ(bad, 4);
}

TEST(ButtonFaces, ClipColoursFromSevenCharacterCodes)
{
    const struct
    {
        const char *content;
        std::optional<quint32> colour;
    } cases[] = {
        {"#FF8000", 0x0080FF}, {"#ff8000", 0x0080FF}, {"#000000", 0},  {"#0000FF", 0xFF0000},
        {"#FF80", {}},         {"#FF80000", {}},      {"FF8000 ", {}}, {"#GG0000", {}},
        {"#FF800０", {}},      {"# FF800", {}},       {"", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ClipColour(QString::fromUtf8(c.content)), c.colour) << c.content;
}

TEST(ButtonFaces, CaptionTooltipAndFaceOfEachButton)
{
    const SetList list(Lines({"text", "*Button1", "赤", "#FF8000", "7", "0", "", "*Button3", "br", "<br>",
                              "4", "0", "改行\\r\\nです", "*Button20", "last", "#0000FF"}));
    const QList<ButtonFace> clip = ButtonFaces(list, ClipPalette());
    ASSERT_EQ(clip.size(), 20);
    EXPECT_EQ(clip[0], (ButtonFace{true, "赤", "", 0x0080FF}));
    EXPECT_EQ(clip[1], ButtonFace{});
    EXPECT_EQ(clip[2], (ButtonFace{true, "br", "改行\nです", std::nullopt}));
    EXPECT_EQ(clip[19], (ButtonFace{true, "last", "", 0xFF0000}));

    const QList<ButtonFace> tags = ButtonFaces(list, TagPalette()); // records 0-39, never coloured
    ASSERT_EQ(tags.size(), 40);
    EXPECT_EQ(tags[1], (ButtonFace{true, "赤", "", std::nullopt}));
    EXPECT_FALSE(tags[0].defined);
    EXPECT_TRUE(tags[20].defined);
}

TEST(PaletteButtons, TagNumbersNameThePaletteAndRecord)
{
    const struct
    {
        int tag;
        const PaletteKind *kind;
        int record;
    } cases[] = {{1, &TagPalette(), 0},
                 {40, &TagPalette(), 39},
                 {100, &TagPalette(), 99},
                 {101, &ClipPalette(), 1},
                 {120, &ClipPalette(), 20}};
    for (const auto &c : cases) {
        EXPECT_EQ(ButtonOfTag(c.tag).kind, c.kind) << c.tag;
        EXPECT_EQ(ButtonOfTag(c.tag).record, c.record) << c.tag;
    }
}

TEST(PaletteButtons, DialogDefaultsAndHoverPreview)
{
    const QByteArray longContent = QString(150, u'あ').toUtf8();
    const SetList list(Lines({"h",     "*Button0",
                              "f",     "<font color=\"*color*\">",
                              "",      "",
                              "",      "*Button1",
                              "2",     "a\\r\\nb",
                              "",      "",
                              "",      "*Button2",
                              "long",  longContent.constData(),
                              "",      "",
                              "",      "*Button3",
                              "tag",   "<a\\r\\nhref=\"X\">",
                              "",      "",
                              "",      "*Button4",
                              "empty", ""}));
    EXPECT_EQ(DefinitionForDialog(list, 9), (ButtonDefinition{"未登録", "未登録です", 10, 0, ""}));
    EXPECT_EQ(DefinitionForDialog(list, 1), (ButtonDefinition{"2", "a\nb", 0, 0, ""}));
    const struct
    {
        int number;
        int caseMode;
        QString preview;
    } cases[] = {
        {0, 2, " <FONT COLOR=\"*color*\">"},
        {0, 0, " <font color=\"*color*\">"},
        {1, 0, " a[←]b"},
        {2, 0, u' ' + QString(100, u'あ')},
        {3, 2, " <A[←]HREF=\"X\">"},
        {4, 0, " このボタンは未設定です(^o^)/"},
        {9, 1, " このボタンは未設定です(^o^)/"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(HoverPreview(list, c.number, c.caseMode), c.preview) << c.number << " " << c.caseMode;
}

} // namespace
