#include "display_blocks.h"
#include "form_fixture.h"
#include "read_only_guard.h"
#include "recently_used.h"
#include "status_bar.h"
#include "stored_text.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QUrl>

namespace {

class Documents : public FormTest
{
protected:
    void SetUp() override
    {
        WriteIni("[Pre]\nPathName=" + dir_.path().toUtf8() + "\n");
        Start();
    }
    void Type(const QString &text) { Editor(form)->insertPlainText(text); }
};

TEST_F(Documents, FailedSaveInsideTheQuestionStopsTheCommand)
{
    form->document().setPath(path(QStringLiteral("no/folder/doc.txt")));
    Type(QStringLiteral("text"));
    modals.ThenClick(QMessageBox::Yes);
    modals.ThenClick(QMessageBox::Ok);
    EXPECT_FALSE(form->ConfirmSaveChanges());
    ASSERT_EQ(modals.seen().size(), 2u);
    EXPECT_EQ(modals.seen()[1].text, QStringLiteral("ファイル %1 を作成できません\n\n"
                                                    "ファイルまたはフォルダーが存在しません")
                                         .arg(form->document().path()));
}

TEST_F(Documents, NewDocumentThenPlainSaveWritesTheDefaultName)
{
    form->SSButton2Click();
    EXPECT_EQ(form->document().path(), path(QStringLiteral("newtext.txt")));
    Type(QStringLiteral("first line"));
    form->SSButton4Click();
    EXPECT_TRUE(modals.seen().empty()) << "no dialog for the default name";
    EXPECT_EQ(ReadFile(QStringLiteral("newtext.txt")), "first line");
    EXPECT_FALSE(Editor(form)->document()->isModified());
    TagPaletteOf(form)->setVisible(true);
    form->SSButton2Click();
    EXPECT_EQ(form->document().path(), path(QStringLiteral("newhtml.html")));
}

TEST_F(Documents, OverwriteQuestionNoLeavesTheFile)
{
    SetOptions([](DialogOptions &o) { o.overwriteMes = true; });
    WriteFile(QStringLiteral("keep.txt"), "previous");
    form->document().setPath(path(QStringLiteral("keep.txt")));
    Type(QStringLiteral("new"));
    modals.ThenClick(QMessageBox::No);
    form->SSButton4Click();
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].text,
              path(QStringLiteral("keep.txt")) + QStringLiteral("\nは存在します。上書きしますか？"));
    EXPECT_EQ(ReadFile(QStringLiteral("keep.txt")), "previous");
    EXPECT_TRUE(Editor(form)->document()->isModified());
}

TEST_F(Documents, FailedReadKeepsThePreviousDocument)
{
    WriteFile(QStringLiteral("first.txt"), "first text");
    ASSERT_TRUE(form->LoadDocument(path(QStringLiteral("first.txt"))));
    modals.ThenClick(QMessageBox::Ok);
    EXPECT_FALSE(form->LoadDocument(dir_.path())) << "a folder is no document";
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].text,
              QStringLiteral("ファイル %1 は開けません\n\nフォルダーです").arg(dir_.path()));
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("first text"));
    EXPECT_EQ(form->document().path(), path(QStringLiteral("first.txt")));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("QUMOEDIT [%1]").arg(path(QStringLiteral("first.txt"))));
}

TEST_F(Documents, ReadOnlyFolderSavesAWritableFileButNotAReadOnlyOne)
{
    WriteFile(QStringLiteral("doc.txt"), "on disk");
    ASSERT_TRUE(form->LoadDocument(path(QStringLiteral("doc.txt"))));
    Type(QStringLiteral("edited "));
    {
        ReadOnlyGuard readOnly(dir_.path());
        if (!readOnly.effective())
            GTEST_SKIP() << "no way to make a folder read-only here";
        form->SSButton4Click();
        EXPECT_TRUE(modals.seen().empty());
        EXPECT_EQ(ReadFile(QStringLiteral("doc.txt")), "edited on disk");
        EXPECT_FALSE(Editor(form)->document()->isModified());

        Type(QStringLiteral("again "));
        ReadOnlyGuard readOnlyFile(path(QStringLiteral("doc.txt")));
        modals.ThenClick(QMessageBox::Ok);
        form->SSButton4Click();
        ASSERT_EQ(modals.seen().size(), 1u);
        EXPECT_EQ(modals.seen()[0].text,
                  QStringLiteral("ファイル %1 を作成できません\n\nアクセス権がありません")
                      .arg(path(QStringLiteral("doc.txt"))));
        EXPECT_EQ(ReadFile(QStringLiteral("doc.txt")), "edited on disk");
        EXPECT_TRUE(Editor(form)->document()->isModified());
    }
    EXPECT_TRUE(QDir(dir_.path()).entryList({QStringLiteral(".*")}, QDir::Files | QDir::Hidden).isEmpty())
        << "no copy is left";
}

