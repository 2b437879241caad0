#include "display_blocks.h"
#include "palette_fixture.h"
#include "stored_text.h"
#include "test_files.h"
#include "tool_panels.h"

#include <QAccessible>

namespace {

using TagPaletteTest = PaletteTest;

TEST_F(TagPaletteTest, TheNamedSetShowsOnTheButtons)
{
    WriteSet(QStringLiteral("HTML"), {{5,
                                       {QStringLiteral("見出し"), QStringLiteral("<h1>*text*</h1>"), 4, 0,
                                        QStringLiteral("見出し\n一行目")}},
                                      {0, {QStringLiteral("段落"), QStringLiteral("<p>"), 3, 0, QString()}}});
    WriteSet(QStringLiteral("abc"), {});
    Start();
    EXPECT_EQ(TagPaletteOf(form)->buttons()[5]->Caption(), QStringLiteral("見出し"));
    EXPECT_EQ(TagPaletteOf(form)->buttons()[5]->toolTip(), QStringLiteral("見出し\n一行目"));
    EXPECT_EQ(TagPaletteOf(form)->buttons()[0]->Caption(), QStringLiteral("段落"));
    EXPECT_EQ(TagPaletteOf(form)->buttons()[1]->Caption(), QString());
    EXPECT_EQ(TagPaletteOf(form)->buttons()[1]->toolTip(), QString());
    QComboBox *box = Part<QComboBox>(TagPaletteOf(form), "ComboBox2");
    ASSERT_EQ(box->count(), 2);
    EXPECT_EQ(box->itemText(0), QStringLiteral("abc"));
    EXPECT_EQ(box->itemText(1), QStringLiteral("HTML"));
    EXPECT_EQ(box->currentText(), QStringLiteral("HTML"));
    EXPECT_TRUE(modals.seen().empty());
}

// Captions are text: "&" is shown as written and makes no Alt key.
TEST_F(TagPaletteTest, AmpersandsInCaptionsAreShownAsWritten)
{
    const QString captions[] = {QStringLiteral("&copy;"), QStringLiteral("a&b"), QStringLiteral("&&"),
                                QStringLiteral("x&")};
    QList<std::pair<int, ButtonDefinition>> buttons;
    for (int i = 0; i < 4; ++i)
        buttons.append({i, {captions[i], QStringLiteral("&copy;"), 6, 0, QString()}});
    WriteSet(QStringLiteral("HTML"), buttons);
    Start();
    TagPaletteOf(form)->setVisible(true);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    for (int i = 0; i < 4; ++i) {
        TShineSpeedButton *button = TagPaletteOf(form)->buttons()[i];
        EXPECT_EQ(button->Caption(), captions[i]);
        EXPECT_TRUE(button->MnemonicKey().isEmpty()) << i;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name), captions[i]);
        // Drawn as a caption with each "&" doubled is drawn when "&" marks mnemonics.
        TShineSpeedButton *escaped = MakePaletteButton(TagPaletteOf(form), QString(), 0, button->geometry());
        escaped->setShowAccelChar(true);
        escaped->setCaption(QString(captions[i]).replace(u'&', QStringLiteral("&&")));
        escaped->show();
        EXPECT_EQ(button->grab().toImage(), escaped->grab().toImage()) << i;
        delete escaped;
    }
    Editor(form)->setFocus();
    Edit(QString(), 0, 0);
    QTest::keyClick(Editor(form), Qt::Key_C, Qt::AltModifier);
    QTest::keyClick(Editor(form), Qt::Key_B, Qt::AltModifier);
    EXPECT_FALSE(Editor(form)->toPlainText().contains(QStringLiteral("&copy;")));
}

TEST_F(TagPaletteTest, ASetThatCannotBeReadIsReportedOnce)
{
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("HTML.qmh")));
    modals.ThenClick(QMessageBox::Ok);
    Start();
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_TRUE(modals.seen()[0].text.contains(QStringLiteral("HTML.qmh")));
    EXPECT_EQ(TagPaletteOf(form)->buttons()[0]->Caption(), QString());
}

