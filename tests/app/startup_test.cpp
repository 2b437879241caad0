#include "document_codec.h"
#include "form_fixture.h"
#include "profile_file.h"
#include "read_only_guard.h"
#include "tag_colours.h"
#include <sys/stat.h>

#include <QComboBox>
#include <QDir>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTabWidget>

namespace {

// The desktop folder, or the home folder where there is none.
QString Desktop()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}

class StartUp : public FormTest
{
};

TEST_F(StartUp, FirstRunOpensTheDialogOnItsAboutPageAndStartsEmpty)
{
    int pageWhenShown = -1;
    modals.Then([&](QWidget *w) {
        pageWhenShown = Part<QTabWidget>(w, QStringLiteral("PageControl1"))->currentIndex();
        static_cast<QDialog *>(w)->done(QDialog::Accepted);
    });
    Start();
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].widget, form3);
    EXPECT_EQ(pageWhenShown, TForm3::CopyrightPage);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("qumoedit.ini"))))
        << "the first run's choices are kept at once";
    EXPECT_EQ(form->document().path(), QDir::cleanPath(Desktop() + QStringLiteral("/newtext.txt")));
    EXPECT_TRUE(Editor(form)->toPlainText().isEmpty());
    EXPECT_FALSE(Editor(form)->document()->isModified());
    EXPECT_EQ(form->size(), QSize(520, 473));
    EXPECT_TRUE(TagPaletteOf(form)->isHidden());
    EXPECT_TRUE(InfoLine(form)->isHidden());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("QUMOEDIT [") + form->document().path() + u']');
    const QString newWord = QFileInfo::exists(form->document().path()) ? QString() : QStringLiteral("新規: ");
    EXPECT_EQ(StatusBarOf(form)->text(StatusBar::Path), newWord + form->document().path());
    EXPECT_EQ(StatusBarOf(form)->text(StatusBar::Caret), QStringLiteral("L:001/001  C:000"));
}

TEST_F(StartUp, SetupOnFirstRunOpensTheDialogTwice)
{
    std::vector<int> pages;
    const auto note = [&](QWidget *w) {
        pages.push_back(Part<QTabWidget>(w, QStringLiteral("PageControl1"))->currentIndex());
        static_cast<QDialog *>(w)->done(QDialog::Accepted);
    };
    modals.Then(note);
    modals.Then(note);
    Start({QStringLiteral("/SETUP")});
    EXPECT_EQ(pages, (std::vector<int>{TForm3::CopyrightPage, TForm3::AssociationPage}));
    EXPECT_TRUE(Editor(form)->toPlainText().isEmpty());
}

TEST_F(StartUp, SetupWithSettingsKeepsTheStoredFolder)
{
    WriteIni("[Pre]\nPathName=" + dir_.path().toUtf8() + "\n");
    modals.Then([](QWidget *w) {
        EXPECT_EQ(Part<QTabWidget>(w, QStringLiteral("PageControl1"))->currentIndex(),
                  TForm3::AssociationPage);
        static_cast<QDialog *>(w)->done(QDialog::Accepted);
    });
    Start({QStringLiteral("/setup")});
    EXPECT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(form->document().path(), dir_.path() + u'/') << "a folder, not a file named like it";
    ASSERT_TRUE(CloseWindow());
    ProfileFile ini(path(QStringLiteral("qumoedit.ini")));
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.readString(QStringLiteral("Pre"), QStringLiteral("PathName"), {}), dir_.path())
        << "the remembered folder does not climb a level";
}

TEST_F(StartUp, StoredFolderGoneGivesTheDesktopAndTheTagPaletteNamesItHtml)
{
    WriteIni("[Panel]\nHtml=1\n[Pre]\nPathName=/no/such/folder\n");
    Start();
    EXPECT_TRUE(modals.seen().empty()) << "a settings file exists: no first-run dialog";
    EXPECT_EQ(form->document().path(), QDir::cleanPath(Desktop() + QStringLiteral("/newhtml.html")));
    EXPECT_FALSE(TagPaletteOf(form)->isHidden());
    EXPECT_FALSE(InfoLine(form)->isHidden());
}

TEST_F(StartUp, StoredFolderThatExistsNamesTheNewDocument)
{
    WriteIni("[Pre]\nPathName=" + dir_.path().toUtf8() + "\n");
    Start();
    EXPECT_EQ(form->document().path(), path(QStringLiteral("newtext.txt")));
}

