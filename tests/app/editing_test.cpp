#include "display_blocks.h"
#include "document_codec.h"
#include "editor_text.h"
#include "form_fixture.h"
#include "search_bar.h"
#include "shine_speed_button.h"
#include "stored_text.h"
#include "tag_colours.h"
#include <QCheckBox>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

class Editing : public FormTest
{
protected:
    void SetUp() override
    {
        WriteIni("[Pre]\nPathName=" + dir_.path().toUtf8() + "\n[Option]\nKeySound=0\n");
        Start();
    }
    // The text with the caret at the '|' it holds.
    void SetText(const QString &marked)
    {
        QString text = marked;
        const qsizetype caret = text.indexOf(u'|');
        text.remove(caret, 1);
        Editor(form)->setPlainText(text);
        QTextCursor cursor = Editor(form)->textCursor();
        cursor.setPosition(int(caret));
        Editor(form)->setTextCursor(cursor);
    }
    void Select(int from, int to)
    {
        QTextCursor cursor = Editor(form)->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        Editor(form)->setTextCursor(cursor);
    }
    QString Text() const { return Editor(form)->toPlainText(); }
    QString BlueMap() const { return ::BlueMap(*Editor(form)); }
};

TEST_F(Editing, KeysIndentTagAndDeleteLines)
{
    const struct
    {
        QString before;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int tagCase;
        QString after;
    } cases[] = {
        {QStringLiteral("|\t\tabc"), Qt::Key_Return, Qt::NoModifier, 0, QStringLiteral("\n\t\tabc")},
        {QStringLiteral("\t|\tabc"), Qt::Key_Return, Qt::NoModifier, 0, QStringLiteral("\t\n\t\tabc")},
        {QStringLiteral("  ab|c"), Qt::Key_Return, Qt::NoModifier, 0, QStringLiteral("  ab\n  c")},
        {QStringLiteral("abc|"), Qt::Key_Return, Qt::ShiftModifier, 0, QStringLiteral("abc<br>\n")},
        {QStringLiteral("  x|"), Qt::Key_Return, Qt::ShiftModifier, 2, QStringLiteral("  x<BR>\n  ")},
        {QStringLiteral("o|ne\ntwo\nthree"), Qt::Key_Delete, Qt::ShiftModifier, 0,
         QStringLiteral("two\nthree")},
        {QStringLiteral("one\nt|wo\nthree"), Qt::Key_Delete, Qt::ShiftModifier, 0,
         QStringLiteral("one\nthree")},
        {QStringLiteral("one\ntwo\nthr|ee"), Qt::Key_Delete, Qt::ShiftModifier, 0,
         QStringLiteral("one\ntwo")},
    };
    for (const auto &c : cases) {
        Part<QComboBox>(TagPaletteOf(form), "ComboBox5")->setCurrentIndex(c.tagCase);
        SetText(c.before);
        QTest::keyClick(Editor(form), c.key, c.modifiers);
        EXPECT_EQ(Text(), c.after) << c.before.toStdString();
    }
    ChangeSettings(
        [](QWidget *dialog) { Part<QCheckBox>(dialog, QStringLiteral("CheckBox11"))->setChecked(false); });
    SetText(QStringLiteral("  ab|c"));
    QTest::keyClick(Editor(form), Qt::Key_Return);
    EXPECT_EQ(Text(), QStringLiteral("  ab\nc")) << "without automatic indentation";
}

TEST_F(Editing, InsertKeySwitchesOverwriteAndTheIndicator)
{
    SetText(QStringLiteral("|abc"));
    QTest::keyClick(Editor(form), Qt::Key_Insert);
    EXPECT_EQ(StatusBarOf(form)->text(StatusBar::Mode), QStringLiteral("上書き"));
    QTest::keyClicks(Editor(form), QStringLiteral("xy"));
    EXPECT_EQ(Text(), QStringLiteral("xyc"));
    QTest::keyClick(Editor(form), Qt::Key_Insert);
    EXPECT_EQ(StatusBarOf(form)->text(StatusBar::Mode), QStringLiteral("挿入"));
    QTest::keyClicks(Editor(form), QStringLiteral("z"));
    EXPECT_EQ(Text(), QStringLiteral("xyzc"));
}

