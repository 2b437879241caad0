#include "button_faces.h"
#include "editor_units.h"
#include "line_breaks.h"
#include "printers.h"
#include "template_expansion.h"
#include "test_files.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using namespace Palettes;

const QString AssetsDir = QStringLiteral(QUMO_ASSETS_DIR);

struct ShippedTagSet
{
    const char *name;
    QStringList placeholders; // each used by some button
    bool wholeElements;       // every button writes closed elements
};

void PrintTo(const ShippedTagSet &set, std::ostream *os)
{
    *os << set.name;
}

class ShippedTagSets : public ::testing::TestWithParam<ShippedTagSet>
{
};

TEST_P(ShippedTagSets, FortyDocumentedButtonsInTheFileFormat)
{
    const QString name = QString::fromUtf8(GetParam().name);
    const QByteArray bytes = ReadFileBytes(AssetsDir + name + ".qmh");
    ASSERT_FALSE(bytes.isEmpty());
    EXPECT_TRUE(bytes.startsWith("[QUMOEDIT HTML Button Data Ver1.0]\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n')); // no lone LF
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\r')); // no lone CR
    const LoadedSet set = LoadTagSet(AssetsDir, name);
    ASSERT_TRUE(set.outcome.done());
    EXPECT_EQ(set.list.lines().size(), 1 + 40 * 6);
    QString contents;
    for (int b = 0; b < 40; ++b) {
        EXPECT_TRUE(set.faces[b].defined) << b;
        EXPECT_FALSE(set.faces[b].caption.isEmpty()) << b;
        EXPECT_FALSE(set.faces[b].tooltip.isEmpty()) << b;
        contents += set.list.record(b)->content;
    }
    for (const QString &placeholder : GetParam().placeholders)
        EXPECT_TRUE(contents.contains(placeholder)) << placeholder.toStdString();
}

// Python's own HTML parser judges each fragment: "" when its elements are
// balanced, else what is wrong.
QStringList HtmlProblems(const QStringList &fragments)
{
    QProcess python;
    python.start(QStringLiteral(QUMO_PYTHON3), {QStringLiteral(QUMO_HTML_BALANCE)});
    python.write(QJsonDocument(QJsonArray::fromStringList(fragments)).toJson());
    python.closeWriteChannel();
    if (!python.waitForFinished(30000) || python.exitCode() != 0)
        return {QString::fromUtf8(python.readAllStandardError())};
    QStringList problems;
    for (const QJsonValue &value : QJsonDocument::fromJson(python.readAllStandardOutput()).array())
        problems.append(value.toString());
    return problems;
}

TEST(HtmlProblems, TellsBalancedFromUnbalanced)
{
    const QStringList fragments = {"<p>a<br>b</p>", "<!-- <b> -->", "<img src=\"a\" alt=\"\">",
                                   "a < b",         "<b>x</i>",     "<div>",
                                   "<p><span></p>", "</br>"};
    const QList<bool> balanced = {true, true, true, true, false, false, false, false};
    const QStringList problems = HtmlProblems(fragments);
    ASSERT_EQ(problems.size(), fragments.size()) << problems.join('|').toStdString();
    for (qsizetype i = 0; i < fragments.size(); ++i)
        EXPECT_EQ(problems[i].isEmpty(), balanced[i]) << fragments[i].toStdString();
}

// Each button expanded once against one request: every placeholder replaced,
// every caret inside its content, every element closed.
TEST_P(ShippedTagSets, EveryButtonExpandsToBalancedHtml)
{
    const LoadedSet set = LoadTagSet(AssetsDir, QString::fromUtf8(GetParam().name));
    ASSERT_TRUE(set.outcome.done());
    const QRegularExpression placeholder("\\*[a-z]+\\*");
    QStringList expanded;
    for (int b = 0; b < 40; ++b) {
        const ButtonRecord record = *set.list.record(b);
        TemplateRequest r;
        r.content = record.content;
        r.selectStart = record.selectStart;
        r.selectLength = record.selectLength;
        r.selection = "選択";
        r.alignment = "center";
        r.now = QDateTime(QDate(2026, 3, 5), QTime(9, 0));
        r.charset = "UTF-8";
        r.documentPath = AssetsDir + "index.html";
        const Expansion e = InsertTemplate(r, [](const QString &) { return AssetsDir + "readme.txt"; });
        EXPECT_FALSE(e.text.contains(placeholder)) << b << " " << e.text.toStdString();
        EXPECT_FALSE(e.text.contains("selst")) << b;
        EXPECT_LE(record.selectStart, EditorUnits::Length(DecodeLineBreaks(record.content))) << b;
        expanded.append(e.text);
    }
    if (!GetParam().wholeElements)
        return;
    const QStringList problems = HtmlProblems(expanded);
    ASSERT_EQ(problems.size(), expanded.size()) << problems.join('|').toStdString();
    for (qsizetype b = 0; b < expanded.size(); ++b)
        EXPECT_EQ(problems[b], QString()) << b << " " << expanded[b].toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Shipped, ShippedTagSets,
    ::testing::Values(
        ShippedTagSet{"HTML",
                      {"*text*", "*file*", "*width*", "*height*", "*color*", "*bgcol*", "*textc*", "*link*",
                       "*vlink*", "*alink*", "*align*", "*date*", "\\r\\n"},
                      // BODY色 writes a start tag to replace the page's own.
                      false},
        ShippedTagSet{"HTML5",
                      {"<meta charset=\"*charset*\">", "name=\"viewport\"", "lang=\"ja\"", "*text*", "*file*",
                       "*width*", "*height*", "alt=\"", "srcset=", "<rt></rt>", "<thead>", "<caption>",
                       "datetime=\"*isodate*\"", "color:*color*", "background-color:*bgcol*",
                       "rel=\"stylesheet\"", "<!--"},
                      true}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

namespace {

// Twenty swatches, each a colour face whose caption names it.
TEST(ShippedClipSet, TwentyColourSwatches)
{
    const QByteArray bytes = ReadFileBytes(AssetsDir + QStringLiteral("色見本.qmc"));
    EXPECT_TRUE(bytes.startsWith("text\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), bytes.count('\n'));
    const LoadedSet set = LoadClipSet(AssetsDir, QStringLiteral("色見本"));
    ASSERT_TRUE(set.outcome.done());
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
