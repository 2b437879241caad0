#include "placeholder_list.h"
#include "printers.h"
#include "template_expansion.h"
#include "template_text.h"
#include "test_files.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace Palettes;

const QDateTime Saturday(QDate(2002, 12, 7), QTime(10, 0));

TemplateRequest Request(const QString &content, int selectStart, int caseMode = 0,
                        const QString &selection = {})
{
    TemplateRequest r;
    r.content = content;
    r.selectStart = selectStart;
    r.caseMode = caseMode;
    r.selection = selection;
    r.now = Saturday;
    r.locale = QLocale(QLocale::Japanese, QLocale::Japan);
    return r;
}

TEST(ReplaceAll, EveryOccurrenceAndEndsWhenTheReplacementHoldsThePattern)
{
    const struct
    {
        QString subject, pattern, replacement, expected;
    } cases[] = {
        {"aaa", "a", "b", "bbb"},
        {"x*text*y*text*", "*text*", "*text*", "x*text*y*text*"},
        {"aXa", "a", "aa", "aaXaa"},
        {"abc", "", "z", "abc"},
        {"", "a", "b", ""},
        {"日本語の日本", "日本", "にほん", "にほん語のにほん"},
        {"*yyyy*", "*yy*", "02", "*yyyy*"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ReplaceAll(c.subject, c.pattern, c.replacement), c.expected) << c.subject.toStdString();
}

TEST(ColorToHtml, RedFirstInTheAskedCase)
{
    const struct
    {
        quint32 colour;
        bool lower;
        const char *html;
    } cases[] = {{0x0000FF, false, "#FF0000"}, {0x0000FF, true, "#ff0000"}, {0x0080FF, true, "#ff8000"},
                 {0xFFE0E0, false, "#E0E0FF"}, {0, true, "#000000"},        {0xFF123456, false, "#563412"}};
    for (const auto &c : cases)
        EXPECT_EQ(ColorToHtml(c.colour, c.lower), c.html) << c.colour;
}

TEST(MakeRelativePath, UpAndDownWithSlashes)
{
    const struct
    {
        const char *base, *target, *relative;
    } cases[] = {
        {"/site/", "/site/img/a.gif", "img/a.gif"},
        {"/site/sub/", "/site/a.gif", "../a.gif"},
        {"/site/sub/", "/site/sub2/a.gif", "../sub2/a.gif"},
        {"/site/", "/sitemap/a.gif", "../sitemap/a.gif"},
        {"/a/b/c/", "/x.gif", "../../../x.gif"},
        {"/Site/", "/site/a.gif", "../site/a.gif"},
        {"/ホーム/文書/", "/ホーム/画像/絵.png", "../画像/絵.png"},
        {"/site/", "img/a.gif", "img/a.gif"},
        {"", "/a.gif", ""},
        {"/site/", "", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MakeRelativePath(QString::fromUtf8(c.base), QString::fromUtf8(c.target)),
                  QString::fromUtf8(c.relative))
            << c.base << " " << c.target;
}

TEST(InsertTemplate, WorkedExamplesWithTheCaretInEditorUnits)
{
    TemplateColours red;
    red.color = 0x0000FF;
    const QString font = "<font color=\"*color*\">";
    const struct
    {
        TemplateRequest request;
        QString text;
        qsizetype caret;
    } cases[] = {
        {Request("<b>*text*</b>", 3, 0, "abc"), "<b>abc</b>", 3},
        {Request("<b>*text*</b>", 9, 0, "日本語"), "<b>日本語</b>", 9},
        {Request("見出し<h1>*text*</h1>", 10, 0, "本文"), "見出し<h1>本文</h1>", 10},
        {Request("見出し\\r\\n*text*", 8, 0, "x"), "見出し\nx", 8},
        {Request("あい", 1), "あい", 2}, // never inside a character
        {Request("<br>", 99), "<br>", 4},
        {Request("<br>", -5), "<br>", 0},
        {Request("*text*", 3, 0, "abc"), "*text*", 3},
        {Request("[*text*]", 1, 0, "a*text*b"), "[a*text*b]", 1},
        {Request("*text*", 0, 0, "x\\r\\ny"), "x\\r\\ny", 0},
        // The selection goes in as written: no later step rewrites it.
        {Request("*text*", 0, 0, "*yyyy*"), "*yyyy*", 0},
        {Request("<a>*text*</a>", 16, 0, "*link* *date*"), "<a>*link* *date*</a>", 20},
        {Request("<b>*text*</b>", 3, 0, "*selst*x"), "<b>*selst*x</b>", 3},
        {Request("<b>*text*</b>", 3, 0, "*file**filen*"), "<b>*file**filen*</b>", 3},
        {Request("*text*<i>*text*</i>", 9, 0, "日本"), "日本<i>日本</i>", 7},
        {Request("a*selst*b", 9), "a*selst*b", 9},
        {Request("*text*", 0, 0, QString(QChar(0xFDD0)) + QChar(0xFDD1)),
         QString(QChar(0xFDD0)) + QChar(0xFDD1), 0},
        {Request("*date*", 0), "2002年12月7日（土曜日）", 0},
        {Request("*bgcol* *textc* *link* *vlink* *alink*", 0), "#E0E0FF #000000 #2080A0 #905050 #FF4080", 0},
        {Request("*bgcol*", 0, 1), "#e0e0ff", 0},
        {Request("<img src=\"*filen*\">", 0), "<img src=\"*filen*\">", 0},
        {Request("*width*x*height*", 0), "0x0", 0},
        {Request("<P CLASS=\"Big\">*text*", 15, 1, "<B>"), "<p class=\"Big\"><B>", 15},
    };
    for (const auto &c : cases) {
        bool asked = false;
        const Expansion e =
            InsertTemplate(c.request, [&](const QString &) { return asked = true, QString(); });
        EXPECT_EQ(e.text, c.text) << c.request.content.toStdString();
        EXPECT_EQ(e.selectStart, c.caret) << c.request.content.toStdString();
        EXPECT_FALSE(asked) << c.request.content.toStdString();
        EXPECT_TRUE(e.messages.isEmpty());
    }

    const struct
    {
        int caseMode;
        const char *text;
    } fonts[] = {
        {0, "<font color=\"#FF0000\">"}, {1, "<font color=\"#ff0000\">"}, {2, "<FONT COLOR=\"#ff0000\">"}};
    for (const auto &c : fonts) {
        TemplateRequest r = Request(font, font.size(), c.caseMode);
        r.colours = red;
        const Expansion e = InsertTemplate(r, {});
        EXPECT_EQ(e.text, c.text) << c.caseMode;
        EXPECT_EQ(e.selectStart, 22) << c.caseMode;
    }
}

TEST(InsertTemplate, AlignmentDatesAndStoredSelectionLength)
{
    const struct
    {
        const char *alignment;
        int caseMode;
        const char *text;
    } cases[] = {{"none..", 2, "<P>"},
                 {"right", 0, "<p align=\"right\">right"},
                 {"right", 2, "<P ALIGN=\"RIGHT\">RIGHT"},
                 {"center", 1, "<p align=\"center\">center"}};
    for (const auto &c : cases) {
        TemplateRequest r = Request("<p*align*>*salign*", 0, c.caseMode);
        r.alignment = c.alignment;
        EXPECT_EQ(InsertTemplate(r, {}).text, c.text) << c.alignment << " " << c.caseMode;
    }

    TemplateRequest r = Request("*dd*.*mm*.*yy*", 0);
    r.now = QDateTime(QDate(2009, 3, 5), QTime(0, 0));
    EXPECT_EQ(InsertTemplate(r, {}).text, "5.3.09");
    for (const int stored : {4, 100, -3}) {
        r.selectLength = stored;
        EXPECT_EQ(InsertTemplate(r, {}).selectLength, qMax(0, stored));
    }
}

// The window gives the name of the code the document is saved in.
TEST(InsertTemplate, CharsetPutsTheCodesName)
{
    const struct
    {
        const char *charset;
        int caseMode;
        const char *content, *text;
    } cases[] = {
        {"Shift_JIS", 0, "<meta charset=\"*charset*\">", "<meta charset=\"Shift_JIS\">"},
        {"ISO-2022-JP", 1, "<meta charset=\"*charset*\">", "<meta charset=\"ISO-2022-JP\">"},
        {"EUC-JP", 2, "<meta charset=\"*charset*\">", "<META CHARSET=\"EUC-JP\">"},
        {"UTF-8", 0, "*Charset* *charset *charsets*", "*Charset* *charset *charsets*"},
    };
    for (const auto &c : cases) {
        TemplateRequest r = Request(c.content, 0, c.caseMode);
        r.charset = QString::fromLatin1(c.charset);
        EXPECT_EQ(InsertTemplate(r, {}).text, c.text) << c.charset << " " << c.content;
    }
}

TEST(InsertTemplate, IsoDateIsZeroPaddedWhereTheOthersAreNot)
{
    TemplateRequest r = Request("<time datetime=\"*isodate*\">*yyyy*年*mm*月*dd*日</time>", 0);
    r.now = QDateTime(QDate(2009, 3, 5), QTime(23, 59));
    EXPECT_EQ(InsertTemplate(r, {}).text, "<time datetime=\"2009-03-05\">2009年3月5日</time>");
}

// The button dialog's list and the expansion agree: nothing listed stays as typed.
TEST(PlaceholderList, EveryListedPlaceholderIsReplaced)
{
    const QList<PlaceholderHelp> list = PlaceholderList();
    ASSERT_FALSE(list.isEmpty());
    QTemporaryDir dir;
    const QString chosen = dir.filePath("a.png");
    ASSERT_TRUE(QImage(3, 2, QImage::Format_RGB32).save(chosen));
    for (const PlaceholderHelp &help : list) {
        EXPECT_FALSE(help.meaning.isEmpty()) << help.name.toStdString();
        TemplateRequest r = Request("[" + help.name + "]*file*", 0);
        r.alignment = "left";
        const Expansion e = InsertTemplate(r, [&](const QString &) { return chosen; });
        EXPECT_FALSE(e.text.contains(help.name)) << e.text.toStdString();
    }
}

class LinkedFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir(dir_.path()).mkpath("web/img"));
        ASSERT_TRUE(QImage(120, 45, QImage::Format_RGB32).save(path("web/img/logo.png")));
        WriteFileBytes(path("web/huge.png"), QByteArray(16, 'x') + QByteArray("\0\0\x13\x89\0\0\0\x01", 8));
        WriteFileBytes(path("web/page.html"), "<p>");
    }
    QString path(const QString &name) const { return dir_.path() + '/' + name; }

    // Expands `content` for the document web/index.html, choosing `chosen` (empty: cancelled).
    Expansion expand(const QString &content, const QString &chosen, const QString &last = {},
                     const QString &document = "web/index.html")
    {
        TemplateRequest r = Request(content, 0);
        r.documentPath = document.isEmpty() ? QString() : path(document);
        r.lastImageDocument = last;
        asked_.clear();
        return InsertTemplate(r, [&](const QString &folder) {
            asked_.append(folder);
            return chosen.isEmpty() ? QString() : path(chosen);
        });
    }

    QTemporaryDir dir_;
    QStringList asked_;
};