// Where the template's selection lands is tested on InsertAndSelect; here,
// that a click brings the case box's choice and the selection along.
TEST_F(TagPaletteTest, ClickReplacesTheSelectionInTheChosenCase)
{
    WriteSet(QStringLiteral("HTML"),
             {{2, {QStringLiteral("x"), QStringLiteral("<B>*text*</B>"), 3, 6, QString()}}});
    Start();
    Part<QComboBox>(TagPaletteOf(form), "ComboBox5")->setCurrentIndex(1);
    Edit(QStringLiteral("前日本語後"), 1, 4);
    Click(3);
    const QTextCursor cursor = Editor(form)->textCursor();
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("前<b>日本語</b>後"));
    EXPECT_EQ(cursor.selectionStart(), 4);
    EXPECT_EQ(cursor.selectionEnd() - cursor.selectionStart(), 3);
}

// A template over a selection that spans a soft break of a long line: the
// text and the selection are those of the line as stored.
TEST_F(TagPaletteTest, ATemplateOverASoftBreakSelectsAsStored)
{
    using DisplayBlocks::PieceChars;
    WriteSet(QStringLiteral("HTML"),
             {{2, {QStringLiteral("x"), QStringLiteral("<b>*text*</b>"), 3, 6, QString()}}});
    Start();
    QString line;
    for (int i = 0; i < 2 * DisplayBlocks::MaxBlockChars; ++i)
        line += QChar(char16_t(u'a' + i % 26));
    Editor(form)->setPlainText(line);
    QApplication::processEvents(); // the line is split into display blocks
    const DisplayBlocks::SoftBreaks breaks(*Editor(form)->document());
    ASSERT_FALSE(breaks.isEmpty());
    QTextCursor cursor = Editor(form)->textCursor();
    cursor.setPosition(int(breaks.displayStart(PieceChars - 2)));
    cursor.setPosition(int(breaks.display(PieceChars + 2)), QTextCursor::KeepAnchor);
    Editor(form)->setTextCursor(cursor);
    Click(3);
    const QString selected = line.mid(PieceChars - 2, 4);
    EXPECT_EQ(
        TextTools::StoredText(*Editor(form)->document()),
        QString(line).replace(PieceChars - 2, 4, QStringLiteral("<b>") + selected + QStringLiteral("</b>")));
    EXPECT_EQ(TextTools::StoredSelection(Editor(form)->textCursor()), selected + QStringLiteral("</"));
    EXPECT_EQ(DisplayBlocks::SoftBreaks(*Editor(form)->document())
                  .stored(Editor(form)->textCursor().selectionStart()),
              PieceChars + 1);
}

TEST_F(TagPaletteTest, ChoosingAnotherSetLoadsIt)
{
    WriteSet(QStringLiteral("HTML"), {{0, {QStringLiteral("一"), QStringLiteral("<hr>"), 4, 0, QString()}}});
    WriteSet(QStringLiteral("Other"), {{1, {QStringLiteral("二"), QStringLiteral("<br>"), 4, 0, QString()}}});
    Start();
    QComboBox *box = Part<QComboBox>(TagPaletteOf(form), "ComboBox2");
    Choose(box, QStringLiteral("Other"));
    EXPECT_EQ(TagPaletteOf(form)->buttons()[0]->Caption(), QString());
    EXPECT_EQ(TagPaletteOf(form)->buttons()[1]->Caption(), QStringLiteral("二"));
    Edit(QString(), 0, 0);
    Click(1);
    EXPECT_EQ(Editor(form)->toPlainText(), QString());
    Click(2);
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("<br>"));
}

// The shipped HTML5 set's page declares the code the document will be saved
// in (which code that is, is tested on Document).
TEST_F(TagPaletteTest, ThePageSkeletonDeclaresTheSavedCode)
{
    WriteIni("[Pre]\nPathName=" + dir_.path().toUtf8() + "\nTagName=HTML5\n[Code]\nCharCode=2\n");
    WriteFile(QStringLiteral("HTML5.qmh"), ReadFileBytes(QStringLiteral(QUMO_ASSETS_DIR "HTML5.qmh")));
    WriteFile(QStringLiteral("page.html"), "<p>\x93\xfa\x96\x7b</p>\r\n");
    Start({path(QStringLiteral("page.html"))});
    Editor(form)->clear();
    Click(1);
    const QString page = Editor(form)->toPlainText();
    EXPECT_TRUE(page.startsWith(QStringLiteral("<!DOCTYPE html>\n<html lang=\"ja\">")));
    EXPECT_TRUE(page.contains(QStringLiteral("<meta charset=\"EUC-JP\">"))) << page.toStdString();
    EXPECT_TRUE(modals.seen().empty());
}

} // namespace
