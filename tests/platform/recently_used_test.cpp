#include "recently_used.h"

#include <QDomDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

RecentUse Use(const QString &path, int minute)
{
    return {path, QStringLiteral("text/html"), QStringLiteral("QUMOEDIT"), QStringLiteral("'qumoedit %u'"),
            QDateTime(QDate(2026, 12, 9), QTime(3, minute), Qt::UTC)};
}

// What a GLib program leaves: another program's entry, and one shared with this program.
const QByteArray Existing =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<xbel version=\"1.0\"\n"
    "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
    "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n"
    ">\n"
    "  <bookmark href=\"file:///home/u/a%20b.txt\" added=\"A\" modified=\"M\" visited=\"V\">\n"
    "    <info>\n"
    "      <metadata owner=\"http://freedesktop.org\">\n"
    "        <mime:mime-type type=\"text/plain\"/>\n"
    "        <bookmark:applications>\n"
    "          <bookmark:application name=\"gedit\" exec=\"&apos;gedit %u&apos;\" "
    "modified=\"M\" count=\"3\"/>\n"
    "        </bookmark:applications>\n"
    "      </metadata>\n"
    "    </info>\n"
    "  </bookmark>\n"
    "</xbel>";

// The list as an XML reader sees it: each entry's href with its applications and counts.
QStringList Entries(const QByteArray &xbel)
{
    QDomDocument document;
    EXPECT_TRUE(document.setContent(xbel, true)) << xbel.constData();
    QStringList entries;
    const QDomNodeList bookmarks = document.elementsByTagName(QStringLiteral("bookmark"));
    for (int i = 0; i < bookmarks.size(); ++i) {
        const QDomElement bookmark = bookmarks.at(i).toElement();
        QString entry = bookmark.attribute(QStringLiteral("href"));
        const QDomNodeList apps = bookmark.elementsByTagNameNS(
            QStringLiteral("http://www.freedesktop.org/standards/desktop-bookmarks"),
            QStringLiteral("application"));
        for (int j = 0; j < apps.size(); ++j)
            entry += u' ' + apps.at(j).toElement().attribute(QStringLiteral("name")) + u'=' +
                     apps.at(j).toElement().attribute(QStringLiteral("count"));
        entries << entry;
    }
    return entries;
}

TEST(RecentUse, RecordsThisProgramsEntryAndKeepsTheOthers)
{
    const struct
    {
        const char *what;
        QByteArray before;
        QStringList uses;
        QStringList entries; // empty: the list is left alone
    } rows[] = {
        {"a new list", {}, {"/tmp/ページ.html"}, {"file:///tmp/%E3%83%9A%E3%83%BC%E3%82%B8.html QUMOEDIT=1"}},
        {"used twice", {}, {"/tmp/x.html", "/tmp/x.html"}, {"file:///tmp/x.html QUMOEDIT=2"}},
        {"beside another program's",
         Existing,
         {"/tmp/x&y.html"},
         {"file:///home/u/a%20b.txt gedit=3", "file:///tmp/x&y.html QUMOEDIT=1"}},
        {"shared with another program",
         Existing,
         {"/home/u/a b.txt", "/home/u/a b.txt"},
         {"file:///home/u/a%20b.txt gedit=3 QUMOEDIT=2"}},
        {"no list", "<html></html>", {"/tmp/x.html"}, {}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        std::optional<QByteArray> xbel = row.before;
        int minute = 0;
        for (const QString &path : row.uses)
            xbel = WithRecentUse(*xbel, Use(path, ++minute));
        ASSERT_EQ(xbel.has_value(), !row.entries.isEmpty());
        if (!xbel)
            continue;
        EXPECT_EQ(Entries(*xbel), row.entries);
        // Another program's lines stay byte for byte.
        if (row.before.contains("gedit"))
            EXPECT_TRUE(xbel->contains("<bookmark:application name=\"gedit\" exec=\"&apos;gedit %u&apos;\" "
                                       "modified=\"M\" count=\"3\"/>\n"));
    }
}

TEST(RecentUse, WritesTheFileSafelyAndRefusesWhatIsNoList)
{
    QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("recently-used.xbel"));
    EXPECT_TRUE(AddRecentUse(list, Use(QStringLiteral("/tmp/a.html"), 1)).done());
    EXPECT_TRUE(AddRecentUse(list, Use(QStringLiteral("/tmp/b.html"), 2)).done());
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(Entries(file.readAll()),
              QStringList({"file:///tmp/a.html QUMOEDIT=1", "file:///tmp/b.html QUMOEDIT=1"}));
    file.close();
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("garbage");
    file.close();
    EXPECT_EQ(AddRecentUse(list, Use(QStringLiteral("/tmp/a.html"), 3)).kind, Outcome::Declined);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "garbage");
}

} // namespace
