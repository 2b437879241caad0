// Defining palette buttons through the dialog: the handler shared by both
// palettes, the set files it writes, and the dialog's own fields.
#include "palette_fixture.h"
#include "read_only_guard.h"
#include "tform2.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

// The button dialog's controls, by object name.
QLineEdit *CaptionField(const TForm2 *d)
{
    return Part<QLineEdit>(d, "Edit1");
}
QPlainTextEdit *Content(const TForm2 *d)
{
    return Part<QPlainTextEdit>(d, "RichEdit1");
}
QPlainTextEdit *Help(const TForm2 *d)
{
    return Part<QPlainTextEdit>(d, "RichEdit2");
}
// SelectStart (Panel2), SelectLength (Panel3), the current caption (Panel1).
QString Shown(const TForm2 *d, const char *panel)
{
    return Part<QLabel>(d, panel)->text();
}
QTabWidget *Pages(const TForm2 *d)
{
    return Part<QTabWidget>(d, "PageControl1");
}
QTreeWidget *Placeholders(const TForm2 *d)
{
    return Part<QTreeWidget>(d, "PlaceholderList");
}
QPushButton *Button(const TForm2 *d, const char *name)
{
    return Part<QPushButton>(d, name);
}

class ButtonDialogTest : public PaletteTest
{
protected:
    // Right-clicks `button` and answers the dialog with `answer`, then 登録 (or キャンセル).
    void Define(TShineSpeedButton *button, const std::function<void(TForm2 *)> &answer = {},
                bool confirm = true)
    {
        Answer(answer, confirm);
        Press(button, Qt::RightButton);
        ASSERT_TRUE(modals.allAnswered());
    }
    void Answer(const std::function<void(TForm2 *)> &answer, bool confirm = true)
    {
        modals.Then([answer, confirm](QWidget *w) {
            auto *dialog = static_cast<TForm2 *>(w);
            if (answer)
                answer(dialog);
            Button(dialog, confirm ? "Button1" : "Button2")->click();
        });
    }
    // The lines of a set file as the palettes read them.
    QStringList SetLines(const QString &file) const
    {
        const auto &kind = file.endsWith(Palettes::ClipPalette().extension) ? Palettes::ClipPalette()
                                                                            : Palettes::TagPalette();
        return Palettes::ReadSet(programDir(), file.chopped(kind.extension.size()), kind).list.lines();
    }
    static void Select(QPlainTextEdit *editor, int from, int to)
    {
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
    }
};

TEST_F(ButtonDialogTest, AnUndefinedButtonConfirmedAsIsGetsTheDefaults)
{
    WriteSet(QStringLiteral("HTML"), {});
    Start();
    TagPaletteOf(form)->setVisible(true);
    QString shown;
    Define(TagPaletteOf(form)->buttons()[4], [&shown](TForm2 *d) {
        shown = d->windowTitle() + u'|' + CaptionField(d)->text() + u'|' +
                Content(d)->textCursor().selectedText() + u'|' + Shown(d, "Panel2") + u'|' +
                Shown(d, "Panel3") + u'|' + Content(d)->toPlainText();
        EXPECT_EQ(Pages(d)->currentIndex(), 0);
        EXPECT_EQ(d->focusWidget(), Content(d));
    });
    EXPECT_EQ(shown, QStringLiteral("ボタン内容設定|未登録||10|0|未登録です"));
    EXPECT_EQ(TagPaletteOf(form)->buttons()[4]->Caption(), QStringLiteral("未登録"));
    const Palettes::SetRead read =
        Palettes::ReadSet(programDir(), QStringLiteral("HTML"), Palettes::TagPalette());
    ASSERT_TRUE(read.list.record(4));
    EXPECT_EQ(read.list.lines().mid(1), QStringList({"*Button4", "未登録", "未登録です", "10", "0", ""}));
    // A left press inserts on release and never opens the dialog.
    Edit(QString(), 0, 0);
    Click(5);
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("未登録です"));
    EXPECT_EQ(modals.seen().size(), 1u);
}