TEST_F(Documents, ShiftEnterAndPastedLineSeparatorsAreRealLineBreaks)
{
    form->document().setPath(path(QStringLiteral("breaks.txt")));
    Type(QStringLiteral("a"));
    QTest::keyClick(Editor(form), Qt::Key_Return, Qt::ShiftModifier);
    Type(QStringLiteral("b"));
    auto *paste = new QMimeData;
    paste->setText(QStringLiteral("c") + QChar(QChar::LineSeparator) + QStringLiteral("d"));
    QApplication::clipboard()->setMimeData(paste);
    Editor(form)->paste();
    EXPECT_EQ(Editor(form)->document()->blockCount(), 3);
    EXPECT_EQ(StatusBarOf(form)->text(StatusBar::Caret), QStringLiteral("L:003/003  C:001"));
    form->SSButton4Click();
    EXPECT_TRUE(modals.seen().empty()) << "no question about an invisible character";
    EXPECT_EQ(ReadFile(QStringLiteral("breaks.txt")), "a<br>\r\nbc\r\nd");
    Editor(form)->undo();
    EXPECT_EQ(Editor(form)->document()->toRawText(), QStringLiteral("a<br>\u2029b"))
        << "the paste and its line break undo as one";
}

TEST_F(Documents, DeclinedSaveAsChangesNothing)
{
    form->document().setPath(path(QStringLiteral("old.txt")));
    form->ShowStatus();
    Type(QStringLiteral("é"));
    modals.Then([&](QWidget *w) {
        auto *dialog = static_cast<QFileDialog *>(w);
        AcceptFileName(dialog, QStringLiteral("new.txt"));
    });
    modals.ThenClick(QMessageBox::No);
    form->SSButton3Click();
    ASSERT_EQ(modals.seen().size(), 2u);
    EXPECT_EQ(modals.seen()[1].objectName, QStringLiteral("UnencodableQuestion"));
    EXPECT_EQ(form->document().path(), path(QStringLiteral("old.txt")));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("QUMOEDIT [%1]").arg(path(QStringLiteral("old.txt"))));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("new.txt"))));
    EXPECT_TRUE(Editor(form)->document()->isModified());
}

// The questions of a plain save are tested on DocumentFiles; here, that the
// window asks to reload once per change when it is activated.
TEST_F(Documents, FileChangedByAnotherProgramIsOfferedForReloading)
{
    WriteFile(QStringLiteral("doc.txt"), "mine");
    ASSERT_TRUE(form->LoadDocument(path(QStringLiteral("doc.txt"))));
    WriteFile(QStringLiteral("doc.txt"), "theirs again");
    modals.ThenClick(QMessageBox::No);
    form->checkDiskChanges();
    form->checkDiskChanges();
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].objectName, QStringLiteral("ReloadQuestion"));
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("mine"));
    WriteFile(QStringLiteral("doc.txt"), "theirs, third time");
    modals.ThenClick(QMessageBox::Yes);
    form->checkDiskChanges();
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("theirs, third time"));
    EXPECT_FALSE(Editor(form)->document()->isModified());
}

TEST_F(Documents, SetupWithARememberedFolderThatIsGoneSavesThroughSaveAs)
{
    const QString gone = path(QStringLiteral("gone"));
    ASSERT_TRUE(QDir().mkdir(gone));
    WriteIni("[Pre]\nPathName=" + gone.toUtf8() + "\n");
    modals.ThenClose(); // the settings dialog "/setup" opens
    Start({QStringLiteral("/setup")});
    ASSERT_TRUE(QDir().rmdir(gone));
    Type(QStringLiteral("x"));
    modals.Then([&](QWidget *w) {
        AcceptFileName(static_cast<QFileDialog *>(w), path(QStringLiteral("named.txt")));
    });
    form->SSButton4Click();
    EXPECT_EQ(modals.seen().back().objectName, QStringLiteral("SaveDialog1"));
    EXPECT_FALSE(QFileInfo::exists(gone));
    EXPECT_EQ(ReadFile(QStringLiteral("named.txt")), "x");
}

