// Replacing in a file's text gives the file's bytes back with only the changed
// lines different, in every code: expectations made with iconv.
#include "../codeconv/iconv_oracle.h"
#include "document_store.h"
#include "replace_plan.h"
#include "test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace FolderSearch;

QByteArray Encoded(const char *code, const std::string &utf8)
{
    const std::optional<std::string> bytes = Iconv("UTF-8", code, utf8);
    EXPECT_TRUE(bytes.has_value()) << code;
    return QByteArray::fromStdString(bytes.value_or(std::string()));
}

struct Row
{
    const char *code;   // iconv's name
    QByteArray mark;    // byte-order mark written before the text
    const char *before; // UTF-8, line ends as in the file
    const char *search;
    bool expression;
    const char *replacement;
    const char *after;
    int changedLines;
};

const Row Rows[] = {
    {"CP932",
     {},
     "一行目\r\n二行目 ＡＢ\r\n三行目\r\n",
     "ＡＢ",
     false,
     "エービー",
     "一行目\r\n二行目 エービー\r\n三行目\r\n",
     1},
    {"EUC-JP", {}, "見出し\n本文の行\n本文の行\n", "本文", false, "文章", "見出し\n文章の行\n文章の行\n", 2},
    {"ISO-2022-JP",
     {},
     "漢字 and ASCII\r\nもう一行\r\n",
     "もう",
     false,
     "さらに",
     "漢字 and ASCII\r\nさらに一行\r\n",
     1},
    {"UTF-8", {}, "<p>古い</p>\n<p>古い</p>", "古い", false, "新しい", "<p>新しい</p>\n<p>新しい</p>", 2},
    {"UTF-8", "\xEF\xBB\xBF", "a\r\nb\r\n", "b", false, "c", "a\r\nc\r\n", 1},
    {"UTF-16LE", "\xFF\xFE", "行1\r\n行2\n", "行2", false, "二", "行1\r\n二\n", 1},
    // Each line keeps its own end; a new break takes the end of the lines it replaces.
    {"CP932", {}, "a1\r\nb2\nc3\r\n", "b(\\d)", true, "B\\1[RET]x", "a1\r\nB2\nx\nc3\r\n", 1},
    // A match across a line end joins the lines.
    {"EUC-JP",
     {},
     "上の行\r\n下の行\r\n終わり\r\n",
     "上の行\\n下",
     true,
     "合わせた",
     "合わせたの行\r\n終わり\r\n",
     1},
    {"CP932", {}, "x[RET]y\r\nz\r\n", "y[RET]z", false, "-", "x[RET]-\r\n", 1},
    // Replaced by itself: nothing changes.
    {"CP932", {}, "same\r\n", "same", false, "same", "same\r\n", 0},
};

TEST(ReplacePlan, OnlyTheChangedLinesDifferInEveryCode)
{
    QTemporaryDir dir;
    for (const Row &row : Rows) {
        SCOPED_TRACE(std::string(row.code) + " " + row.before);
        const QString path = dir.filePath(QStringLiteral("page.html"));
        const QByteArray bytes = row.mark + Encoded(row.code, row.before);
        WriteFileBytes(path, bytes);
        // As the editor reads pages when AutoDecode is on.
        const DocumentRead read = ReadDocument(path, {std::nullopt, std::string_view(row.code) == "EUC-JP"});
        ASSERT_TRUE(read.outcome.done());
        TextTools::SearchOptions options;
        options.matchCase = true;
        options.regularExpression = row.expression;
        const ReplacePlan plan =
            PlanReplace(read.text, read.lineEnds,
                        TextTools::SearchPattern::forReplacing(QString::fromUtf8(row.search), options),
                        QString::fromUtf8(row.replacement));
        EXPECT_EQ(qsizetype(plan.changes.size()), row.changedLines);
        if (plan.changes.empty())
            continue;
        const EncodedFile encoded = EncodeReplaced(plan, bytes, read.code, read.bom);
        ASSERT_TRUE(encoded.outcome.done()) << encoded.outcome.message.toStdString();
        EXPECT_EQ(encoded.bytes, row.mark + Encoded(row.code, row.after));
    }
}

TEST(ReplacePlan, UntouchedLinesKeepFormsTheEncoderWouldNotWrite)
{
    // 0xED40 is the NEC-selected form of 纊, which code page 932 writes as 0xFA5C;
    // ESC ( J is JIS Roman, which the editor's JIS never writes.
    const struct
    {
        QByteArray bytes;
        QByteArray expected;
    } rows[] = {
        {"\xED\x40\r\nold\r\n", "\xED\x40\r\nnew\r\n"},
        {"\x1B(Jabc\x1B(B\nold\n", "\x1B(Jabc\x1B(B\nnew\n"},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.txt"));
    for (const auto &row : rows) {
        WriteFileBytes(path, row.bytes);
        const DocumentRead read = ReadDocument(path, {});
        const ReplacePlan plan =
            PlanReplace(read.text, read.lineEnds, TextTools::SearchPattern(QStringLiteral("old"), {true}),
                        QStringLiteral("new"));
        const EncodedFile encoded = EncodeReplaced(plan, row.bytes, read.code, read.bom);
        ASSERT_TRUE(encoded.outcome.done());
        EXPECT_EQ(encoded.bytes, row.expected);
    }
}

TEST(ReplacePlan, ACharacterTheCodeLacksStopsTheFile)
{
    const QByteArray bytes = Encoded("CP932", "一\r\n二\r\n");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sjis.txt"));
    WriteFileBytes(path, bytes);
    const DocumentRead read = ReadDocument(path, {});
    const ReplacePlan plan =
        PlanReplace(read.text, read.lineEnds, TextTools::SearchPattern(QStringLiteral("二"), {true}),
                    QStringLiteral("😀"));
    const EncodedFile encoded = EncodeReplaced(plan, bytes, read.code, read.bom);
    EXPECT_EQ(encoded.outcome.kind, Outcome::Failed);
    EXPECT_TRUE(encoded.outcome.message.startsWith(QStringLiteral("2行目の「😀」")))
        << encoded.outcome.message.toStdString();
}

} // namespace
