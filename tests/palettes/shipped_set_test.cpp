#include "button_faces.h"
#include "editor_units.h"
#include "line_breaks.h"
#include "printers.h"
#include "template_expansion.h"
#include "test_files.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using namespace Palettes;

const QString AssetsDir = QStringLiteral(QUMO_ASSETS_DIR);

TEST(ShippedTagSet, FortyDocumentedButtonsInTheFileFormat)
{
    const QString dir = AssetsDir;
    const QByteArray bytes = ReadFileBytes(dir + "HTML.qmh");
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_TRUE(bytes.startsWith("[QUMOEDIT HTML Button Data Ver1.0]\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')); // no lone LF
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\r')); // no lone CR
    const LoadedSet set = LoadTagSet(dir, "HTML");
    ASSERT_TRUE(set.loaded);
    EXPECT_EQ(set.list.lines().size(), 1 + 40 * 6);
    QString contents;
    for (int b = 0; b < 40; ++b) {
        EXPECT_TRUE(set.faces[b].defined) << b;
        EXPECT_FALSE(set.faces[b].caption.isEmpty()) << b;
        EXPECT_FALSE(set.faces[b].tooltip.isEmpty()) << b;
        contents += set.list.record(b)->content;
    }
    for (const char *placeholder : {"*text*", "*file*", "*width*", "*height*", "*color*", "*bgcol*",
                                    "*textc*", "*link*", "*vlink*", "*alink*", "*align*", "*date*", "\\r\\n"})
        EXPECT_TRUE(contents.contains(placeholder)) << placeholder;
}

// Every stored caret lies inside its content and never splits a placeholder.
TEST(ShippedTagSet, EveryButtonExpandsCompletely)
{
    const LoadedSet set = LoadTagSet(AssetsDir, "HTML");
    ASSERT_TRUE(set.loaded);
    const QRegularExpression placeholder("\\*[a-z]+\\*");
    for (int b = 0; b < 40; ++b) {
        const ButtonRecord record = *set.list.record(b);
        TemplateRequest r;
        r.content = record.content;
        r.selectStart = record.selectStart;
        r.selectLength = record.selectLength;
        r.selection = "選択";
        r.alignment = "center";
        r.now = QDateTime::currentDateTime();
        r.documentPath = AssetsDir + "index.html";
        const Expansion e = InsertTemplate(r, [](const QString &) { return AssetsDir + "readme.txt"; });
        EXPECT_FALSE(e.text.contains(placeholder)) << b << " " << e.text.toStdString();
        EXPECT_FALSE(e.text.contains("selst")) << b;
        EXPECT_LE(record.selectStart, EditorUnits::Length(DecodeLineBreaks(record.content))) << b;
    }
}

} // namespace

namespace {

// Twenty swatches, each a colour face whose caption names it.
TEST(ShippedClipSet, TwentyColourSwatches)
{
    const QByteArray bytes = ReadFileBytes(AssetsDir + QStringLiteral("色見本.qmc"));
    EXPECT_TRUE(bytes.startsWith("text\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    const LoadedSet set = LoadClipSet(AssetsDir, QStringLiteral("色見本"));
    ASSERT_TRUE(set.loaded);
    ASSERT_EQ(set.faces.size(), 20);
    for (int b = 0; b < 20; ++b) {
        const ButtonRecord record = *set.list.record(b + 1);
        EXPECT_TRUE(set.faces[b].flatColour) << b;
        EXPECT_EQ(ClipColour(record.content), set.faces[b].flatColour) << b;
        EXPECT_FALSE(set.faces[b].caption.isEmpty()) << b;
        EXPECT_EQ(record.selectStart, 7) << b;
    }
}

} // namespace