TEST_F(StartUp, PathWithSpacesGivenAsSeveralArguments)
{
    WriteIni("");
    QDir(dir_.path()).mkdir(QStringLiteral("My Documents"));
    WriteFile(QStringLiteral("My Documents/a b.html"), "<p>hello</p>\r\n");
    Start({path(QStringLiteral("My")), QStringLiteral("Documents/a"), QStringLiteral("b.html")});
    EXPECT_TRUE(modals.seen().empty());
    EXPECT_EQ(form->document().path(), path(QStringLiteral("My Documents/a b.html")));
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("<p>hello</p>\n"));
    EXPECT_FALSE(Editor(form)->document()->isModified());
    EXPECT_FALSE(form->findChild<TagColours *>()->changed());
}

TEST_F(StartUp, ArgumentThatMerelyContainsSetupIsAPath)
{
    WriteIni("");
    QDir(dir_.path()).mkdir(QStringLiteral("setup"));
    WriteFile(QStringLiteral("setup/notes.txt"), "notes");
    Start({path(QStringLiteral("setup/notes.txt"))});
    EXPECT_TRUE(modals.seen().empty());
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("notes"));
}

TEST_F(StartUp, BrowserCacheDocumentHidesThePanels)
{
    WriteIni("[Panel]\nHtml=1\nClip=1\nColor=1\n");
    QDir(dir_.path()).mkpath(QStringLiteral("Temporary Internet Files/X1"));
    WriteFile(QStringLiteral("Temporary Internet Files/X1/page.html"), "<html></html>");
    Start({path(QStringLiteral("Temporary Internet Files/X1/page.html"))});
    EXPECT_TRUE(TagPaletteOf(form)->isHidden());
    EXPECT_TRUE(form->findChild<QWidget *>(QStringLiteral("Panel4"))->isHidden());
    EXPECT_TRUE(InfoLine(form)->isHidden());
    EXPECT_TRUE(ClipPaletteOf(form)->isHidden());
}

TEST_F(StartUp, MissingFileInAFolderThatExistsIsTheNewDocument)
{
    WriteIni("[Panel]\nHtml=1\n[Pre]\nPathName=" + dir_.path().toUtf8() + "\n");
    WriteFile(QStringLiteral("newhtml.html"), "unrelated");
    const QString brandNew = path(QStringLiteral("brandnew.txt"));
    Start({brandNew});
    EXPECT_TRUE(modals.seen().empty()) << "nothing to refuse";
    EXPECT_EQ(form->document().path(), brandNew);
    EXPECT_EQ(StatusBarOf(form)->text(StatusBar::Path), QStringLiteral("新規: ") + brandNew);
    Editor(form)->insertPlainText(QStringLiteral("x"));
    form->SSButton4Click();
    EXPECT_TRUE(modals.seen().empty()) << "F4 makes the file without a question";
    EXPECT_EQ(ReadFile(QStringLiteral("brandnew.txt")), "x");
    EXPECT_EQ(ReadFile(QStringLiteral("newhtml.html")), "unrelated");
    EXPECT_EQ(StatusBarOf(form)->text(StatusBar::Path), brandNew);
}

TEST_F(StartUp, ReplacingAFileTheDocumentNeverHeldStartsAtNo)
{
    WriteIni("[Pre]\nPathName=" + dir_.path().toUtf8() + "\n");
    WriteFile(QStringLiteral("newtext.txt"), "unrelated");
    Start();
    Editor(form)->insertPlainText(QStringLiteral("x"));
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    modals.Then([&](QWidget *w) {
        auto *box = static_cast<QMessageBox *>(w);
        defaultButton = box->standardButton(box->defaultButton());
        box->done(QMessageBox::No);
    });
    form->SSButton4Click();
    EXPECT_EQ(defaultButton, QMessageBox::No);
    EXPECT_EQ(ReadFile(QStringLiteral("newtext.txt")), "unrelated");
}

