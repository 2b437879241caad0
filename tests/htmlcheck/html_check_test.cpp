#include "../codeconv/iconv_oracle.h"
#include "check_runner.h"
#include "document.h"
#include "editor_options.h"
#include "html_check.h"
#include "stored_text.h"
#include "test_files.h"
#include "tidy_structure.h"

#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

using HtmlCheck::Finding;
using HtmlCheck::Severity;
constexpr Severity E = Severity::Error, W = Severity::Warning;

struct Expected
{
    qsizetype line, column;
    Severity severity;
    const char16_t *says; // a part of the message
};

// A page: doctype (line 1), head with `charset` (line 2), <body> (line 3), `body` from line 4.
QString Page(const QString &body, const QString &charset = QStringLiteral("<meta charset=\"UTF-8\">"),
             const QString &doctype = QStringLiteral("<!DOCTYPE html>"))
{
    return doctype + QStringLiteral("\n<html lang=\"ja\"><head>") + charset +
           QStringLiteral("<title>題</title></head>\n<body>\n") + body + QStringLiteral("\n</body></html>\n");
}

QString Meta(DocumentCode code)
{
    return QStringLiteral("<meta charset=\"%1\">").arg(CharsetName(code));
}

const char *IconvName(DocumentCode code)
{
    return code == DocumentCode::Sjis ? "CP932" : code == DocumentCode::Euc ? "EUC-JP" : "UTF-8";
}