TEST_F(Editing, MenuCommandsRewriteThePageOrTheSelection)
{
    const struct
    {
        TForm1::Cmd command;
        QString text;
        int from, to; // selection
        QString after;
    } cases[] = {
        {TForm1::Cmd::N4, QStringLiteral("<TITLE>Top</TITLE>\n<h1 a=1>見出し</h1>\n<B>x</B>&nbsp;y<BR>z"), 0,
         0, QStringLiteral("★【Top】\n■見出し\n[x] yz")},
        {TForm1::Cmd::N7, QStringLiteral("<P ALIGN=\"LEFT\">本文</P>"), 0, 0,
         QStringLiteral("<p align=\"LEFT\">本文</p>")},
        {TForm1::Cmd::N8, QStringLiteral("<a href=\"x.html\">リンク</a>"), 0, 0,
         QStringLiteral("<A HREF=\"x.html\">リンク</A>")},
        {TForm1::Cmd::BR1, QStringLiteral("a\nb\nc"), 0, 5, QStringLiteral("a<br>\nb<br>\nc")},
        {TForm1::Cmd::N3, QStringLiteral("1 > 0 <i>ok</i> 残す"), 0, 15, QStringLiteral("1 > 0 ok 残す")},
        {TForm1::Cmd::N5, QStringLiteral("l1\nl2\nl3\nl4"), 4, 9, QStringLiteral("l1\n\tl2\n\tl3\nl4")},
        {TForm1::Cmd::TAB1, QStringLiteral("a\tb\t漢"), 0, 5, QStringLiteral("ab漢")},
        {TForm1::Cmd::N11, QStringLiteral("ABC全角Ａ"), 0, 6, QStringLiteral("abc全角Ａ")},
        {TForm1::Cmd::N12, QStringLiteral("abc<b>"), 0, 6, QStringLiteral("ABC<B>")},
    };
    for (const auto &c : cases) {
        Editor(form)->setPlainText(c.text);
        Select(c.from, c.to);
        form->command(c.command)->trigger();
        const std::string name = form->command(c.command)->objectName().toStdString();
        EXPECT_EQ(Text(), c.after) << name;
        Editor(form)->undo();
        EXPECT_EQ(Text(), c.text) << name << " undoes in one step";
    }
}

