#include "profile_file.h"
#include "settings_read.h"
#include "settings_write.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The live preview's keys are written once the pane has been shown, and
// come back as they were written.
TEST(PreviewSettingsTest, WrittenOnceUsedAndReadBack)
{
    const struct
    {
        const char *before;
        bool shown;
        int width;
        const char *section; // what [Preview] holds after the close, or null
    } rows[] = {
        {"", false, 0, nullptr},
        {"", true, 420, "Shown=1\nWidth=420\n"},
        {"[Preview]\nWidth=300\nShown=1\n", false, 300, "Width=300\nShown=0\n"},
    };
    for (const auto &row : rows) {
        MainWindowSettings window;
        window.previewShown = row.shown;
        window.previewWidth = row.width;
        QTemporaryDir dir;
        const QString path = dir.filePath("qumoedit.ini");
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(row.before);
        }
        ASSERT_TRUE(SaveSettingsAtClose(path, window, "/home/user/page.html", {}).done());
        ProfileFile saved(path);
        ASSERT_TRUE(saved.load());
        const QString text = saved.toText();
        const qsizetype at = text.indexOf(QStringLiteral("[Preview]\n"));
        if (row.section == nullptr) {
            EXPECT_EQ(at, -1) << text.toStdString();
            continue;
        }
        ASSERT_GE(at, 0) << text.toStdString();
        EXPECT_TRUE(text.mid(at + 10).startsWith(QString::fromLatin1(row.section))) << text.toStdString();
        const MainWindowSettings read = ReadMainWindowSettings(saved, QSize(1920, 1080));
        EXPECT_EQ(read.previewShown, row.shown);
        EXPECT_EQ(read.previewWidth, row.width);
    }
}

} // namespace