class HtmlCheckTest : public ::testing::Test
{
protected:
    HtmlCheckTest()
    {
        document.attach(&text);
        const struct
        {
            const char *name;
            QSize size;
        } images[] = {
            {"ok.png", {40, 30}}, {"photo.jpg", {64, 48}}, {"anim.png", {16, 16}}, {"画像.png", {40, 30}}};
        for (const auto &i : images) {
            QImage image(i.size, QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            EXPECT_TRUE(image.save(dir.filePath(QString::fromUtf8(i.name)))) << i.name;
        }
        // Qt reads GIF but does not write it.
        EXPECT_EQ(QProcess::execute(QStringLiteral("convert"), {dir.filePath(QStringLiteral("anim.png")),
                                                                dir.filePath(QStringLiteral("anim.gif"))}),
                  0);
    }

    // Writes `bytes` as `name` and reads it as the editor does; "@@" in the
    // text stands for what the user typed since.
    HtmlCheck::CheckInput OpenBytes(const QString &name, const QByteArray &bytes,
                                    std::optional<DocumentCode> code, const QString &typed = {})
    {
        WriteFileBytes(dir.filePath(name), bytes);
        EXPECT_TRUE(document.load(dir.filePath(name), code).done());
        QString stored = TextTools::StoredText(text);
        stored.replace(QStringLiteral("@@"), typed);
        return {stored, document.path(), document.format(), document.mixedLineEnds()};
    }
    HtmlCheck::CheckInput Open(const QString &name, const QString &page, DocumentCode code,
                               const QString &typed = {})
    {
        const auto bytes = Iconv("UTF-8", IconvName(code), page.toStdString());
        EXPECT_TRUE(bytes.has_value());
        return OpenBytes(name, QByteArray::fromStdString(bytes.value_or("")), code, typed);
    }

    static void ExpectFindings(const HtmlCheck::Report &report, const std::vector<Expected> &expected,
                               const QString &row)
    {
        QString all;
        for (const Finding &f : report.findings)
            all += QStringLiteral("%1:%2 %3 %4\n")
                       .arg(f.line)
                       .arg(f.column)
                       .arg(SeverityName(f.severity), f.message);
        ASSERT_EQ(report.findings.size(), qsizetype(expected.size())) << row.toStdString() << "\n"
                                                                      << all.toStdString();
        for (size_t i = 0; i < expected.size(); ++i) {
            const Finding &f = report.findings[qsizetype(i)];
            const Expected &x = expected[i];
            EXPECT_EQ(std::tuple(f.line, f.column, f.severity), std::tuple(x.line, x.column, x.severity))
                << row.toStdString() << "\n"
                << all.toStdString();
            EXPECT_TRUE(f.message.contains(QString::fromUtf16(x.says))) << row.toStdString() << "\n"
                                                                        << all.toStdString();
        }
    }

    QTemporaryDir dir;
    QTextDocument text;
    FixedOptions options;
    Document document{&options};
};

TEST_F(HtmlCheckTest, PagesInEachCodeReportWhatIsWrongWhereItIs)
{
    using C = DocumentCode;
    const QString emoji = QStringLiteral("😀");
    const QString html401 =
        QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");
    // HTML 4 has no <meta charset>.
    const QString equiv =
        QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\">");
    const QString strict401 = QStringLiteral(
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">");
    const struct
    {
        C code;
        QString page;
        std::vector<Expected> expected;
        QString typed = {};
    } rows[] = {
        // Clean pages report nothing.
        {C::Utf8,
         Page(QStringLiteral("<p>きれい<img src=\"ok.png\" alt=\"図\" width=\"40\" height=\"30\"></p>")),
         {}},
        {C::Sjis, Page(QStringLiteral("<p>きれい①</p>"), Meta(C::Sjis)), {}},
        {C::Euc, Page(QStringLiteral("<p>きれい</p>"), Meta(C::Euc)), {}},
        {C::Utf8,
         Page(QStringLiteral("<font color=\"red\">赤</font><center>中</center>"), equiv, html401),
         {}},
        // Structure, from tidy.
        {C::Sjis, Page(QStringLiteral("<p><b>太字のまま</p>"), Meta(C::Sjis)), {{4, 4, W, u"</b>"}}},
        {C::Utf8,
         Page(QStringLiteral("<p><b>太字のまま</p>\n<p>次も太字</p>")),
         {{4, 4, W, u"</p> の前に </b> がありません"}, {5, 4, W, u"閉じていない <b> がここにも続きます"}}},
        {C::Euc,
         Page(QStringLiteral("<ul><li>項目</p></li></ul>"), Meta(C::Euc)),
         {{4, 11, W, u"<p> の開始タグが補われます"}}},
        {C::Utf8,
         Page(QStringLiteral("<div id=\"a\">一</div><div id=\"a\">二</div>")),
         {{4, 20, W, u"id「a」"}}},
        {C::Utf8,
         Page(QStringLiteral("<zork>謎</zork>")),
         {{4, 1, E, u"<zork> は知られていない要素です"},
          {4, 1, W, u"<zork> はここに書けない"},
          {4, 8, W, u"</zork> はここに書けない"}}},
        {C::Utf8,
         Page(QStringLiteral("<font color=\"red\">赤</font>")),
         {{4, 1, E, u"<font> 要素は HTML5 では使えません"}, {4, 1, E, u"「color」"}}},
        {C::Sjis,
         Page(QStringLiteral("<p align=\"center\">中</p>"), Meta(C::Sjis)),
         {{4, 1, E, u"「align」"}}},
        {C::Utf8,
         Page(QStringLiteral("<center>中</center>"), equiv, strict401),
         {{4, 1, E, u"HTML 4.01 Strict"}}},
        // The charset against the save code.
        {C::Sjis,
         Page(QStringLiteral("<p>日本</p>")),
         {{2, 23, E, u"「UTF-8」が保存する文字コード Shift_JIS と違います"}}},
        {C::Utf8, Page(QStringLiteral("<p>日本</p>"), Meta(C::Sjis)), {{2, 23, E, u"「Shift_JIS」"}}},
        {C::Euc,
         Page(QStringLiteral("<p>日本</p>"),
              QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">")),
         {{2, 23, E, u"EUC-JP と違います"}}},
        {C::Euc, Page(QStringLiteral("<p>日本</p>"), QStringLiteral("<meta charset=\"x-euc-jp\">")), {}},
        {C::Utf8, Page(QStringLiteral("<p>日本</p>"), QString()), {{1, 1, W, u"文字コードの宣言"}}},
        {C::Utf8,
         Page(QStringLiteral("<p>@@</p>"), Meta(C::Euc)),
         {{2, 23, E, u"「EUC-JP」"}, {4, 4, W, u"宣言された文字コード EUC-JP で表せない文字「😀」(U+1F600)"}},
         emoji},
        // Characters the save code cannot hold.
        {C::Sjis,
         Page(QStringLiteral("<p>絵@@</p>"), Meta(C::Sjis)),
         {{4, 5, E, u"Shift_JIS で表せない文字「😀」"}},
         emoji},
        {C::Euc,
         Page(QStringLiteral("<p>@@</p>"), Meta(C::Euc)),
         {{4, 4, E, u"EUC-JP で表せない文字「😀」"}},
         emoji},
    };
    for (const auto &row : rows) {
        const HtmlCheck::Report report =
            HtmlCheck::CheckDocument(Open(QStringLiteral("page.html"), row.page, row.code, row.typed));
        EXPECT_TRUE(report.structure.done());
        EXPECT_TRUE(report.html);
        ExpectFindings(report, row.expected, CodeName(row.code) + u' ' + row.page);
    }
}