// The keys at a soft break are tested on DocumentEditor; here, that a
// loaded long line wraps anywhere and the caret panel counts it as stored.
TEST_F(Documents, CaretPanelCountsALongLineAsStored)
{
    QByteArray line;
    for (int i = 0; i < 2 * DisplayBlocks::MaxBlockChars; ++i)
        line += char('a' + i % 26);
    WriteFile(QStringLiteral("long.txt"), "ab\r\n" + line + "\r\n");
    ASSERT_TRUE(form->LoadDocument(path(QStringLiteral("long.txt"))));
    QPlainTextEdit *editor = Editor(form);
    EXPECT_EQ(editor->wordWrapMode(), QTextOption::WrapAnywhere);
    const int soft = 3 + DisplayBlocks::PieceChars; // stored: the first character after the break
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(int(DisplayBlocks::SoftBreaks(*editor->document()).displayStart(soft + 10)));
    editor->setTextCursor(cursor);
    EXPECT_EQ(StatusBarOf(form)->text(StatusBar::Caret),
              QStringLiteral("L:002/003  C:%1").arg(DisplayBlocks::PieceChars + 10));
}

// The file commands' own rules are tested on DocumentFiles; here, that save
// as reaches them and the window shows the new name.
TEST_F(Documents, SaveAsShowsTheNewNameAndASavedText)
{
    form->document().setPath(path(QStringLiteral("old.txt")));
    Type(QStringLiteral("x"));
    modals.Then([](QWidget *w) {
        AcceptFileNameWithFilter(static_cast<QFileDialog *>(w), QStringLiteral("index"), 3);
    });
    form->SSButton3Click();
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].objectName, QStringLiteral("SaveDialog1"));
    EXPECT_EQ(form->document().path(), path(QStringLiteral("index.html")));
    EXPECT_EQ(ReadFile(QStringLiteral("index.html")), "x");
    EXPECT_EQ(form->windowTitle(), QStringLiteral("QUMOEDIT [%1]").arg(path(QStringLiteral("index.html"))));
    EXPECT_FALSE(Editor(form)->document()->isModified());
}

TEST_F(Documents, OpenCommandLoadsTheChosenFileAndRemembersTheFilter)
{
    WriteFile(QStringLiteral("script.cgi"), "#!/usr/bin/perl\r\n");
    modals.Then([&](QWidget *w) {
        auto *dialog = static_cast<QFileDialog *>(w);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ファイルを開く"));
        EXPECT_EQ(dialog->directory().path(), dir_.path());
        AcceptFileNameWithFilter(dialog, QStringLiteral("script.cgi"), 5);
    });
    form->SSButton1Click();
    EXPECT_EQ(form->document().path(), path(QStringLiteral("script.cgi")));
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("#!/usr/bin/perl\n"));

    form->document().setPath(path(QStringLiteral("noext")));
    QString saveFilter;
    modals.Then([&](QWidget *w) {
        saveFilter = static_cast<QFileDialog *>(w)->selectedNameFilter();
        static_cast<QDialog *>(w)->reject();
    });
    form->SSButton3Click();
    EXPECT_TRUE(saveFilter.startsWith(QStringLiteral("CGIファイル")))
        << "save as starts with the open filter";
}

TEST_F(Documents, CaretPanelCountsEditorUnits)
{
    QStringList lines;
    for (int i = 1; i <= 120; ++i)
        lines << QStringLiteral("line %1").arg(i);
    const struct
    {
        QString text;
        int at;
        const char *shown;
    } cases[] = {
        {lines.join(u'\n'), 42, "L:007/120  C:000"},
        {QStringLiteral("日本ｶa\n"), 4, "L:001/002  C:006"},
        // Shift_JIS widths, whatever the document's code.
        {QStringLiteral("<p>日本語</p>\n😀é\n<p>二行目</p>\n<p>三</p>\n"), 14, "L:002/005  C:004"},
    };
    for (const auto &c : cases) {
        Editor(form)->setPlainText(c.text);
        QTextCursor cursor = Editor(form)->textCursor();
        cursor.setPosition(c.at);
        Editor(form)->setTextCursor(cursor);
        EXPECT_EQ(StatusBarOf(form)->text(StatusBar::Caret), QLatin1String(c.shown)) << c.shown;
    }
}

