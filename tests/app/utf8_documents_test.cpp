// UTF-8 pages through the main window: opened, shown, edited and saved.
#include "cp932.h"
#include "form_fixture.h"
#include "radio_group.h"
#include "save_format_choice.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>

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

TEST_F(Utf8Documents, NewDocumentShowsItsCode)
{
    form3->CheckBoxNewUtf8->setChecked(true);
    form->SSButton2Click();
    EXPECT_EQ(Code(), QStringLiteral("UTF-8 LF"));
}

} // namespace