TEST_F(ButtonDialogTest, ThePlaceholderListWritesOneAtTheCaret)
{
    WriteSet(QStringLiteral("HTML"),
             {{0, {QStringLiteral("meta"), QStringLiteral("<meta charset=\"\">"), 15, 0, QString()}}});
    Start();
    TagPaletteOf(form)->setVisible(true);
    Define(TagPaletteOf(form)->buttons()[0], [](TForm2 *d) {
        Pages(d)->setCurrentWidget(Placeholders(d));
        const QList<QTreeWidgetItem *> found =
            Placeholders(d)->findItems(QStringLiteral("*charset*"), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        Placeholders(d)->setFocus();
        Placeholders(d)->setCurrentItem(found[0]);
        QTest::keyClick(Placeholders(d), Qt::Key_Return);
        EXPECT_EQ(Pages(d)->currentIndex(), 0);
        EXPECT_EQ(Shown(d, "Panel2"), QStringLiteral("24"));
    });
    EXPECT_EQ(SetLines("HTML.qmh").mid(1),
              QStringList({"*Button0", "meta", "<meta charset=\"*charset*\">", "24", "0", ""}));
}

TEST_F(ButtonDialogTest, TheDialogShowsAndStoresTheSelectionInEditorUnits)
{
    WriteSet(QStringLiteral("HTML"), {{2,
                                       {QStringLiteral("太字"), QStringLiteral("日本<b>\n</b>"), 7, 2,
                                        QStringLiteral("説明\n二行目")}}});
    Start();
    TagPaletteOf(form)->setVisible(true);
    Define(TagPaletteOf(form)->buttons()[2], [this](TForm2 *d) {
        EXPECT_EQ(Shown(d, "Panel1"), QStringLiteral("太字"));
        EXPECT_EQ(Content(d)->textCursor().selectedText(), QString(QChar::ParagraphSeparator));
        EXPECT_EQ(Shown(d, "Panel2"), QStringLiteral("7"));
        EXPECT_EQ(Shown(d, "Panel3"), QStringLiteral("2"));
        EXPECT_EQ(Help(d)->toPlainText(), QStringLiteral("説明\n二行目"));
        // Moving the caret updates the numbers; the help editor's selection does not.
        Select(Content(d), 1, 4);
        EXPECT_EQ(Shown(d, "Panel2") + u'/' + Shown(d, "Panel3"), QStringLiteral("2/4"));
        Select(Help(d), 0, 2);
        EXPECT_EQ(Shown(d, "Panel2") + u'/' + Shown(d, "Panel3"), QStringLiteral("2/4"));
        CaptionField(d)->setText(QStringLiteral("新"));
    });
    const QStringList lines = SetLines("HTML.qmh");
    EXPECT_EQ(lines.mid(1),
              QStringList({"*Button2", "新", "日本<b>\\r\\n</b>", "2", "4", "説明\\r\\n二行目"}))
        << lines.join(u'|').toStdString();
    EXPECT_EQ(TagPaletteOf(form)->buttons()[2]->Caption(), QStringLiteral("新"));
    EXPECT_EQ(TagPaletteOf(form)->buttons()[2]->toolTip(), QStringLiteral("説明\n二行目"));
}

TEST_F(ButtonDialogTest, CancelChangesNothing)
{
    WriteSet(QStringLiteral("HTML"), {{0, {QStringLiteral("段落"), QStringLiteral("<p>"), 3, 0, QString()}}});
    const QByteArray before = ReadFile("HTML.qmh");
    Start();
    TagPaletteOf(form)->setVisible(true);
    Define(
        TagPaletteOf(form)->buttons()[0], [](TForm2 *d) { CaptionField(d)->setText(QStringLiteral("変更")); },
        false);
    Define(TagPaletteOf(form)->buttons()[1], {}, false);
    EXPECT_EQ(ReadFile("HTML.qmh"), before);
    EXPECT_EQ(TagPaletteOf(form)->buttons()[0]->Caption(), QStringLiteral("段落"));
    EXPECT_EQ(TagPaletteOf(form)->buttons()[1]->Caption(), QString());
}

TEST_F(ButtonDialogTest, ATypedSetNameGetsACopyOfTheWholeSet)
{
    WriteSet(QStringLiteral("HTML"), {{0, {QStringLiteral("段落"), QStringLiteral("<p>"), 3, 0, QString()}}});
    const QByteArray before = ReadFile("HTML.qmh");
    Start();
    TagPaletteOf(form)->setVisible(true);
    Part<QComboBox>(TagPaletteOf(form), "ComboBox2")->setEditText(QStringLiteral("私の"));
    Define(TagPaletteOf(form)->buttons()[1]);
    EXPECT_EQ(ReadFile("HTML.qmh"), before);
    const QStringList copy = SetLines(QStringLiteral("私の.qmh"));
    EXPECT_EQ(copy.size(), 13);
    EXPECT_EQ(copy.mid(1, 2), QStringList({"*Button0", "段落"}));
    EXPECT_GE(Part<QComboBox>(TagPaletteOf(form), "ComboBox2")->findText(QStringLiteral("私の")), 0);
    EXPECT_EQ(Part<QComboBox>(TagPaletteOf(form), "ComboBox2")->currentText(), QStringLiteral("私の"));
}

// New set, define, delete, define again: the buttons stay usable throughout, on both palettes.
TEST_F(ButtonDialogTest, NewAndDeleteOnBothPalettes)
{
    const struct
    {
        const Palettes::PaletteKind &kind;
        const char *newFile;
        const char *header;
        const char *question;
        const char *newButton, *deleteButton, *setBox;
    } rows[] = {
        {Palettes::TagPalette(), "新規HTMLデータ.qmh", "[QUMOEDIT HTML Button Data Ver1.0]",
         "データ「新規HTMLデータ」を削除しますか？", "ShineSpeedButton2", "ShineSpeedButton3", "ComboBox2"},
        {Palettes::ClipPalette(), "新規QUMOCLIPデータ.qmc", "text",
         "クリップデータ「新規QUMOCLIPデータ」を削除しますか？", "SpeedButton20", "SpeedButton19",
         "ComboBox1"},
    };
    for (const auto &row : rows) {
        const size_t seen = modals.seen().size();
        WriteSet(QStringLiteral("HTML"),
                 {{1, {QStringLiteral("旧"), QStringLiteral("<hr>"), 4, 0, QString()}}},
                 Palettes::TagPalette());
        WriteIni("[Pre]\nPathName=" + dir_.path().toUtf8() + "\nClipName=HTML\n");
        Start();
        const bool tags = &row.kind == &Palettes::TagPalette();
        TagPaletteOf(form)->setVisible(true);
        ClipPaletteOf(form)->setVisible(true);
        ButtonPalette *palette =
            tags ? static_cast<ButtonPalette *>(TagPaletteOf(form)) : ClipPaletteOf(form);
        QList<TShineSpeedButton *> buttons = palette->buttons();
        Part<TShineSpeedButton>(palette, row.newButton)->Click();
        for (TShineSpeedButton *button : buttons)
            EXPECT_EQ(button->Caption(), QString()) << row.newFile;

        Define(buttons[1], [](TForm2 *d) {
            EXPECT_EQ(CaptionField(d)->text(), QStringLiteral("未登録"));
            Content(d)->setPlainText(QStringLiteral("<br>"));
        });
        const QString file = QString::fromUtf8(row.newFile);
        EXPECT_EQ(SetLines(file).value(0), QLatin1String(row.header));
        EXPECT_EQ(SetLines(file).size(), 7);

        modals.ThenClick(QMessageBox::Yes);
        Part<TShineSpeedButton>(palette, row.deleteButton)->Click();
        ASSERT_EQ(modals.seen().size(), seen + 2);
        EXPECT_EQ(modals.seen()[seen + 1].text, QString::fromUtf8(row.question));
        EXPECT_FALSE(QFile::exists(path(file)));
        EXPECT_LT(Part<QComboBox>(palette, row.setBox)->findText(file.chopped(4)), 0);

        Edit(QString(), 0, 0);
        Press(buttons[1]);
        EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("<br>"));
        Define(buttons[2]);
        EXPECT_EQ(SetLines(file).size(), 13) << row.newFile;
        form.reset();
        QFile::remove(path(file));
    }
}

