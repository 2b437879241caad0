#include "button_definition.h"
#include "button_faces.h"
#include "line_breaks.h"
#include "printers.h"
#include "set_file_format.h"
#include "set_list.h"

#include <gtest/gtest.h>

namespace {

using namespace Palettes;

QStringList Lines(const char *joined)
{
    return QString::fromUtf8(joined).split(u'|');
}

QString Show(const std::optional<ButtonRecord> &r)
{
    if (!r)
        return "none";
    return QStringList{r->caption, r->content, QString::number(r->selectStart),
                       QString::number(r->selectLength), r->help}
        .join(u'|');
}

TEST(SetList, RecordsFoundRecordByRecordInAnyCaseShortOnesEmpty)
{
    const SetList list(
        Lines("head|*Button5|*Button7|c5|1|2|h5|*Button0|c0|b0|3|4|h0|*BUTTON3|up||-3|x|y|"
              "*Button0|second|||||*Button05|*button 6|*Button-1|*Button12x|*Button9|short|z"));
    const struct
    {
        int number;
        const char *record;
    } cases[] = {
        {5, "*Button7|c5|1|2|h5"}, // a caption that reads like a key is text
        {7, "none"},
        {0, "c0|b0|3|4|h0"},
        {3, "up||-3|0|y"},
        {9, "short|z|0|0|"},
        {1, "none"},
        {6, "none"},
        {12, "none"},
        {-1, "none"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Show(list.record(c.number)), QString::fromUtf8(c.record)) << c.number;
    EXPECT_EQ(list.keyLines(0, 8), (QList<qsizetype>{7, -1, -1, 13, -1, 1, -1, -1}));

    // Content and help lines that read "*ButtonN" are text too, and defining such a button
    // appends its own record instead of overwriting the one holding the text.
    SetList keyLike(Lines("text|*Button1|a|*Button3|0|0|*Button2"));
    EXPECT_EQ(Show(keyLike.record(3)), "none");
    EXPECT_EQ(Show(keyLike.record(2)), "none");
    keyLike.define(3, {"c", "d", 1, 0, ""});
    EXPECT_EQ(keyLike.lines(), Lines("text|*Button1|a|*Button3|0|0|*Button2|*Button3|c|d|1|0|"));
    EXPECT_EQ(RecordKeyLines({-1, 1, 3, -1, -1, -1, 2, 3, -1}), (QList<qsizetype>{1, 7}));
}

TEST(SetList, DefineAppendsReplacesAndCompletesRecords)
{
    SetList list = SetList::Fresh("text");
    list.define(3, {"太字", "<b>*text*</b>\n", 3, 0, "一行目\r\n二行目"});
    list.define(1, {"a", "b", 1, 2, "c"});
    list.define(3, {"cap\nsplit", "x\ny", -1, 4, ""});
    EXPECT_EQ(list.lines(), Lines("text|*Button3|capsplit|x\\r\\ny|-1|4||*Button1|a|b|1|2|c"));
    EXPECT_EQ(DefinitionForDialog(list, 3), (ButtonDefinition{"capsplit", "x\ny", -1, 4, ""}));

    SetList cut(Lines("h|*button2|old")); // cut short by the end of the file
    cut.define(2, {"new", "y", 5, 6, "z"});
    EXPECT_EQ(cut.lines(), Lines("h|*button2|new|y|5|6|z"));
}

TEST(LineBreaks, EscapedAndRestored)
{
    const struct
    {
        QString plain, stored;
    } cases[] = {{"a\nb", "a\\r\\nb"},
                 {"a\r\nb", "a\\r\\nb"},
                 {"a\rb", "a\\r\\nb"},
                 {"a\u2028b\u2029", "a\\r\\nb\\r\\n"},
                 {"行\r\n\r\n", "行\\r\\n\\r\\n"}};
    for (const auto &c : cases)
        EXPECT_EQ(EncodeLineBreaks(c.plain), c.stored) << c.plain.toStdString();
    EXPECT_EQ(DecodeLineBreaks("a\\r\\nb\\r\\r\\n\\n\\R\\N"), "a\nb\\r\n\\n\\R\\N");
    // A \r\n typed as text comes back as a line break: the format cannot tell them apart.
    EXPECT_EQ(DecodeLineBreaks(EncodeLineBreaks("x\\r\\ny\nz")), "x\ny\nz");
}

TEST(SetFileFormat, LinesFromAnyLineEndUpToNulWrittenWithCrLf)
{
    const struct
    {
        QByteArray bytes;
        const char *lines; // joined by '|', "-" for none
    } cases[] = {
        {"", "-"},
        {"\r\n", ""},
        {"a\r\nb\r\n", "a|b"},
        {"a\nb", "a|b"},
        {"a\rb\r", "a|b"},
        {"a\r\n\r\nb\n\n", "a||b|"},
        {QByteArray("a\r\nb\0c\r\nd", 9), "a|b"},
        {QByteArray("\0a", 2), "-"},
        {"\x91\xbe\x8e\x9a\r\n\x82\xa0", "太字|あ"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ParseSetFile(c.bytes), c.lines == QByteArray("-") ? QStringList() : Lines(c.lines))
            << c.bytes.toHex().toStdString();

    const SetFileBytes written = SerializeSetFile(Lines("text|太字|"));
    EXPECT_EQ(written.bytes, QByteArray("text\r\n\x91\xbe\x8e\x9a\r\n\r\n"));
    EXPECT_EQ(written.firstUnencodable, -1);
    const QByteArray odd("\x80\xff\xa0x\r\n");
    EXPECT_EQ(SerializeSetFile(ParseSetFile(odd)).bytes, odd);
    const SetFileBytes lossy = SerializeSetFile(Lines("ok|x😀"));
    EXPECT_EQ(lossy.bytes, QByteArray("ok\r\nx?\r\n"));
    EXPECT_EQ(lossy.firstUnencodable, 4);
}

TEST(ButtonFaces, CaptionsTooltipsAndClipColours)
{
    const struct
    {
        const char *content;
        std::optional<quint32> colour;
    } codes[] = {{"#FF8000", 0x0080FF}, {"#ff8000", 0x0080FF}, {"#0000FF", 0xFF0000}, {"#FF80", {}},
                 {"#FF80000", {}},      {"FF8000 ", {}},       {"#GG0000", {}},       {"#FF800０", {}}};
    for (const auto &c : codes)
        EXPECT_EQ(ClipColour(QString::fromUtf8(c.content)), c.colour) << c.content;

    const SetList list(
        Lines("text|*Button1|赤|#FF8000|7|0||*Button3|br|<br>|4|0|改行\\r\\nです|*Button20|last"));
    const QList<ButtonFace> clip = ButtonFaces(list, ClipPalette());
    ASSERT_EQ(clip.size(), 20);
    EXPECT_EQ(clip[0], (ButtonFace{true, "赤", "", 0x0080FF}));
    EXPECT_EQ(clip[1], ButtonFace{});
    EXPECT_EQ(clip[2], (ButtonFace{true, "br", "改行\nです", std::nullopt}));
    EXPECT_EQ(clip[19], (ButtonFace{true, "last", "", std::nullopt}));
    const QList<ButtonFace> tags = ButtonFaces(list, TagPalette()); // records 0-39, never coloured
    ASSERT_EQ(tags.size(), 40);
    EXPECT_EQ(tags[1], (ButtonFace{true, "赤", "", std::nullopt}));
    EXPECT_FALSE(tags[0].defined);
}

TEST(PaletteButtons, TagNumbersDialogDefaultsAndHoverPreview)
{
    EXPECT_EQ(ButtonOfTag(1).kind, &TagPalette());
    EXPECT_EQ(ButtonOfTag(40).record, 39);
    EXPECT_EQ(ButtonOfTag(100).kind, &TagPalette());
    EXPECT_EQ(ButtonOfTag(101).kind, &ClipPalette());
    EXPECT_EQ(ButtonOfTag(120).record, 20);

    const QString longContent = QString(150, u'あ');
    const SetList list(Lines("h|*Button0|f|<font color=\"*color*\">||||*Button1|2|a\\r\\nb||||*Button3|tag|"
                             "<a\\r\\nhref=\"X\">||||*Button4|empty||||") +
                       QStringList{"*Button2", "long", longContent});
    EXPECT_EQ(DefinitionForDialog(list, 9), (ButtonDefinition{"未登録", "未登録です", 10, 0, ""}));
    EXPECT_EQ(DefinitionForDialog(list, 1), (ButtonDefinition{"2", "a\nb", 0, 0, ""}));
    const struct
    {
        int number, caseMode;
        QString preview;
    } cases[] = {
        {0, 2, " <FONT COLOR=\"*color*\">"},
        {0, 0, " <font color=\"*color*\">"},
        {1, 0, " a[←]b"},
        {2, 0, u' ' + longContent.left(100)},
        {3, 2, " <A[←]HREF=\"X\">"},
        {4, 0, " このボタンは未設定です(^o^)/"},
        {9, 1, " このボタンは未設定です(^o^)/"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(HoverPreview(list, c.number, c.caseMode), c.preview) << c.number << " " << c.caseMode;
}

} // namespace
