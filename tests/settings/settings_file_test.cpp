#include "profile_file.h"
#include "read_only_guard.h"
#include "settings_read.h"
#include "settings_write.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QSize kScreen(1920, 1080);

class SettingsFileTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString iniPath() const { return dir.filePath("qumoedit.ini"); }

    void writeFile(const QByteArray &bytes)
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray fileBytes() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    ProfileFile profile(const QByteArray &bytes)
    {
        writeFile(bytes);
        ProfileFile ini(iniPath());
        ini.load();
        return ini;
    }
};

MainWindowSettings ChangedWindow()
{
    return {.height = 600,
            .width = 800,
            .x = -12,
            .y = 40,
            .maximized = true,
            .htmlPanel = true,
            .clipPanel = true,
            .colorPanel = true,
            .msize = 14,
            .pathName = "/home/user/文書",
            .clipName = "クリップ",
            .tagName = " My Tags ",
            .htmlChar = 2,
            .clipChar = 1,
            .sendClipBoard = true,
            .recentFiles = {"/home/user/文書/a.html", "/tmp/b c.txt"}};
}

DialogOptions ChangedOptions()
{
    return {.editFont = "Noto Sans Mono CJK JP",
            .returnRight = false,
            .ruler = false,
            .lineNumbers = true,
            .defaultColor = false,
            .userColor = true,
            .fontColor = 0x123456,
            .backColor = 0xABCDEF,
            .useTmp = true,
            .useAutoHtml = true,
            .preTxtProg = "\"/usr/bin/mousepad\" \"%1\"",
            .preHtmProg = "gedit %1",
            .keySound = false,
            .autoIndent = false,
            .saveAsHtm = true,
            .dateTime = "'at' hh:nn 'on' dd/mm/yyyy'",
            .overwriteMes = true,
            .secondBrowser = true,
            .secondBrowserPath = "/opt/browser dir/run",
            .autoDecode = true,
            .decodeAll = true,
            .charCode = 2,
            .retCode = 1};
}

