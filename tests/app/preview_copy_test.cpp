#include "document.h"
#include "editor_options.h"
#include "preview_copy.h"
#include "preview_source.h"
#include "test_files.h"

#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

// "{3}" in `pattern` stands for the marker of line 3.
QString WithMarkers(QString pattern)
{
    static const QRegularExpression place(QStringLiteral("\\{(\\d+)\\}"));
    QString out;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &m : place.globalMatch(pattern)) {
        out += pattern.mid(from, m.capturedStart() - from) + PreviewCopy::LineMarker(m.captured(1).toInt());
        from = m.capturedEnd();
    }
    return out + pattern.mid(from);
}

TEST(PreviewCopyTest, MarkersStartTheBodysLinesOutsideMarkup)
{
    const struct
    {
        const char16_t *page;
        const char16_t *marked;
    } rows[] = {
        {u"a\nb", u"{0}a\n{1}b"},
        {u"<!DOCTYPE html>\n<p>a\n<p>b", u"<!DOCTYPE html>{0}\n{1}<p>a\n{2}<p>b"},
        // The head stays as it is, so a browser still finds <meta charset>.
        {u"<html><head>\n<meta charset=\"Shift_JIS\">\n<title>a\nb</title></head><BODY "
         u"bgcolor=\"#fff\">x\ny</body>",
         u"<html><head>\n<meta charset=\"Shift_JIS\">\n<title>a\nb</title></head><BODY "
         u"bgcolor=\"#fff\">{3}x\n{4}y</body>"},
        {u"<meta charset=utf-8>\nx", u"<meta charset=utf-8>{0}\n{1}x"},
        {u"<body>\n<script>\nif (a<b) {}\n</script>\n<!-- a\nb -->\n<p "
         u"title=\"a\nb>\">c\n<textarea>\nq\n</TEXTAREA>\nend",
         u"<body>{0}\n{1}<script>\nif (a<b) {}\n</script>\n{4}<!-- a\nb -->\n{6}<p "
         u"title=\"a\nb>\">c\n{8}<textarea>\nq\n</"
         u"TEXTAREA>\n{11}end"},
        {u"<body>\n<style>p{}\n</stylex>\n</style >\nz",
         u"<body>{0}\n{1}<style>p{}\n</stylex>\n</style >\n{4}z"},
        {u"<body>a\u2029b\u20291 < 2\u2029<!-->\u2029c",
         u"<body>{0}a\u2029{1}b\u2029{2}1 < 2\u2029{3}<!-->\u2029{4}c"},
        // Never closed: the rest is the comment's, or the tag's.
        {u"<body>\n<!-- a\nb", u"<body>{0}\n{1}<!-- a\nb"},
        {u"<body>\n<p class=\"a\nb", u"<body>{0}\n{1}<p class=\"a\nb"},
    };
    for (const auto &row : rows) {
        const QString page = QString::fromUtf16(row.page);
        EXPECT_EQ(PreviewCopy::MarkedPage(page, false), WithMarkers(QString::fromUtf16(row.marked)))
            << page.toStdString();
    }
}

TEST(PreviewCopyTest, VerticalStyleGoesWhereTheBodyStarts)
{
    EXPECT_EQ(PreviewCopy::MarkedPage(u"<!DOCTYPE html><body>x", true),
              QStringLiteral("<!DOCTYPE html><body>") + PreviewCopy::VerticalStyle() +
                  PreviewCopy::LineMarker(0) + u'x');
}

TEST(PreviewCopyTest, TextPageHoldsTheLinesAsText)
{
    const struct
    {
        const char16_t *text;
        bool vertical;
        const char16_t *body;
    } rows[] = {
        {u"a<b&c>\n  d", false, u"{0}a&lt;b&amp;c&gt;\n{1}  d"},
        {u"縦\u2029\u2029書き", true, u"{0}縦\n{1}\n{2}書き"},
    };
    for (const auto &row : rows) {
        const QString page = QString::fromUtf8(
            PreviewCopy::TextPage(QString::fromUtf16(row.text), "IPAGothic", 10.5, row.vertical));
        const qsizetype body = page.indexOf(u"<body>") + 6;
        EXPECT_EQ(page.mid(body, page.indexOf(u"</body>") - body), WithMarkers(QString::fromUtf16(row.body)));
        EXPECT_TRUE(page.contains(u"font-family:\"IPAGothic\",monospace;font-size:10.5pt"))
            << page.toStdString();
        EXPECT_EQ(page.contains(PreviewCopy::VerticalStyle()), row.vertical);
    }
}

// What the engine does with a patch, on the copy's text.
QString Patched(const PreviewCopy::MarkedCopy &before, const PreviewPatch &patch)
{
    static const QRegularExpression marker(QStringLiteral("<!--qumo-line:(\\d+)-->"));
    QString tail = before.text.mid(before.markers[size_t(patch.to)].copy);
    QString renumbered;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &m : marker.globalMatch(tail)) {
        renumbered += tail.mid(from, m.capturedStart() - from) +
                      PreviewCopy::LineMarker(m.captured(1).toInt() + patch.shift);
        from = m.capturedEnd();
    }
    return before.text.left(before.markers[size_t(patch.from)].copy) + patch.html + renumbered +
           tail.mid(from);
}