TEST_F(ButtonDialogTest, AnUnwritableSetIsReportedAndTheChangeStaysInMemory)
{
    WriteSet(QStringLiteral("HTML"), {{0, {QStringLiteral("段落"), QStringLiteral("<p>"), 3, 0, QString()}}});
    const QByteArray before = ReadFile("HTML.qmh");
    Start();
    TagPaletteOf(form)->setVisible(true);
    // Both: a folder that refuses new files alone gets the file rewritten in place.
    ReadOnlyGuard fileGuard(path("HTML.qmh"));
    ReadOnlyGuard guard(dir_.path());
    if (!guard.effective() || !fileGuard.effective())
        GTEST_SKIP() << "the folder cannot be made read-only here";
    Answer([](TForm2 *d) { CaptionField(d)->setText(QStringLiteral("新しい")); });
    modals.ThenClick(QMessageBox::Ok);
    Press(TagPaletteOf(form)->buttons()[0], Qt::RightButton);
    ASSERT_EQ(modals.seen().size(), 2u);
    EXPECT_TRUE(modals.seen()[1].text.contains(QStringLiteral("HTML.qmh")))
        << modals.seen()[1].text.toStdString();
    EXPECT_EQ(ReadFile("HTML.qmh"), before);
    EXPECT_EQ(TagPaletteOf(form)->buttons()[0]->Caption(), QStringLiteral("新しい"));
    EXPECT_EQ(TagPaletteOf(form)->setList().record(0)->caption, QStringLiteral("新しい"));
}

