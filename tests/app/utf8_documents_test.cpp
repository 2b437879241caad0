// The document's code as the main window shows it after save as and for a new document.
#include "form_fixture.h"
#include "radio_group.h"

#include <QFileDialog>
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
    // Save as `name` with the code and line end at the given rows of the boxes.
    void SaveAs(const QString &name, SaveCodeRow code, SaveLineEndRow lineEnd)
    {
        modals.Then([=](QWidget *w) { AcceptSaveAs(static_cast<QFileDialog *>(w), name, code, lineEnd); });
        form->SSButton3Click();
    }
    QString Code() const { return StatusBarOf(form)->text(StatusBar::Code); }
};

TEST_F(Utf8Documents, ShiftJisSaveAsLeftAsOfferedFollowsTheOptions)
{
    // JIS for HTML names only: the dialog offers what the document is now
    // (Shift_JIS under a .txt name), and the new .html name still converts.
    SetOptions([](DialogOptions &o) { o.charCode = 1; });
    form->document().setPath(path(QStringLiteral("notes.txt")));
    Type(QStringLiteral("漢"));
    SaveAs(QStringLiteral("page.html"), Sjis, CrLf);
    EXPECT_EQ(ReadFile(QStringLiteral("page.html")), "\x1B$B4A\x1B(B");
    EXPECT_EQ(Code(), QStringLiteral("JIS CRLF"));
}

TEST_F(Utf8Documents, NewDocumentShowsItsCode)
{
    SetOptions([](DialogOptions &o) { o.newUtf8 = true; });
    form->SSButton2Click();
    EXPECT_EQ(Code(), QStringLiteral("UTF-8 LF"));
}

} // namespace