TEST_F(SettingsFileTest, FirstRunCentresDefaultWindowWithNoPanels)
{
    const MainWindowSettings s = ReadMainWindowSettings(iniPath(), kScreen);
    EXPECT_EQ(s.width, 520);
    EXPECT_EQ(s.height, 473);
    EXPECT_EQ(s.x, 700);
    EXPECT_EQ(s.y, 303); // 607 / 2 rounded toward zero
    EXPECT_FALSE(s.htmlPanel || s.clipPanel || s.colorPanel);
    EXPECT_EQ(s.msize, 9);
    EXPECT_EQ(s.tagName, "HTML");
    EXPECT_TRUE(s.pathName.isEmpty());
    EXPECT_EQ(s.clipName, "色見本");
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(SettingsFileTest, DefaultPositionUsesStoredSizeAndRoundsTowardZero)
{
    ProfileFile ini = profile("[Position]\nWidth=1001\nHeight=1000\n");
    const MainWindowSettings s = ReadMainWindowSettings(ini, QSize(800, 600));
    EXPECT_EQ(s.x, -100); // -201 / 2
    EXPECT_EQ(s.y, -200);
}

TEST_F(SettingsFileTest, HandEditedNumbers)
{
    EXPECT_EQ(ReadMainWindowSettings(profile("[Pre]\nmsize=0x0C\n"), kScreen).msize, 12);
    EXPECT_EQ(ReadMainWindowSettings(profile("[Pre]\nmsize=abc\n"), kScreen).msize, 9);
    EXPECT_EQ(ReadMainWindowSettings(profile("[Pre]\nmsize=0\n"), kScreen).msize, 9);
    EXPECT_EQ(ReadMainWindowSettings(profile("[Pre]\nmsize=-3\n"), kScreen).msize, 9);
    EXPECT_EQ(ReadMainWindowSettings(profile("[Position]\nWidth=wide\nX=0x10\n"), kScreen).width, 520);
    EXPECT_EQ(ReadMainWindowSettings(profile("[Position]\nX=0x10\n"), kScreen).x, 16);
    EXPECT_EQ(ReadMainWindowSettings(profile("[Paste]\nHtmlChar=3\nClipChar=-1\n"), kScreen).htmlChar, 0);
    EXPECT_EQ(ReadMainWindowSettings(profile("[Paste]\nClipChar=-1\n"), kScreen).clipChar, 0);
    EXPECT_TRUE(ReadMainWindowSettings(profile("[Panel]\nClip=7\n"), kScreen).clipPanel);

    const DialogOptions o = ReadDialogOptions(profile("[Code]\nCharCode=7\nRetCode=0x2\n"
                                                      "[PreI]\nFontColor=red\nBackColor=0x80FFFFFF\n"),
                                              "x");
    EXPECT_EQ(o.charCode, 0);
    EXPECT_EQ(o.retCode, 2);
    EXPECT_EQ(o.fontColor, 0xFF9080u);
    EXPECT_EQ(o.backColor, 0xFFFFFFu);
}

TEST_F(SettingsFileTest, DialogDefaultsAndDateTimeFromTheField)
{
    const DialogOptions o = ReadDialogOptions(profile("[Option]\nKeySound=0\n"), "yyyy-mm-dd");
    DialogOptions expected;
    expected.keySound = false;
    expected.dateTime = "yyyy-mm-dd";
    EXPECT_EQ(o, expected);
    EXPECT_EQ(o.editFont, QString::fromUtf8("ＭＳ ゴシック"));
    EXPECT_EQ(o.fontColor, 16748672u);
    EXPECT_EQ(o.backColor, 3538944u);
}

TEST_F(SettingsFileTest, FirstCloseWritesEveryKeyInOrder)
{
    MainWindowSettings w;
    w.x = 700;
    w.y = 303;
    ASSERT_TRUE(SaveSettingsAtClose(iniPath(), w, "/home/user/docs/newtext.txt", DialogOptions()).done());
    EXPECT_EQ(QString::fromUtf8(fileBytes()),
              QString::fromUtf8("[Position]\nX=700\nY=303\nHeight=473\nWidth=520\n\n"
                                "[Code]\nAutoDecode=0\nDecodeAll=0\nCharCode=0\n"
                                "RetCode=0\n\n"
                                "[Pre]\nmsize=9\nClipName=色見本\nTagName=HTML\n"
                                "PathName=/home/user/docs\n\n"
                                "[PreI]\nEditFont=ＭＳ ゴシック\nReturnRight=1\n"
                                "Ruler=1\nDefaultColor=1\nUserColor=0\n"
                                "FontColor=16748672\nBackColor=3538944\nUseTmp=0\n"
                                "UseAutoHtml=0\nPreTxtProg=\"\"\nPreHtmProg=\"\"\n\n"
                                "[Option]\nSaveAsHTM=0\n"
                                "DateTime=mm/dd/yyyy hh:nn:ss\nKeySound=1\n"
                                "AutoIndent=1\nOverwriteMes=0\nSecondBrowser=0\n"
                                "SecondBrowserPath=\n\n"
                                "[Paste]\nHtmlChar=0\nClipChar=0\nSendClipBoard=0\n\n"
                                "[Panel]\nHtml=0\nClip=0\nColor=0\n"));
}

TEST_F(SettingsFileTest, EveryValueSurvivesARestart)
{
    const MainWindowSettings w = ChangedWindow();
    const DialogOptions o = ChangedOptions();
    ASSERT_TRUE(SaveSettingsAtClose(iniPath(), w, w.pathName + "/page.html", o).done());

    ProfileFile ini(iniPath());
    ASSERT_TRUE(ini.load());
    EXPECT_TRUE(ReadMainWindowSettings(ini, kScreen) == w) << fileBytes().constData();
    EXPECT_TRUE(ReadDialogOptions(ini, "unused") == o) << fileBytes().constData();
}

TEST_F(SettingsFileTest, QuotedCommandsAndValuesThatLookQuoted)
{
    DialogOptions o;
    o.preTxtProg = "\"/usr/bin/mousepad\" \"%1\"";
    o.dateTime = "'yyyy'";
    ASSERT_TRUE(SaveSettingsAtClose(iniPath(), MainWindowSettings(), "/a/b.txt", o).done());
    const QByteArray bytes = fileBytes();
    EXPECT_TRUE(bytes.contains("PreTxtProg=\"\"/usr/bin/mousepad\" \"%1\"\"\n")) << bytes.constData();
    EXPECT_TRUE(bytes.contains("DateTime=\"'yyyy'\"\n")) << bytes.constData();
    ProfileFile ini(iniPath());
    ini.load();
    const DialogOptions back = ReadDialogOptions(ini, "");
    EXPECT_EQ(back.preTxtProg, o.preTxtProg);
    EXPECT_EQ(back.dateTime, o.dateTime);
}

TEST_F(SettingsFileTest, SaveAsHtmIsReadWhateverTheCaseOfItsNames)
{
    EXPECT_TRUE(ReadDialogOptions(profile("[Option]\nSaveAsHTM=1\n"), "").saveAsHtm);
    EXPECT_TRUE(ReadDialogOptions(profile("[OPTION]\nsaveashtm=1\n"), "").saveAsHtm);
}

TEST_F(SettingsFileTest, UnknownKeysAndSectionsSurviveTheClose)
{
    writeFile("[Pre]\nmsize=0x0C\nFuture=yes\n[Mine]\nkeep=1\n");
    MainWindowSettings w;
    w.msize = 12;
    ASSERT_TRUE(SaveSettingsAtClose(iniPath(), w, "/x/y.txt", DialogOptions()).done());
    ProfileFile ini(iniPath());
    ini.load();
    EXPECT_EQ(ini.readString("Pre", "Future", ""), "yes");
    EXPECT_EQ(ini.readString("Mine", "keep", ""), "1");
    EXPECT_EQ(ini.readString("Pre", "msize", ""), "12");
}

TEST_F(SettingsFileTest, BrowserCacheDocumentKeepsPanelsAndFolder)
{
    writeFile("[Panel]\nHtml=1\nClip=0\nColor=1\n[Pre]\nPathName=/home/user/site\nTagName=Old\n");
    MainWindowSettings w; // the cache page hid every panel
    w.tagName = "New";
    ASSERT_TRUE(SaveSettingsAtClose(iniPath(), w, "/home/user/.wine/Temporary Internet Files/ABC/page.html",
                                    DialogOptions())
                    .done());
    const MainWindowSettings back = ReadMainWindowSettings(iniPath(), kScreen);
    EXPECT_TRUE(back.htmlPanel);
    EXPECT_FALSE(back.clipPanel);
    EXPECT_TRUE(back.colorPanel);
    EXPECT_EQ(back.pathName, "/home/user/site");
    EXPECT_EQ(back.tagName, "New");
}

TEST_F(SettingsFileTest, BrowserCacheRuleNeedsTheWholeFolderName)
{
    EXPECT_TRUE(IsBrowserCachePath("/c/Temporary Internet Files/a.htm"));
    EXPECT_FALSE(IsBrowserCachePath("/c/temporary internet files/a.htm"));
    EXPECT_FALSE(IsBrowserCachePath("/c/Temporary Internet Files"));
    EXPECT_FALSE(IsBrowserCachePath("/c/My Temporary Internet Files.txt"));
}

TEST_F(SettingsFileTest, DocumentFolderKeepsTheRootSeparator)
{
    EXPECT_EQ(DocumentFolder("/home/user/a.txt"), "/home/user");
    EXPECT_EQ(DocumentFolder("/a.txt"), "/");
    EXPECT_EQ(DocumentFolder("/home/user/"), "/home/user");
    EXPECT_EQ(DocumentFolder("a.txt"), "");
    EXPECT_EQ(DocumentFolder(""), "");
}

TEST_F(SettingsFileTest, ReadOnlyFolderFailsWithoutCreatingAFile)
{
    ReadOnlyGuard readOnly(dir.path());
    if (!readOnly.effective())
        GTEST_SKIP() << "cannot make a folder read-only here";
    const Outcome saved = SaveSettingsAtClose(iniPath(), MainWindowSettings(), "/a/b.txt", DialogOptions());
    EXPECT_EQ(saved.kind, Outcome::Failed);
    EXPECT_FALSE(saved.message.isEmpty());
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(SettingsFileTest, ReadOnlyFileStaysAsItWas)
{
    const QByteArray before("[Pre]\nmsize=10\n");
    writeFile(before);
    ReadOnlyGuard readOnly(iniPath());
    if (!readOnly.effective())
        GTEST_SKIP() << "cannot make a file read-only here";
    EXPECT_FALSE(SaveSettingsAtClose(iniPath(), ChangedWindow(), "/a/b.txt", ChangedOptions()).done());
    EXPECT_EQ(fileBytes(), before);
}

TEST_F(SettingsFileTest, UnreadableSettingsPathIsNotReplaced)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("qumoedit.ini"));
    EXPECT_FALSE(SaveSettingsAtClose(iniPath(), MainWindowSettings(), "/a/b.txt", DialogOptions()).done());
    EXPECT_TRUE(QFileInfo(iniPath()).isDir());
}