TEST_F(HtmlCheckTest, ManyUnholdableCharactersStopAfterAHundred)
{
    const auto report = HtmlCheck::CheckDocument(
        Open(QStringLiteral("many.html"), Page(QStringLiteral("<p>@@</p>"), Meta(DocumentCode::Euc)),
             DocumentCode::Euc, QStringLiteral("😀").repeated(150)));
    ASSERT_EQ(report.findings.size(), 101);
    EXPECT_EQ(report.findings[0].column, 4);
    EXPECT_EQ(report.findings[99].column, 103); // one column each, though two code units
    EXPECT_TRUE(report.findings[100].message.startsWith(u"ほかにも"));
}

TEST_F(HtmlCheckTest, AByteOrderMarkWithAnotherDeclarationIsAWarning)
{
    const struct
    {
        QString meta;
        std::vector<Expected> expected;
    } rows[] = {
        {Meta(DocumentCode::Sjis), {{2, 23, W, u"BOM 付きの UTF-8"}}},
        {Meta(DocumentCode::Utf8), {}},
    };
    for (const auto &row : rows) {
        const QByteArray bytes =
            QByteArray("\xEF\xBB\xBF") + Page(QStringLiteral("<p>印</p>"), row.meta).toUtf8();
        const auto input = OpenBytes(QStringLiteral("bom.html"), bytes, std::nullopt);
        ASSERT_TRUE(input.format.bom);
        ExpectFindings(HtmlCheck::CheckDocument(input), row.expected, row.meta);
    }
}

TEST_F(HtmlCheckTest, LocalFilesAndImagesAreCheckedInTheDocumentsFolder)
{
    const struct
    {
        QString body;
        std::vector<Expected> expected;
    } rows[] = {
        {QStringLiteral("<img src=\"none.png\" alt=\"無\">"), {{4, 1, E, u"「none.png」がありません"}}},
        {QStringLiteral("<img src=\"ok.png\">"), {{4, 1, W, u"alt"}}},
        {QStringLiteral("<img src=\"ok.png\" alt=\"\" width=\"41\" height=\"30\">"),
         {{4, 1, W, u"width=41 height=30 が画像「ok.png」の大きさ 40×30 と違います"}}},
        {QStringLiteral("<img src=\"photo.jpg\" alt=\"写\" width=\"64\" height=\"40\">"),
         {{4, 1, W, u"64×48"}}},
        {QStringLiteral("<img src=\"anim.gif\" alt=\"a\" width=\"16\" height=\"16\"> <img src=\"anim.gif\" "
                        "alt=\"b\" height=\"8\">"),
         {{4, 53, W, u"height=8 が"}}},
        {QStringLiteral("<img src=\"ok.png\" alt=\"幅\" width=\"50%\">"), {}},
        {QStringLiteral("<img src=\"%E7%94%BB%E5%83%8F.png?v=1\" alt=\"x\" width=\"40\" height=\"30\">"), {}},
        {QStringLiteral(
             "<a href=\"nothere.html\">x</a> <a href=\"http://example.com/\">y</a>\n"
             "<a href=\"mailto:a@example.com\">m</a> <a href=\"#top\">t</a> <a href=\"ok.png#x\">p</a>"),
         {{4, 1, E, u"<a> の href が指すファイル「nothere.html」がありません"}}},
        {QStringLiteral(
             "<p style=\"background: url('gone.png')\">x</p><p style=\"background: url(ok.png)\">y</p>"),
         {{4, 1, E, u"url() が指すファイル「gone.png」"}}},
    };
    for (const auto &row : rows)
        ExpectFindings(
            HtmlCheck::CheckDocument(Open(QStringLiteral("links.html"), Page(row.body), DocumentCode::Utf8)),
            row.expected, row.body);
}