TEST_F(StartUp, FileThatFailsToOpenIsNotTheDocument)
{
    // Unreadable in three ways: in a folder that is not there, not a regular file, too large.
    WriteIni("[Pre]\nPathName=" + dir_.path().toUtf8() + "\n");
    const QString fifo = path(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    QFile huge(path(QStringLiteral("huge.txt")));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(MaxDocumentChars * 2 + 1));
    huge.close();
    const struct
    {
        QString file;
        QString reason;
    } cases[] = {
        {path(QStringLiteral("no_folder/gone.txt")),
         QStringLiteral("ファイルまたはフォルダーが存在しません")},
        {fifo, QStringLiteral("名前付きパイプ (FIFO) は文書として開けません。")},
        {path(QStringLiteral("huge.txt")), QStringLiteral("編集できる文書は 134217728 文字までです。")},
    };
    for (const auto &c : cases) {
        const std::size_t before = modals.seen().size();
        modals.ThenClick(QMessageBox::Ok);
        Start({c.file});
        ASSERT_EQ(modals.seen().size(), before + 1);
        EXPECT_EQ(modals.seen().back().text,
                  QStringLiteral("ファイル %1 は開けません\n\n").arg(c.file) + c.reason);
        EXPECT_EQ(form->document().path(), path(QStringLiteral("newtext.txt")));
        EXPECT_TRUE(Editor(form)->toPlainText().isEmpty());
        Editor(form)->insertPlainText(QStringLiteral("x"));
        form->SSButton4Click();
        EXPECT_TRUE(QFileInfo(huge).size() == MaxDocumentChars * 2 + 1)
            << "the refused file is never written";
        EXPECT_EQ(ReadFile(QStringLiteral("newtext.txt")), "x");
        QFile::remove(path(QStringLiteral("newtext.txt")));
    }
}

TEST_F(StartUp, GarbledSettingsFileFallsBackToDefaults)
{
    WriteIni("\xff\xfe garbage\n[Position\nHeight=abc\nWidth=\n[Pre]\nmsize=0x0C\n[Paste]\nHtmlChar=7\n");
    Start();
    EXPECT_TRUE(modals.seen().empty());
    EXPECT_EQ(form->height(), 473);
    EXPECT_EQ(form->width(), 520);
    EXPECT_EQ(Editor(form)->font().pointSize(), 12);
    EXPECT_EQ(form->baseFontSize(), 12);
    EXPECT_EQ(Part<QComboBox>(TagPaletteOf(form), "ComboBox5")->currentIndex(), 0);
}

class Close : public FormTest
{
};

TEST_F(Close, WritesEveryKeyOfTheWindow)
{
    WriteIni("[Custom]\nmine=kept\n");
    Start();
    const QString folder = path(QStringLiteral("docs"));
    QDir().mkpath(folder);
    form->document().setPath(folder + QStringLiteral("/page.html"));
    form->resize(600, 500);
    TagPaletteOf(form)->setVisible(true);
    form->findChild<QWidget *>(QStringLiteral("Panel4"))->show();
    Part<QComboBox>(ClipPaletteOf(form), "ComboBox1")->setEditText(QStringLiteral("Mail"));
    Part<QComboBox>(TagPaletteOf(form), "ComboBox2")->setEditText(QStringLiteral("HTML4"));
    Part<QComboBox>(TagPaletteOf(form), "ComboBox5")->setCurrentIndex(2);
    Part<QComboBox>(ClipPaletteOf(form), "ComboBox4")->setCurrentIndex(1);
    Part<QCheckBox>(ClipPaletteOf(form), "CheckBox4")->setChecked(true);
    ChangeSettings(
        [](QWidget *dialog) { Part<QCheckBox>(dialog, QStringLiteral("CheckBox14"))->setChecked(true); });
    ASSERT_TRUE(CloseWindow());

    ProfileFile ini(path(QStringLiteral("qumoedit.ini")));
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.readInt(QStringLiteral("Position"), QStringLiteral("Width"), 0), 600);
    EXPECT_EQ(ini.readInt(QStringLiteral("Position"), QStringLiteral("Height"), 0), 500);
    EXPECT_TRUE(ini.readBool(QStringLiteral("Panel"), QStringLiteral("Html"), false));
    EXPECT_FALSE(ini.readBool(QStringLiteral("Panel"), QStringLiteral("Clip"), true));
    EXPECT_TRUE(ini.readBool(QStringLiteral("Panel"), QStringLiteral("Color"), false));
    EXPECT_EQ(ini.readInt(QStringLiteral("Pre"), QStringLiteral("msize"), 0), 9);
    EXPECT_EQ(ini.readString(QStringLiteral("Pre"), QStringLiteral("PathName"), {}), folder);
    EXPECT_EQ(ini.readString(QStringLiteral("Pre"), QStringLiteral("ClipName"), {}), QStringLiteral("Mail"));
    EXPECT_EQ(ini.readString(QStringLiteral("Pre"), QStringLiteral("TagName"), {}), QStringLiteral("HTML4"));
    EXPECT_EQ(ini.readInt(QStringLiteral("Paste"), QStringLiteral("HtmlChar"), 0), 2);
    EXPECT_EQ(ini.readInt(QStringLiteral("Paste"), QStringLiteral("ClipChar"), 0), 1);
    EXPECT_TRUE(ini.readBool(QStringLiteral("Paste"), QStringLiteral("SendClipBoard"), false));
    EXPECT_TRUE(ini.readBool(QStringLiteral("Code"), QStringLiteral("AutoDecode"), false));
    EXPECT_EQ(ini.readString(QStringLiteral("Custom"), QStringLiteral("mine"), {}), QStringLiteral("kept"));
}

