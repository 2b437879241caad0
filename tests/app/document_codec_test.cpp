#include "document_codec.h"
#include "document_filters.h"

#include <gtest/gtest.h>

namespace {

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