TEST_F(HtmlCheckTest, TextDocumentsGetOnlyTheirCharactersAndLineEndsChecked)
{
    const struct
    {
        QByteArray bytes;
        std::optional<DocumentCode> code;
        std::vector<Expected> expected;
        QString typed = {};
    } rows[] = {
        {"<b>not html\r\n", DocumentCode::Sjis, {}},
        {"one\r\ntwo\nthree\r\n", DocumentCode::Sjis, {{1, 1, W, u"改行コードが混在"}}},
        {"ab@@\n", DocumentCode::Euc, {{1, 3, E, u"EUC-JP で表せない文字「😀」"}}, QStringLiteral("😀")},
        // A byte that is no Shift_JIS character is kept as it was read.
        {"ab\x82\ncd", DocumentCode::Sjis, {{1, 3, W, u"バイト 0x82"}}},
    };
    for (const auto &row : rows) {
        const HtmlCheck::Report report =
            HtmlCheck::CheckDocument(OpenBytes(QStringLiteral("memo.txt"), row.bytes, row.code, row.typed));
        EXPECT_FALSE(report.html);
        ExpectFindings(report, row.expected, QString::fromLatin1(row.bytes));
    }
}

TEST_F(HtmlCheckTest, APageTidyCannotReadIsReportedAsNotChecked)
{
    const QString deep = Page(QStringLiteral("<div>").repeated(HtmlCheck::MaxNesting + 1));
    const HtmlCheck::Report report =
        HtmlCheck::CheckDocument(Open(QStringLiteral("deep.html"), deep, DocumentCode::Utf8));
    EXPECT_FALSE(report.structure.done());
    // Its <meta charset> is not taken for missing.
    ASSERT_EQ(report.findings.size(), 1);
    EXPECT_EQ(report.findings[0].severity, E);
    EXPECT_TRUE(report.findings[0].message.contains(u"構造を調べられませんでした"));
}

TEST_F(HtmlCheckTest, TheRunnerReportsOnlyTheLastCheckAskedFor)
{
    HtmlCheck::CheckRunner runner;
    QSignalSpy finished(&runner, &HtmlCheck::CheckRunner::finished);
    const QString divs = QStringLiteral("<div>").repeated(HtmlCheck::MaxNesting - 10);
    runner.start(Open(QStringLiteral("deep.html"), Page(divs), DocumentCode::Utf8));
    EXPECT_TRUE(runner.running());
    runner.start(
        Open(QStringLiteral("deep.html"), Page(QStringLiteral("<zork>") + divs), DocumentCode::Utf8));
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_FALSE(finished.wait(500));
    ASSERT_EQ(finished.size(), 1);
    const auto report = finished[0][0].value<HtmlCheck::Report>();
    EXPECT_TRUE(report.structure.done());
    EXPECT_TRUE(std::any_of(report.findings.cbegin(), report.findings.cend(),
                            [](const Finding &f) { return f.message.contains(u"<zork>"); }));
}

} // namespace