TEST_F(LinkedFile, RelativePathNameAndSize)
{
    const QString image = "<img src=\"*file*\" alt=\"*filen*\" width=*width* height=*height*>";
    Expansion e = expand(image, "web/img/logo.png");
    EXPECT_EQ(e.text, "<img src=\"img/logo.png\" alt=\"logo.png\" width=120 height=45>");
    EXPECT_EQ(asked_, QStringList{path("web")});
    EXPECT_EQ(e.lastImageDocument, path("web/index.html"));
    EXPECT_TRUE(e.messages.isEmpty());

    // The same document again: the dialog opens where it was last left.
    e = expand(image, "web/img/logo.png", path("web/index.html"));
    EXPECT_EQ(asked_, QStringList{QString()});

    e = expand("*file*|*filen*|*width*", "web/img/logo.png", {}, "web/sub/new.html");
    EXPECT_EQ(e.text, "../img/logo.png|logo.png|120");

    e = expand("*file*|*filen*|*width*", "web/img/logo.png", {}, {}); // an unsaved document
    EXPECT_EQ(e.text, path("web/img/logo.png") + "|logo.png|120");
}

TEST_F(LinkedFile, CancelledOtherAndUnreadableFiles)
{
    const TemplateMessage cannotOpen{"ファイルのオープンの失敗", "ファイルがオープンできません"};
    const TemplateMessage noSize{"", "この形式の画像サイズは所得できません"};
    const struct
    {
        const char *chosen;
        const char *text;
        QList<TemplateMessage> messages;
    } cases[] = {
        {"", "[||0x0]", {}},
        {"web/page.html", "[page.html|page.html|0x0]", {}},
        {"web/huge.png", "[huge.png|huge.png|0x0]", {noSize}},
        {"web/gone.gif", "[gone.gif|gone.gif|0x0]", {cannotOpen, noSize}},
    };
    for (const auto &c : cases) {
        const Expansion e = expand("[*file*|*filen*|*width*x*height*]", c.chosen);
        EXPECT_EQ(e.text, c.text) << c.chosen;
        EXPECT_EQ(e.messages, c.messages) << c.chosen;
        EXPECT_EQ(asked_.size(), 1) << c.chosen;
    }
}

} // namespace
