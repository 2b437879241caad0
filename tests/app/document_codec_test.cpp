#include "cp932.h"
#include "document_codec.h"
#include "document_filters.h"
#include "jconvert.h"

#include <gtest/gtest.h>

namespace {

const QString Japanese = QStringLiteral("日本語のテキスト\nｶﾀｶﾅ and ASCII");

QByteArray Sjis(const QString &text)
{
    return Cp932::Encode(text);
}

QByteArray Convert(const QByteArray &sjis, int code)
{
    const std::string out = Jconvert::ConvertJCode(std::string(sjis.constData(), sjis.size()), code);
    return QByteArray(out.data(), qsizetype(out.size()));
}

TEST(DocumentConversionRules, LoadConvertsOnlyHtmlUnlessAll)
{
    DocumentCodeOptions o;
    EXPECT_FALSE(ConvertsOnLoad(QStringLiteral("/d/a.html"), o)) << "AutoDecode off";
    o.autoDecode = true;
    EXPECT_TRUE(ConvertsOnLoad(QStringLiteral("/d/a.html"), o));
    EXPECT_FALSE(ConvertsOnLoad(QStringLiteral("/d/a.shtml"), o)) << "\".shtml\" holds no \".htm\"";
    EXPECT_FALSE(ConvertsOnLoad(QStringLiteral("/d/a.txt"), o));
    EXPECT_FALSE(ConvertsOnLoad(QStringLiteral("/d/PAGE.HTM"), o)) << "the test is case-sensitive";
    EXPECT_FALSE(ConvertsOnLoad(QStringLiteral("/d.htm/readme"), o)) << "a folder's dot is no extension";
    EXPECT_TRUE(ConvertsOnLoad(QStringLiteral("/c/Temporary Internet Files/x/a.txt"), o));
    o.decodeAll = true;
    EXPECT_TRUE(ConvertsOnLoad(QStringLiteral("/d/a.txt"), o));
}

TEST(DocumentConversionRules, SaveConvertsOnlyForANonDefaultCodeAndHtml)
{
    DocumentCodeOptions o;
    o.decodeAll = true;
    EXPECT_FALSE(ConvertsOnSave(QStringLiteral("page.html"), o))
        << "Shift_JIS and CR LF are the editor's own";
    o.decodeAll = false;
    o.charCode = 1;
    EXPECT_TRUE(ConvertsOnSave(QStringLiteral("page.html"), o));
    EXPECT_FALSE(ConvertsOnSave(QStringLiteral("notes.txt"), o));
    EXPECT_FALSE(ConvertsOnSave(QStringLiteral("PAGE.HTM"), o));
    o.charCode = 0;
    o.retCode = 2;
    EXPECT_TRUE(ConvertsOnSave(QStringLiteral("page.htm"), o));
    o.decodeAll = true;
    EXPECT_TRUE(ConvertsOnSave(QStringLiteral("notes.txt"), o));
}

TEST(DocumentLoad, WithoutConversionLineEndsOfAnyKindAndNoFinalBreak)
{
    EXPECT_EQ(DocumentTextFromBytes(QByteArray("a") + "\r\nb\rc\nd", false), QStringLiteral("a\nb\nc\nd"));
    EXPECT_EQ(DocumentTextFromBytes("", false), QString());
}

TEST(DocumentLoad, ConversionReadsEucAndJisAndKeepsALastLineWithoutEnd)
{
    const QByteArray sjis = Sjis(Japanese);
    EXPECT_EQ(DocumentTextFromBytes(Convert(sjis, Jconvert::JC_EUC), true), Japanese);
    // JIS has no half-width katakana: they come back full-width.
    const QString fullWidth = QStringLiteral("日本語のテキスト\nカタカナ and ASCII");
    EXPECT_EQ(DocumentTextFromBytes(Convert(sjis, Jconvert::JC_JIS_NEW), true), fullWidth);
    EXPECT_EQ(DocumentTextFromBytes(sjis + "\r\n", true), Japanese + u'\n');
    EXPECT_EQ(DocumentTextFromBytes("a\rb\r", true), QStringLiteral("a\nb\n")) << "lone CRs";
    EXPECT_EQ(JoinLinesWithCrLf("a\r\n\nb"), "a\r\n\r\nb\r\n");
    EXPECT_EQ(JoinLinesWithCrLf(""), "");
}

TEST(DocumentLoad, NulBytesAreKeptNotCut)
{
    const QByteArray withNul("ab\0cd\r\n", 7);
    for (const bool convert : {false, true}) {
        const QString text = DocumentTextFromBytes(withNul, convert);
        EXPECT_EQ(text.size(), 6) << convert;
        EXPECT_EQ(DocumentBytesFromText(text, false, {}), withNul) << convert;
    }
}

TEST(DocumentSave, ChosenCodeAndLineEnd)
{
    DocumentCodeOptions o;
    const QString text = Japanese + u'\n';
    const QByteArray sjis = Sjis(text);
    EXPECT_EQ(DocumentBytesFromText(text, false, o), sjis);
    o.charCode = 1;
    const QByteArray jis = DocumentBytesFromText(text, true, o);
    EXPECT_EQ(jis, Convert(sjis, Jconvert::JC_JIS_NEW));
    EXPECT_TRUE(jis.contains("\x1b$B"));
    o.charCode = 2;
    EXPECT_EQ(DocumentBytesFromText(text, true, o), Convert(sjis, Jconvert::JC_EUC));
    o.charCode = 0;
    o.retCode = 2;
    const QByteArray lf = DocumentBytesFromText(text, true, o);
    EXPECT_FALSE(lf.contains('\r'));
    EXPECT_EQ(lf, QByteArray(sjis).replace("\r\n", "\n")) << "LF line ends, Shift_JIS text";
    o.retCode = 1;
    EXPECT_EQ(DocumentBytesFromText(text, true, o), QByteArray(sjis).replace("\r\n", "\r"));
    o.charCode = 2;
    EXPECT_EQ(DocumentBytesFromText(QString(), true, o), QByteArray()) << "an empty text is written empty";
}

TEST(DocumentFilters, SaveAsStartFilterAndExtensions)
{
    EXPECT_EQ(SaveAsStartFilter(0, QString()), 0);
    EXPECT_EQ(SaveAsStartFilter(FilterCgi, QStringLiteral(".html")), FilterHtml);
    EXPECT_EQ(SaveAsStartFilter(FilterCgi, QStringLiteral(".txt")), FilterText);
    EXPECT_EQ(SaveAsStartFilter(FilterCgi, QStringLiteral(".TXT")), FilterCgi);

    EXPECT_EQ(WithExtensionForFilter(QStringLiteral("/d/index"), FilterHtml, false, {}), "/d/index.html");
    EXPECT_EQ(WithExtensionForFilter(QStringLiteral("/d/index"), FilterHtml, true, {}), "/d/index.htm");
    EXPECT_EQ(WithExtensionForFilter(QStringLiteral("/d/index"), FilterText, false, {}), "/d/index.txt");
    EXPECT_EQ(WithExtensionForFilter(QStringLiteral("/d/index"), FilterReadable, false, ".cgi"),
              "/d/index.cgi");
    EXPECT_EQ(WithExtensionForFilter(QStringLiteral("/d/index"), FilterIni, false, ".txt"), "/d/index");
    EXPECT_EQ(WithExtensionForFilter(QStringLiteral("/d/a.b"), FilterHtml, false, {}), "/d/a.b");

    const QStringList filters = DocumentNameFilters();
    ASSERT_EQ(filters.size(), 6);
    EXPECT_EQ(DocumentFilterIndex(filters[2]), FilterHtml);
    EXPECT_EQ(DocumentFilterIndex(QStringLiteral("other (*)")), 0);
    EXPECT_TRUE(filters[0].startsWith(QStringLiteral("読み込み可能ﾌｧｲﾙ(*.txt/*.html) (*.txt *.html *.htm")));
}

TEST(DocumentFilters, NewDocumentGoesToTheFolderOfThePrevious)
{
    EXPECT_EQ(NewDocumentPath(QStringLiteral("/home/u/a.txt"), false), "/home/u/newtext.txt");
    EXPECT_EQ(NewDocumentPath(QStringLiteral("/home/u/a.txt"), true), "/home/u/newhtml.html");
    EXPECT_EQ(NewDocumentPath(QStringLiteral("/a.txt"), false), "/newtext.txt");
}

} // namespace