// An edit between two markers that keeps the tags becomes a patch that turns
// the shown copy into the new one; any other edit reloads the page.
TEST(PreviewCopyTest, PatchesTurnTheShownCopyIntoTheNewOne)
{
    const QString head = QStringLiteral("<html><head><title>t</title></head>\n<body>\n");
    const struct
    {
        bool page;
        QString before;
        QString after;
        bool patched;
    } rows[] = {
        {true, head + "<p>一</p>\n<p>二</p>\n</body>", head + "<p>一つ</p>\n<p>二</p>\n</body>", true},
        {true, head + "<p>一</p>\n<p>二</p>\n</body>", head + "<p>一</p>\n新しい行\n\n<p>二</p>\n</body>",
         true},
        {true, head + "<p>一</p>\n<p>二</p>\n<p>三</p>\n</body>", head + "<p>一</p>\n<p>三</p>\n</body>",
         true},
        {true, head + "<p>一</p>\n</body>", head + "<p>一<br>二 &amp; 1 < 2</p>\n</body>", true},
        {true, head + "<p>一</p>\n</body>", head + "<p>一<b>太</b></p>\n</body>", true},
        {true, head + "<p>一</p>\n</body>", head + "<div>一</p>\n</body>", false},
        {true, head + "<p>一\n<p>二\n</body>", head + "<p>一\n<p>二つ\n</body>", false},
        {true, head + "<p>一</p>\n</body>", head + "<p>一</p\n</body>", false},
        {true, head + "<script>\nvar a;\n</script>\n<p>一</p>\n",
         head + "<script>\nvar ab;\n</script>\n<p>一</p>\n", false},
        {true, head + "<p>一</p>\n</body>",
         QString(head).replace("<title>t", "<title>u") + "<p>一</p>\n</body>", false},
        {true, head + "<p>一</p>\n<p>二</p>", head + "<p>一</p>\n<p>二つ</p>", false},
        {true, head + "<p>一</p>\u2029<p>二</p>\u2029</body>",
         head + "<p>一</p>\u2029<p>二\u2029三</p>\u2029</body>", true},
        {false, "一\n二\n三", "一\n<二>\n\n三", true},
        {false, "一\n二\n三", "一\n二\n三つ", false},
    };
    for (const auto &row : rows) {
        const auto mark = [&row](const QString &text) {
            return row.page ? PreviewCopy::MarkPage(text, false)
                            : PreviewCopy::MarkText(text, "IPAGothic", 9, false);
        };
        const PreviewCopy::MarkedCopy before = mark(row.before);
        const PreviewCopy::MarkedCopy now = mark(row.after);
        const std::optional<PreviewPatch> patch = PreviewCopy::PatchBetween(before, now);
        ASSERT_EQ(patch.has_value(), row.patched) << row.after.toStdString();
        if (patch) {
            EXPECT_EQ(Patched(before, *patch).replace(QChar::ParagraphSeparator, u'\n'),
                      QString(now.text).replace(QChar::ParagraphSeparator, u'\n'))
                << row.after.toStdString();
        }
    }
}

// The page is the bytes a save writes, the markers aside; a text document
// shows what its save would lose as the save writes it.
TEST(PreviewCopyTest, PageIsWhatASaveWrites)
{
    const struct
    {
        const char *name;
        const char *code;
        const char *lineEnd;
        bool bom;
    } rows[] = {
        {"sjis.html", "Shift_JIS", "\r\n", false},
        {"euc.htm", "EUC-JP", "\n", false},
        {"jis.html", "ISO-2022-JP", "\r\n", false},
        {"bom.shtml", "UTF-8", "\n", true},
    };
    const QString source =
        QStringLiteral("<html><head><meta charset=\"x\"></head>\n<body>\n<p>日本語の本文</p>\nかな "
                       "ｶﾅ\n</body></html>\n");
    static const QRegularExpression marker(QStringLiteral("<!--qumo-line:\\d+-->"));
    for (const auto &row : rows) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QString::fromLatin1(row.name));
        QStringEncoder encoder(row.code,
                               row.bom ? QStringEncoder::Flag::WriteBom : QStringEncoder::Flag::Default);
        QByteArray bytes = encoder.encode(source);
        bytes.replace("\n", row.lineEnd);
        WriteFileBytes(path, bytes);
        FixedOptions options;
        QTextDocument text;
        Document document(&options);
        document.attach(&text);
        ASSERT_TRUE(document.load(path).done()) << row.name;
        ASSERT_TRUE(document.save(dir.filePath("saved"), [](QStringView, qsizetype) { return true; }).done());
        const PreviewPage page = MakePreviewPage(document, text.toRawText(), {}).page;
        EXPECT_EQ(QString::fromLatin1(page.bytes).remove(marker).toLatin1(),
                  ReadFileBytes(dir.filePath("saved")))
            << row.name;
        EXPECT_FALSE(page.text);
        EXPECT_EQ(page.document, QUrl::fromLocalFile(path));
    }

    FixedOptions options;
    QTextDocument text(QStringLiteral("笑顔😀\n"));
    Document document(&options);
    document.attach(&text);
    document.setPath(QStringLiteral("/tmp/note.txt"));
    const PreviewPage page = MakePreviewPage(document, text.toRawText(), {false, "IPAGothic", 9}).page;
    EXPECT_TRUE(page.text);
    EXPECT_TRUE(QString::fromUtf8(page.bytes).contains(u"笑顔?\n")) << page.bytes.constData();
}

} // namespace
