#include "elided_label.h"

#include <QApplication>
#include <QFontMetrics>

#include <gtest/gtest.h>

namespace {

TEST(ElidePath, KeepsTheFileNameWholeAndShortensTheFoldersFirst)
{
    const QFontMetrics metrics(QApplication::font());
    const QString longPath = QStringLiteral("/tmp/some_folder/another/sub_dir/my_page.html");
    const int nameWidth = metrics.horizontalAdvance(QStringLiteral("/my_page.html"));
    const struct
    {
        QString path;
        int width;
        QString start, end; // what the shown text starts and ends with
        bool whole;
    } cases[] = {
        {longPath, metrics.horizontalAdvance(longPath), longPath, longPath, true},
        {longPath, nameWidth + metrics.horizontalAdvance(QStringLiteral("/tmp…")) + 2, QStringLiteral("/"),
         QStringLiteral("/my_page.html"), false},
        {longPath, nameWidth + metrics.horizontalAdvance(QStringLiteral("/tmp/some_…_dir")),
         QStringLiteral("/tmp"), QStringLiteral("/my_page.html"), false},
        // Too narrow for the name: the name itself loses its middle.
        {longPath, nameWidth / 2, QStringLiteral("m"), QStringLiteral("l"), false},
        {QStringLiteral("a_very_long_file_name_without_folders.txt"), nameWidth, QStringLiteral("a_"),
         QStringLiteral(".txt"), false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.path.toStdString() + " in " + std::to_string(c.width));
        const QString shown = ElidePath(metrics, c.path, c.width);
        EXPECT_LE(metrics.horizontalAdvance(shown), c.width) << shown.toStdString();
        EXPECT_EQ(shown == c.path, c.whole);
        EXPECT_EQ(shown.contains(QChar(0x2026)), !c.whole);
        EXPECT_TRUE(shown.startsWith(c.start) && shown.endsWith(c.end)) << shown.toStdString();
    }
}

} // namespace
