// UTF-8 pages through the main window: opened, shown, edited and saved.
#include "cp932.h"
#include "form_fixture.h"
#include "radio_group.h"
#include "save_format_choice.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace {

class Utf8Documents : public FormTest
{
protected:
    void SetUp() override
    {
        WriteIni("[Pre]\nPathName=" + dir_.path().toUtf8() + "\n");
        Start();
    }
    void Type(const QString &text) { Editor(form)->insertPlainText(text); }
    // Save as `name` with the code and line end at the given rows of the
    // boxes, answering a question that follows with `answer`.
    void SaveAs(const QString &name, int code, int lineEnd,
                QMessageBox::StandardButton answer = QMessageBox::NoButton)
    {
        modals.Then([=](QWidget *w) {
            auto *dialog = static_cast<QFileDialog *>(w);
            dialog->findChild<QComboBox *>(QStringLiteral("SaveCodeBox"))->setCurrentIndex(code);
            dialog->findChild<QComboBox *>(QStringLiteral("SaveLineEndBox"))->setCurrentIndex(lineEnd);
            AcceptFileName(dialog, name);
        });
        if (answer != QMessageBox::NoButton)
            modals.ThenClick(answer);
        form->SSButton3Click();
    }
    QString Code() const { return form->StatusPanelText(4); }
};

// Rows of the save dialog's boxes.
enum { Sjis, Jis, Euc, Utf8, Utf8Bom };
enum { CrLf, Cr, Lf, KeepMixed };

TEST_F(Utf8Documents, MixedLineEndsAreKeptOrUnifiedOnSaveAs)
{
    WriteFile(QStringLiteral("mixed.txt"), "一\r\n二\n三\n");
    ASSERT_TRUE(form->LoadDocument(path(QStringLiteral("mixed.txt"))));
    // Offered first: keeping each line's end. (Looking also lets the dialog list the folder, whose
    // late selection of the document's own file would replace a name typed at once.)
    QString offered;
    modals.Then([&](QWidget *w) {
        offered = w->findChild<QComboBox *>(QStringLiteral("SaveLineEndBox"))->currentText();
        static_cast<QDialog *>(w)->reject();
    });
    form->SSButton3Click();
    EXPECT_EQ(offered, QStringLiteral("混在のまま"));
    // One end chosen, then the replace question declined: the lines keep their own ends.
    WriteFile(QStringLiteral("taken.txt"), "someone else's");
    SaveAs(QStringLiteral("taken.txt"), Utf8, Lf, QMessageBox::No);
    EXPECT_EQ(ReadFile(QStringLiteral("taken.txt")), "someone else's");
    EXPECT_EQ(Code(), QStringLiteral("UTF-8 混在"));
    SaveAs(QStringLiteral("kept.txt"), Utf8, KeepMixed);
    EXPECT_EQ(ReadFile(QStringLiteral("kept.txt")), "一\r\n二\n三\n");
    EXPECT_EQ(Code(), QStringLiteral("UTF-8 混在"));
    // LF is already the most common end: chosen by name, it still goes to every line.
    SaveAs(QStringLiteral("unified.txt"), Utf8, Lf);
    EXPECT_EQ(ReadFile(QStringLiteral("unified.txt")), "一\n二\n三\n");
    EXPECT_EQ(Code(), QStringLiteral("UTF-8 LF"));
}

TEST_F(Utf8Documents, OpenedAndSavedUnchangedIsByteIdentical)
{
    const struct
    {
        const char *name;
        QByteArray file;
        QString status;
    } cases[] = {
        {"lf.html", "<p>日本語のページ</p>\n", QStringLiteral("UTF-8 LF")},
        {"crlf.txt", "一\r\n二\r\n", QStringLiteral("UTF-8 CRLF")},
        {"cr.txt", "一\r二", QStringLiteral("UTF-8 CR")},
        {"mixed.txt", "一\r\n二\n三\r\n四\r", QStringLiteral("UTF-8 混在")},
        {"bom.html", "\xEF\xBB\xBF<p>é</p>\r\n", QStringLiteral("UTF-8 BOM CRLF")},
        {"emoji.txt", "絵文字😀\n", QStringLiteral("UTF-8 LF")},
        {"ascii-after-mark.txt", "\xEF\xBB\xBFplain\n", QStringLiteral("UTF-8 BOM LF")},
    };
    for (const auto &c : cases) {
        const QString name = QString::fromLatin1(c.name);
        WriteFile(name, c.file);
        ASSERT_TRUE(form->LoadDocument(path(name))) << c.name;
        EXPECT_EQ(Code(), c.status) << c.name;
        form->SSButton4Click();
        EXPECT_EQ(ReadFile(name), c.file) << c.name;
    }
    EXPECT_TRUE(modals.seen().empty());
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("plain\n"));
}