// Commands on a line held as display blocks act on the line as stored.
TEST_F(Editing, CommandsOnALongLineSeeTheRealLine)
{
    using DisplayBlocks::PieceChars;
    QString line = QStringLiteral("  ");
    for (int i = 0; i < 2 * DisplayBlocks::MaxBlockChars; ++i)
        line += QChar(char16_t(u'a' + i % 26));
    const QString text = QStringLiteral("l1\n") + line + QStringLiteral("\nl3");
    const int soft = 3 + PieceChars; // the first character after the first soft break
    const auto upper = [&](int from, int to) {
        QString t = text;
        return t.replace(from, to - from, t.mid(from, to - from).toUpper());
    };
    const struct
    {
        const char *name;
        std::function<void()> apply;
        int from, to; // the selection, stored
        QString after;
    } cases[] = {
        {"Shift+Delete deletes the whole line",
         [&] { QTest::keyClick(Editor(form), Qt::Key_Delete, Qt::ShiftModifier); }, soft + 5, soft + 5,
         QStringLiteral("l1\nl3")},
        {"Enter indents as the line starts", [&] { QTest::keyClick(Editor(form), Qt::Key_Return); }, soft + 5,
         soft + 5, QString(text).insert(soft + 5, QStringLiteral("\n  "))},
        {"TAB indents the selected lines", [&] { form->command(TForm1::Cmd::N5)->trigger(); }, 1, soft + 5,
         QString(text).insert(3, u'\t').insert(0, u'\t')},
        {"upper case over a soft break", [&] { form->command(TForm1::Cmd::N12)->trigger(); }, soft - 4,
         soft + 4, upper(soft - 4, soft + 4)},
    };
    QFile file(path(QStringLiteral("long.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.toLatin1());
    file.close();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(form->LoadDocument(path(QStringLiteral("long.txt"))));
        const DisplayBlocks::SoftBreaks breaks(*Editor(form)->document());
        ASSERT_FALSE(breaks.isEmpty());
        Select(int(breaks.displayStart(c.from)), int(breaks.displayStart(c.to)));
        c.apply();
        QApplication::processEvents();
        EXPECT_EQ(TextTools::StoredText(*Editor(form)->document()), c.after);
        Editor(form)->undo();
        QApplication::processEvents();
        EXPECT_EQ(TextTools::StoredText(*Editor(form)->document()), text) << "undone in one step";
    }
}

TEST_F(Editing, QuotePasteAndDateAndTextSize)
{
    QApplication::clipboard()->setText(QStringLiteral("a\r\nb"));
    SetText(QStringLiteral("|"));
    QTest::keyClick(Editor(form), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(Text(), QStringLiteral("> a\n> b\n"));
    // Every way in pastes once: the key, the menu's action (also the toolbar's), and copy-all copies.
    QApplication::clipboard()->setText(QStringLiteral("x"));
    SetText(QStringLiteral("|"));
    QTest::keyClick(Editor(form), Qt::Key_V, Qt::ControlModifier);
    form->command(TForm1::Cmd::KPaste1)->trigger();
    EXPECT_EQ(Text(), QStringLiteral("xx"));
    form->command(TForm1::Cmd::K3)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("xx"));

    SetOptions([](DialogOptions &o) { o.dateTime = QStringLiteral("yyyy'年'"); });
    SetText(QStringLiteral("|"));
    form->DF51Click();
    EXPECT_EQ(Text(), QString::number(QDate::currentDate().year()) + QStringLiteral("年"));

    std::vector<int> sizes;
    for (int i = 0; i < 3; ++i) {
        ToolbarButton(form, 11)->Click();
        sizes.push_back(Editor(form)->font().pointSize());
    }
    EXPECT_EQ(sizes, (std::vector<int>{12, 15, 9}));
    ToolbarButton(form, 11)->Click();
    Editor(form)->document()->setModified(false);
    form->SSButton2Click();
    EXPECT_EQ(Editor(form)->font().pointSize(), 9) << "a new document returns to the base size";
}

// What is blue is tested on TagColours; here, that the palettes' captions
// colour, a load starts uncoloured and the timer colours typing.
TEST_F(Editing, TagsAreColouredByCaptionClickAndTimer)
{
    Editor(form)->insertPlainText(QStringLiteral("<a>\n<b>x"));
    QTest::mouseClick(Part<QLabel>(ClipPaletteOf(form), "Label2"), Qt::LeftButton);
    EXPECT_EQ(BlueMap(), QStringLiteral("bbb/bbb."));
    WriteFile(QStringLiteral("plain.txt"), "<b>x");
    Editor(form)->setPlainText(QStringLiteral("<a>x"));
    QTest::mouseClick(Part<QLabel>(ClipPaletteOf(form), "Label2"), Qt::LeftButton);
    ASSERT_TRUE(form->LoadDocument(path(QStringLiteral("plain.txt"))));
    EXPECT_EQ(BlueMap(), QStringLiteral("...."));

    // Typing near the caret is coloured on the next tick.
    SetOptions([](DialogOptions &o) { o.useAutoHtml = true; });
    Editor(form)->setPlainText(QStringLiteral("text "));
    Editor(form)->moveCursor(QTextCursor::End);
    QTest::keyClicks(Editor(form), QStringLiteral("<i>x"));
    form->Timer1Timer();
    EXPECT_EQ(BlueMap(), QStringLiteral(".....bbb."));
}

// The limit itself is tested on DocumentEditor; here, that a refused paste is explained.
TEST_F(Editing, APasteOverTheDocumentLimitIsRefusedWithAMessage)
{
    Editor(form)->setPlainText(QStringLiteral("ab"));
    Editor(form)->moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QString(MaxDocumentChars - 1, u'x'));
    modals.ThenClick(QMessageBox::Ok);
    Editor(form)->paste();
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].text, QStringLiteral("編集できる文書は 134217728 文字までです。"));
    EXPECT_EQ(Text(), QStringLiteral("ab"));
    QApplication::clipboard()->clear();
}

// The search itself is tested on EditorSearch; here, that the toolbar opens
// the bar and its buttons reach the window's editor.
TEST_F(Editing, SearchBarOpensAndSearchesTheEditor)
{
    SearchBar *bar = SearchBarOf(form);
    form->activateWindow();
    ToolbarButton(form, 10)->Click();
    EXPECT_EQ(bar->height(), 54);
    auto *search = Part<QLineEdit>(bar, "Edit1");
    EXPECT_TRUE(search->hasFocus() || QApplication::focusWidget() == search || form->focusWidget() == search);
    Part<QCheckBox>(bar, "CheckBox1")->click();
    EXPECT_EQ(bar->height(), 81);

    Editor(form)->setPlainText(QStringLiteral("xabc <p>abc</p>"));
    search->setText(QStringLiteral("abc"));
    Part<TShineSpeedButton>(bar, "ShineSpeedButton4")->Click();
    EXPECT_EQ(Editor(form)->textCursor().selectionStart(), 1);
    Part<QLineEdit>(bar, "Edit2")->setText(QStringLiteral("-"));
    Part<TShineSpeedButton>(bar, "ShineSpeedButton7")->Click();
    EXPECT_EQ(Text(), QStringLiteral("x- <p>-</p>"));
}

} // namespace