TEST_F(Close, SettingsComeBackAfterARestart)
{
    WriteIni("");
    Start();
    form->move(40, 30);
    form->resize(700, 480);
    ClipPaletteOf(form)->setVisible(true);
    Part<QComboBox>(ClipPaletteOf(form), "ComboBox4")->setCurrentIndex(2);
    ChangeSettings(
        [](QWidget *dialog) { Part<QCheckBox>(dialog, QStringLiteral("CheckBox15"))->setChecked(true); });
    const QPoint where = form->pos();
    ASSERT_TRUE(CloseWindow());
    form.reset();

    Start();
    EXPECT_EQ(form->size(), QSize(700, 480));
    EXPECT_EQ(form->pos(), where);
    EXPECT_FALSE(ClipPaletteOf(form)->isHidden());
    EXPECT_FALSE(InfoLine(form)->isHidden());
    EXPECT_EQ(Part<QComboBox>(ClipPaletteOf(form), "ComboBox4")->currentIndex(), 2);
    EXPECT_TRUE(form3->options().decodeAll);
    form3->buildControls();
    EXPECT_TRUE(Part<QCheckBox>(form3, QStringLiteral("CheckBox15"))->isChecked());
}

TEST_F(Close, OversizedOrLostWindowComesBackOnTheScreen)
{
    WriteIni("[Position]\nX=-30000\nY=50000\nWidth=100000\nHeight=100000\n");
    Start();
    const QRect screen = form->screen()->availableGeometry();
    EXPECT_LE(form->width(), screen.width());
    EXPECT_LE(form->height(), screen.height());
    EXPECT_TRUE(screen.contains(form->geometry().topLeft()));
    const QRect shown = form->geometry();
    ASSERT_TRUE(CloseWindow());
    ProfileFile ini(path(QStringLiteral("qumoedit.ini")));
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.readInt(QStringLiteral("Position"), QStringLiteral("Width"), 0), shown.width());
    EXPECT_EQ(ini.readInt(QStringLiteral("Position"), QStringLiteral("X"), 0), shown.x());
    EXPECT_EQ(ini.readInt(QStringLiteral("Position"), QStringLiteral("Y"), 0), shown.y());
}

TEST_F(Close, MaximisedWindowStoresItsRestoredSize)
{
    WriteIni("");
    Start();
    form->resize(610, 430);
    QApplication::processEvents();
    form->showMaximized();
    QApplication::processEvents();
    ASSERT_TRUE(form->isMaximized());
    ASSERT_TRUE(CloseWindow());
    ProfileFile ini(path(QStringLiteral("qumoedit.ini")));
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.readInt(QStringLiteral("Position"), QStringLiteral("Width"), 0), 610);
    EXPECT_EQ(ini.readInt(QStringLiteral("Position"), QStringLiteral("Height"), 0), 430);
}

TEST_F(Close, CancelOnAModifiedDocumentKeepsTheProgramRunning)
{
    WriteIni("");
    Start();
    Editor(form)->insertPlainText(QStringLiteral("unsaved"));
    modals.ThenClick(QMessageBox::Cancel);
    EXPECT_FALSE(CloseWindow());
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].title, QStringLiteral("QUMOEDIT確認"));
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("unsaved"));
    EXPECT_EQ(ReadFile(QStringLiteral("qumoedit.ini")), QByteArray()) << "nothing written";
}

TEST_F(Close, ReadOnlyProgramFolderShowsThePermissionMessageOnce)
{
    WriteIni("[Pre]\nmsize=10\n");
    Start();
    ReadOnlyGuard readOnly(dir_.path());
    if (!readOnly.effective())
        GTEST_SKIP() << "no way to make a folder read-only here";
    modals.ThenClick(QMessageBox::Ok);
    EXPECT_TRUE(CloseWindow());
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].title, QStringLiteral("QUMOEDIT"));
    EXPECT_TRUE(modals.seen()[0].text.startsWith(QStringLiteral("設定を変更する権限がありません。")));
    EXPECT_EQ(ReadFile(QStringLiteral("qumoedit.ini")), QByteArray("[Pre]\nmsize=10\n"));
}

} // namespace