TEST_F(Utf8Documents, EditedPageIsWrittenBackInUtf8)
{
    WriteFile(QStringLiteral("page.html"), "<p>日本語</p>\n<p>二行目</p>\r\n<p>三</p>\n");
    ASSERT_TRUE(form->LoadDocument(path(QStringLiteral("page.html"))));
    EXPECT_EQ(Editor(form)->document()->firstBlock().text(), QStringLiteral("<p>日本語</p>"));
    // Added lines take the most common end; the others keep theirs. The
    // caret panel counts Shift_JIS widths as in any document.
    Editor(form)->moveCursor(QTextCursor::EndOfBlock);
    Type(QStringLiteral("\n😀é"));
    EXPECT_EQ(form->StatusPanelText(1), QStringLiteral("L:002/005  C:004"));
    form->SSButton4Click();
    EXPECT_TRUE(modals.seen().empty()) << "UTF-8 holds every character";
    EXPECT_EQ(ReadFile(QStringLiteral("page.html")), "<p>日本語</p>\n😀é\n<p>二行目</p>\r\n<p>三</p>\n");
}

TEST_F(Utf8Documents, ShiftJisRulesHoldForEverythingElse)
{
    const QByteArray sjis = Cp932::Encode(QStringLiteral("日本語\n"));
    // Valid UTF-8 until its last line, which is Shift_JIS.
    const QByteArray lateSjis = QByteArray("é\r\n").repeated(2000) + sjis;
    const QByteArray cutShort = QByteArray("日本\r\n") + QByteArray("語").left(2);
    const struct
    {
        const char *name;
        QByteArray file;
    } cases[] = {
        {"sjis.html", sjis}, {"late.html", lateSjis}, {"cut.txt", cutShort}, {"ascii.txt", "plain\r\n"}};
    for (const auto &c : cases) {
        const QString name = QString::fromLatin1(c.name);
        WriteFile(name, c.file);
        ASSERT_TRUE(form->LoadDocument(path(name))) << c.name;
        EXPECT_EQ(Code(), QStringLiteral("SJIS CRLF")) << c.name;
        EXPECT_EQ(Editor(form)->toPlainText(), Cp932::Decode(c.file)) << c.name;
        form->SSButton4Click();
        EXPECT_EQ(ReadFile(name), c.file) << c.name << " comes back losslessly";
    }
    // The options' conversion shows for the names it applies to.
    form3->RadioGroup2->setItemIndex(1);
    form->LoadDocument(path(QStringLiteral("sjis.html")));
    EXPECT_EQ(Code(), QStringLiteral("JIS CRLF"));
    form->LoadDocument(path(QStringLiteral("ascii.txt")));
    EXPECT_EQ(Code(), QStringLiteral("SJIS CRLF"));
}

TEST_F(Utf8Documents, Utf8IsReadAsItIsWhateverAutoDecodeSays)
{
    form3->CheckBox14->setChecked(true);
    form3->CheckBox15->setChecked(true);
    WriteFile(QStringLiteral("page.html"), "<p>日本語</p>");
    ASSERT_TRUE(form->LoadDocument(path(QStringLiteral("page.html"))));
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("<p>日本語</p>"));
    form->SSButton4Click();
    EXPECT_EQ(ReadFile(QStringLiteral("page.html")), "<p>日本語</p>") << "no line end added";
}