// Two windows on one program folder: each 登録 merges into the file as it is now.
TEST_F(ButtonDialogTest, TwoWindowsKeepEachOthersDefinitions)
{
    WriteSet(QStringLiteral("HTML"), {{0, {QStringLiteral("段落"), QStringLiteral("<p>"), 3, 0, QString()}}});
    Start();
    std::unique_ptr<TForm1> windowA = std::move(form);
    Start();
    TForm1 *windowB = form.get();
    TagPaletteOf(windowA)->setVisible(true);
    TagPaletteOf(windowB)->setVisible(true);
    const auto caption = [](const QString &text) {
        return [text](TForm2 *d) { CaptionField(d)->setText(text); };
    };
    Define(TagPaletteOf(windowA)->buttons()[10], caption(QStringLiteral("コメント")));
    Define(TagPaletteOf(windowB)->buttons()[11], caption(QStringLiteral("日付")));
    Define(TagPaletteOf(windowA)->buttons()[0], caption(QStringLiteral("段")));
    const QStringList lines = SetLines(QStringLiteral("HTML.qmh"));
    EXPECT_EQ(lines.size(), 1 + 3 * 6);
    for (TForm1 *window : {windowA.get(), windowB}) {
        EXPECT_EQ(TagPaletteOf(window)->buttons()[10]->Caption(), QStringLiteral("コメント"));
        EXPECT_EQ(TagPaletteOf(window)->buttons()[11]->Caption(), QStringLiteral("日付"));
    }
    EXPECT_EQ(TagPaletteOf(windowA)->buttons()[0]->Caption(), QStringLiteral("段"));
    EXPECT_EQ(TagPaletteOf(windowA)->setList().lines(), lines);
    EXPECT_EQ(modals.seen().size(), 3u);
    windowA.reset();
}

// A set too large to load is not replaced by what the window shows.
TEST_F(ButtonDialogTest, ASetThatWasNotReadWholeIsNotWritten)
{
    const QByteArray large = "[QUMOEDIT HTML Button Data Ver1.0]\r\n" + QByteArray(3 << 20, 'x');
    WriteFile(QStringLiteral("HTML.qmh"), large);
    modals.ThenClick(QMessageBox::Ok);
    Start();
    TagPaletteOf(form)->setVisible(true);
    Answer([](TForm2 *d) { CaptionField(d)->setText(QStringLiteral("新しい")); });
    modals.ThenClick(QMessageBox::Ok);
    Press(TagPaletteOf(form)->buttons()[0], Qt::RightButton);
    ASSERT_EQ(modals.seen().size(), 3u);
    EXPECT_TRUE(modals.seen()[2].text.contains(QStringLiteral("2097152")))
        << modals.seen()[2].text.toStdString();
    EXPECT_EQ(ReadFile("HTML.qmh"), large);
    EXPECT_EQ(TagPaletteOf(form)->buttons()[0]->Caption(), QStringLiteral("新しい"));
}

TEST_F(ButtonDialogTest, TheColourButtonAndResizing)
{
    Start();
    auto *colours = form->findChild<ColourPanel *>(QStringLiteral("Panel4"));
    colours->setSliders(0x0080FF);
    TForm2 form2([colours] { return colours->colourCode(); }, form.get());
    TForm2 *dialog = &form2;
    dialog->Show(Palettes::ButtonDefinition{}, QString());
    Button(dialog, "Button3")->click();
    EXPECT_EQ(CaptionField(dialog)->text(), QStringLiteral("#ff8000"));
    EXPECT_EQ(Content(dialog)->toPlainText(), QStringLiteral("#ff8000"));
    EXPECT_EQ(Shown(dialog, "Panel2"), QStringLiteral("7"));

    dialog->show();
    const QSize editor = Content(dialog)->size();
    const int fromBottom = dialog->height() - Button(dialog, "Button1")->y();
    dialog->resize(dialog->width() + 100, dialog->height() + 80);
    QApplication::processEvents();
    EXPECT_GT(Content(dialog)->width(), editor.width());
    EXPECT_GT(Content(dialog)->height(), editor.height());
    EXPECT_EQ(dialog->height() - Button(dialog, "Button1")->y(), fromBottom);
    dialog->hide();
}

} // namespace