TEST_F(SettingsFileTest, FailureMessageTellsTheUser)
{
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = box->standardButtons();
        box->accept();
    });
    ShowSettingsWriteFailure(nullptr);
    EXPECT_EQ(text, QString::fromUtf8("設定を変更する権限がありません。\n設定変更は反映されません"));
    EXPECT_EQ(title, "QUMOEDIT");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(buttons, QMessageBox::Ok);
}

TEST(RecentFiles, NewestFirstOnceAndAtMostTen)
{
    QStringList eleven;
    for (int i = 0; i < 11; ++i)
        eleven << QStringLiteral("/d/%1.txt").arg(i);
    const struct
    {
        QStringList before;
        QString added;
        QStringList after;
    } rows[] = {
        {{}, "/a.txt", {"/a.txt"}},
        {{"/a.txt", "/b.txt"}, "/b.txt", {"/b.txt", "/a.txt"}},
        {{"/a.txt", "/b.txt"}, "/c.txt", {"/c.txt", "/a.txt", "/b.txt"}},
        {eleven.mid(0, 10), "/new.txt", QStringList{"/new.txt"} + eleven.mid(0, 9)},
        {eleven.mid(0, 10), "/d/9.txt", QStringList{"/d/9.txt"} + eleven.mid(0, 9)},
    };
    for (const auto &row : rows)
        EXPECT_EQ(WithRecentFile(row.before, row.added), row.after) << row.added.toStdString();
}

} // namespace