TEST_F(Utf8Documents, SaveAsOffersTheDocumentsCodeAndChangesIt)
{
    WriteFile(QStringLiteral("page.html"), "一\n二😀\n");
    ASSERT_TRUE(form->LoadDocument(path(QStringLiteral("page.html"))));
    QString offered;
    modals.Then([&](QWidget *w) {
        offered = w->findChild<QComboBox *>(QStringLiteral("SaveCodeBox"))->currentText() + u' ' +
                  w->findChild<QComboBox *>(QStringLiteral("SaveLineEndBox"))->currentText();
        static_cast<QDialog *>(w)->reject();
    });
    form->SSButton3Click();
    EXPECT_EQ(offered, QStringLiteral("UTF-8 LF"));

    // To Shift_JIS: the emoji is asked about, as for any Shift_JIS save.
    SaveAs(QStringLiteral("sjis.html"), Sjis, CrLf, QMessageBox::No);
    EXPECT_EQ(modals.seen().back().objectName, QStringLiteral("UnencodableQuestion"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("sjis.html"))));
    EXPECT_EQ(Code(), QStringLiteral("UTF-8 LF")) << "a declined save changes nothing";
    SaveAs(QStringLiteral("sjis.html"), Sjis, CrLf, QMessageBox::Yes);
    EXPECT_EQ(ReadFile(QStringLiteral("sjis.html")), Cp932::Encode(QStringLiteral("一\n二?\n")));
    EXPECT_EQ(Code(), QStringLiteral("SJIS CRLF"));

    // The editor still holds the emoji: back to UTF-8 with the mark and CR
    // LF, then EUC-JP with LF, which asks again, on save as and on save.
    Type(QStringLiteral("é"));
    SaveAs(QStringLiteral("bom.html"), Utf8Bom, CrLf);
    EXPECT_EQ(ReadFile(QStringLiteral("bom.html")), "\xEF\xBB\xBF"
                                                    "é一\r\n二😀\r\n");
    EXPECT_EQ(Code(), QStringLiteral("UTF-8 BOM CRLF"));
    Editor(form)->textCursor().deletePreviousChar();
    SaveAs(QStringLiteral("euc.txt"), Euc, Lf, QMessageBox::Yes);
    EXPECT_EQ(ReadFile(QStringLiteral("euc.txt")), "\xB0\xEC\n\xC6\xF3?\n");
    EXPECT_EQ(Code(), QStringLiteral("EUC LF"));
    QFile::remove(path(QStringLiteral("euc.txt")));
    modals.ThenClick(QMessageBox::Yes);
    form->SSButton4Click();
    EXPECT_EQ(ReadFile(QStringLiteral("euc.txt")), "\xB0\xEC\n\xC6\xF3?\n") << "plain save keeps the choice";
    EXPECT_TRUE(modals.allAnswered());
}

TEST_F(Utf8Documents, ShiftJisSaveAsLeftAsOfferedFollowsTheOptions)
{
    // JIS for HTML names only: the dialog offers what the document is now
    // (Shift_JIS under a .txt name), and the new .html name still converts.
    form3->RadioGroup2->setItemIndex(1);
    form->document().path = path(QStringLiteral("notes.txt"));
    Type(QStringLiteral("漢"));
    SaveAs(QStringLiteral("page.html"), Sjis, CrLf);
    EXPECT_EQ(ReadFile(QStringLiteral("page.html")), "\x1B$B4A");
    EXPECT_EQ(Code(), QStringLiteral("JIS CRLF"));
}

TEST_F(Utf8Documents, NewDocumentsAreUtf8WhenChosen)
{
    form->SSButton2Click();
    EXPECT_EQ(Code(), QStringLiteral("SJIS CRLF"));
    form3->CheckBoxNewUtf8->setChecked(true);
    form->SSButton2Click();
    EXPECT_EQ(Code(), QStringLiteral("UTF-8 LF"));
    Type(QStringLiteral("新規\n文書"));
    form->SSButton4Click();
    EXPECT_EQ(ReadFile(QFileInfo(form->document().path).fileName()), "新規\n文書");
}

} // namespace