// Reading the file again in a chosen code: the menu's codes, the question when there are edits, and
// the file never touched.
TEST_F(Documents, ReopenReadsTheFileInTheChosenCodeAndKeepsIt)
{
    const QByteArray euc = "\xa4\xb3\xa4\xce\xbc\xad\xbd\xf1\n"; // この辞書 in EUC-JP
    WriteFile(QStringLiteral("dict.txt"), euc);
    ASSERT_TRUE(form->LoadDocument(path(QStringLiteral("dict.txt"))));
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("この辞書\n"));
    const struct
    {
        const char *action;
        bool edited;
        QMessageBox::StandardButton answer; // NoButton: nothing asked
        bool asEuc;                         // afterwards the text reads as EUC-JP, else as Shift_JIS
        QString code;
    } rows[] = {
        {"ReopenSjis", false, QMessageBox::NoButton, false, "SJIS LF"},
        {"ReopenEuc", true, QMessageBox::No, false, "SJIS LF"},
        {"ReopenEuc", true, QMessageBox::Yes, true, "EUC LF"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.action);
        if (row.edited)
            Type(QStringLiteral("x"));
        const QString before = Editor(form)->toPlainText();
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
        if (row.answer != QMessageBox::NoButton)
            modals.Then([&](QWidget *w) {
                auto *box = static_cast<QMessageBox *>(w);
                defaultButton = box->standardButton(box->defaultButton());
                box->button(row.answer)->click();
            });
        const std::size_t asked = modals.seen().size();
        form->findChild<QAction *>(QLatin1String(row.action))->trigger();
        EXPECT_EQ(modals.seen().size(), asked + (row.answer != QMessageBox::NoButton));
        if (row.answer != QMessageBox::NoButton) {
            EXPECT_EQ(defaultButton, QMessageBox::No);
        }
        if (row.answer == QMessageBox::No)
            EXPECT_EQ(Editor(form)->toPlainText(), before) << "declined: the edits stay";
        else
            EXPECT_EQ(Editor(form)->toPlainText() == QStringLiteral("この辞書\n"), row.asEuc);
        EXPECT_EQ(StatusBarOf(form)->text(StatusBar::Code), row.code);
        EXPECT_EQ(ReadFile(QStringLiteral("dict.txt")), euc) << "reading never changes the file";
    }
    // The document keeps the code it was read in: an unedited save writes the same bytes.
    form->command(TForm1::Cmd::Save1)->trigger();
    EXPECT_EQ(ReadFile(QStringLiteral("dict.txt")), euc);
}

// 最近使ったファイル: what was opened or saved, newest first, kept across starts and told to the desktop.
TEST_F(Documents, RecentFilesListWhatWasOpenedOrSaved)
{
    WriteFile(QStringLiteral("a.txt"), "a");
    WriteFile(QStringLiteral("b.html"), "<p>b</p>");
    ASSERT_TRUE(form->LoadDocument(path(QStringLiteral("a.txt"))));
    ASSERT_TRUE(form->LoadDocument(path(QStringLiteral("b.html"))));
    form->document().setPath(path(QStringLiteral("c.txt")));
    Type(QStringLiteral("c"));
    form->command(TForm1::Cmd::Save1)->trigger();
    QFile::remove(path(QStringLiteral("a.txt")));
    ASSERT_TRUE(CloseWindow());
    Start();
    auto *recent = form->findChild<QMenu *>(QStringLiteral("RecentMenu"));
    ASSERT_NE(recent, nullptr);
    emit recent->aboutToShow();
    QStringList shown;
    for (QAction *action : recent->actions())
        shown << action->toolTip() + (action->isEnabled() ? QString() : QStringLiteral(" (grey)"));
    EXPECT_EQ(shown, QStringList({path(QStringLiteral("c.txt")), path(QStringLiteral("b.html")),
                                  path(QStringLiteral("a.txt")) + QStringLiteral(" (grey)")}));
    recent->actions().at(1)->trigger();
    EXPECT_EQ(form->document().path(), path(QStringLiteral("b.html")));
    QFile list(RecentlyUsedPath());
    ASSERT_TRUE(list.open(QIODevice::ReadOnly));
    const QByteArray xbel = list.readAll();
    EXPECT_TRUE(xbel.contains(QUrl::fromLocalFile(path(QStringLiteral("c.txt"))).toEncoded()))
        << xbel.constData();
    EXPECT_TRUE(xbel.contains("<bookmark:application name=\"QUMOEDIT\""));
}

} // namespace
