// The folder search over a real tree: what it reads, what it passes over and
// why, and what it lists.
#include "cp932.h"
#include "name_filter.h"
#include "search_run.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace FolderSearch;

SearchSummary Search(const SearchRequest &request, QList<FileMatches> *found = nullptr)
{
    const std::atomic_bool stop = false;
    return RunSearch(
        request, stop,
        [found](const QList<FileMatches> &files) {
            if (found != nullptr)
                found->append(files);
        },
        [](const SearchProgress &) {});
}

SearchRequest RequestFor(const QString &folder, const QString &text)
{
    SearchRequest request;
    request.folder = folder;
    request.text = text;
    request.options.matchCase = true;
    return request;
}

TEST(FolderSearch, FileNamesMatchTheirPatternsInAnyCase)
{
    const struct
    {
        const char *patterns, *name;
        bool matches;
    } rows[] = {
        {"*.html;*.htm;*.txt", "INDEX.HTM", true},    {"*.html;*.htm;*.txt", "style.css", false},
        {"*.html;*.htm;*.txt", "a.html.bak", false},  {" *.css ; page?.txt ", "page1.txt", true},
        {" *.css ; page?.txt ", "page10.txt", false}, {"", "anything", true},
    };
    for (const auto &row : rows)
        EXPECT_EQ(NameFilter(QString::fromUtf8(row.patterns)).matches(QString::fromUtf8(row.name)),
                  row.matches)
            << row.patterns << " " << row.name;
}

TEST(FolderSearch, PassesOverWhatIsNoDocumentAndSaysWhy)
{
    QTemporaryDir dir;
    const QString root = dir.path();
    const auto at = [&](const char *name) { return root + u'/' + QString::fromUtf8(name); };
    QDir().mkpath(at("sub/deeper"));
    WriteFileBytes(at("a.txt"), "needle\n");
    WriteFileBytes(at("sub/deeper/b.html"), Cp932::Encode(QStringLiteral("漢字 needle\r\n")));
    WriteFileBytes(at("binary.txt"), QByteArray("needle\0\1\2", 9));
    // UTF-16 holds NUL bytes and is text all the same.
    WriteFileBytes(at("utf16.txt"), QByteArray("\xFF\xFEn\0e\0e\0d\0l\0e\0", 14));
    WriteFileBytes(at(".hidden.txt"), "needle\n");
    WriteFileBytes(at("style.css"), "needle\n");
    QFile huge(at("huge.txt"));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(MaxDocumentChars * 8 + 1)); // sparse
    huge.close();
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("pipe.txt")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/null"), at("device.txt")));
    ASSERT_TRUE(QFile::link(at("nowhere"), at("broken.txt")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/proc/self/mem"), at("unreadable.txt"))); // even for root
    ASSERT_TRUE(QFile::link(root, at("sub/up")));
    ASSERT_TRUE(QFile::link(at("loop2.txt"), at("loop1.txt")));
    ASSERT_TRUE(QFile::link(at("loop1.txt"), at("loop2.txt")));
    ASSERT_EQ(::link(QFile::encodeName(at("a.txt")).constData(), QFile::encodeName(at("c.txt")).constData()),
              0);

    QList<FileMatches> found;
    const SearchSummary summary = Search(RequestFor(root, QStringLiteral("needle")), &found);
    const struct
    {
        const char *name;
        SkipReason reason;
    } expected[] = {
        {"binary.txt", SkipReason::Binary},     {"broken.txt", SkipReason::Unreadable},
        {"c.txt", SkipReason::AlreadySearched}, {"device.txt", SkipReason::Special},
        {"huge.txt", SkipReason::TooLarge},     {"loop1.txt", SkipReason::LinkLoop},
        {"loop2.txt", SkipReason::LinkLoop},    {"pipe.txt", SkipReason::Special},
        {"sub/up", SkipReason::LinkLoop},       {"unreadable.txt", SkipReason::Unreadable},
    };
    ASSERT_EQ(summary.skipped.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(summary.skipped[i].path, at(expected[i].name));
        EXPECT_EQ(summary.skipped[i].reason, expected[i].reason) << expected[i].name;
    }
    QStringList matched;
    for (const FileMatches &file : found)
        matched.append(file.path.mid(root.size() + 1));
    EXPECT_EQ(matched, (QStringList{"a.txt", "sub/deeper/b.html", "utf16.txt"}));
    ASSERT_EQ(found.size(), 3);
    EXPECT_EQ(found[1].matches.value(0).column, 5); // 漢字 and a space, in editor units

    SearchRequest top = RequestFor(root, QStringLiteral("needle"));
    top.subfolders = false;
    top.files = QStringLiteral("*.TXT");
    EXPECT_EQ(Search(top).matchedFiles, 2);
}

TEST(FolderSearch, ListsInOrderWithinTheRowLimitAndReadsTheWindowsDocumentAsHeld)
{
    QTemporaryDir dir;
    for (int n = 0; n < 40; ++n)
        WriteFileBytes(dir.filePath(QStringLiteral("f%1.txt").arg(n, 2, 10, QLatin1Char('0'))), "x x x\n");
    const QString held = dir.filePath(QStringLiteral("f07.txt"));
    SearchRequest request = RequestFor(dir.path(), QStringLiteral("x"));
    request.maxRows = 50;
    request.heldFile = FileIdentity::Of(held);
    request.heldText = QStringLiteral("no match here");
    QList<FileMatches> found;
    const SearchSummary summary = Search(request, &found);
    EXPECT_EQ(summary.matches, 39 * 3);
    EXPECT_EQ(summary.rows, 50);
    ASSERT_EQ(found.size(), 39);
    for (qsizetype i = 1; i < found.size(); ++i)
        EXPECT_LT(found[i - 1].path, found[i].path);
    EXPECT_EQ(found[16].matches.size(), 2);
    EXPECT_TRUE(found[17].matches.isEmpty());
    EXPECT_EQ(found[17].count, 3);
}

// Whatever bytes a file holds a character as, the search finds it: each form
// of a character with two, and text sought as bytes or decoded whole. (漢字
// first makes a short file Shift_JIS: FA 40 alone reads as EUC-JP.)
TEST(FolderSearch, FindsEachFormOfACharacter)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        const char16_t *text;
        bool expression;
        qsizetype matches;
    } rows[] = {
        {"ibm.txt", "\x8a\xbf\x8e\x9a\r\n\xfa\x40 IBM\r\n\xee\xef NEC\r\n", u"\u2170", false, 2},
        {"ibm-expression.txt", "\x8a\xbf\x8e\x9a\r\n\xfa\x40 IBM\r\n\xee\xef NEC\r\n", u"\u2170 [A-Z]+", true,
         2},
        {"because.txt", "\x81\xe6 \x87\x9a\r\n", u"\u2235", false, 2},
        {"euc.txt", "\xc5\xec\xb5\xfe\n\xa4\xc8\xc5\xec\xb5\xfe\n", u"\u6771\u4eac", false, 2},
        {"sjis.txt", "\x93\x8c\x8b\x9e\r\n", u"\u6771\u4eac", false, 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        WriteFileBytes(dir.filePath(QString::fromUtf8(row.name)), row.bytes);
        SearchRequest request = RequestFor(dir.path(), QString::fromUtf16(row.text));
        request.options.regularExpression = row.expression;
        const SearchSummary summary = Search(request);
        EXPECT_TRUE(summary.skipped.isEmpty());
        EXPECT_EQ(summary.matches, row.matches);
    }
}

} // namespace
