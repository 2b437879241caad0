#include "colour_swatch.h"
#include "editor_settings.h"
#include "tform3.h"
#include "tform3_controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

// The main window's editing area as far as the dialog sees it: the ruler
// above the editor.
class EditorSettingsTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QWidget window;
    QLabel *ruler = new QLabel("・・・・５・・・・10", &window);
    QPlainTextEdit *editor = new QPlainTextEdit(&window);
    TForm3 form;

    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(ruler);
        layout->addWidget(editor);
        form.setIniPath(dir.filePath("qumoedit.ini"));
        form.LoadSettingsIntoDialog();
    }

    // What the dialog closes with reaches the editor.
    void closeAndApply()
    {
        form.done(QDialog::Accepted);
        ApplyEditorSettings(form.options(), *editor, *ruler);
    }
    QColor base() const { return editor->palette().color(QPalette::Base); }
    QColor text() const { return editor->palette().color(QPalette::Text); }
};

TEST_F(EditorSettingsTest, DefaultsGiveSystemColoursWrapAndRuler)
{
    closeAndApply();
    EXPECT_EQ(editor->font().family(), "ＭＳ ゴシック");
    EXPECT_EQ(base(), QApplication::palette(editor).color(QPalette::Base));
    EXPECT_EQ(text(), QApplication::palette(editor).color(QPalette::Text));
    EXPECT_EQ(editor->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(editor->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(editor->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(ruler->isHidden());
}

TEST_F(EditorSettingsTest, NoWrapNoRulerAndAFaceThatIsNotInstalled)
{
    const int size = editor->font().pointSize();
    Control<QComboBox>(form, "ComboBox1")->setCurrentText("Not Installed Face");
    Box(form, "CheckBox1")->setChecked(false);
    Box(form, "CheckBox2")->setChecked(false);
    closeAndApply();
    EXPECT_EQ(editor->font().family(), "Not Installed Face");
    EXPECT_EQ(editor->font().pointSize(), size);
    EXPECT_EQ(editor->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(editor->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_TRUE(ruler->isHidden());

    Box(form, "CheckBox2")->setChecked(true);
    closeAndApply();
    EXPECT_FALSE(ruler->isHidden());
}

TEST_F(EditorSettingsTest, UserColoursAlsoWhenNoButtonIsSelected)
{
    Control<QRadioButton>(form, "RadioButton2")->setChecked(true);
    closeAndApply();
    EXPECT_EQ(text(), QColor(0x80, 0x90, 0xFF));
    EXPECT_EQ(base(), QColor(0, 0, 0x36));

    Control<QRadioButton>(form, "RadioButton1")->setAutoExclusive(false);
    Control<QRadioButton>(form, "RadioButton2")->setAutoExclusive(false);
    Control<QRadioButton>(form, "RadioButton2")->setChecked(false);
    Control<ColourSwatch>(form, "Panel2")->setColor(0x0000FF);
    closeAndApply();
    EXPECT_EQ(text(), QColor(Qt::red));

    Control<QRadioButton>(form, "RadioButton1")->setChecked(true);
    closeAndApply();
    EXPECT_EQ(text(), QApplication::palette(editor).color(QPalette::Text));
}

TEST_F(EditorSettingsTest, ColourChosenUnderStandardColoursDoesNotReachTheEditor)
{
    QColorDialog shared;
    shared.setOption(QColorDialog::DontUseNativeDialog);
    form.setColorDialog([&shared] { return &shared; });
    closeAndApply();
    const QColor before = base();
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<QColorDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentColor(Qt::green);
        dialog->accept();
    });
    Control<QPushButton>(form, "Button2")->click();
    EXPECT_EQ(Control<ColourSwatch>(form, "Panel3")->Color(), 0x00FF00u);
    closeAndApply();
    EXPECT_EQ(base(), before);
}

TEST(DialogPosition, CentredOverTheMainWindowRoundingTowardZero)
{
    EXPECT_EQ(DialogPositionOver(QRect(100, 50, 664, 550), QSize(337, 315)), QPoint(100 + 163, 50 + 117));
    // A main window smaller than the dialog: halves of negative widths.
    EXPECT_EQ(DialogPositionOver(QRect(0, 0, 300, 300), QSize(337, 315)), QPoint(-18, -7));
    EXPECT_EQ(DialogPositionOver(QRect(-500, -20, 200, 100), QSize(337, 315)), QPoint(-568, -127));
}

TEST_F(EditorSettingsTest, OpeningRunsTheDialogThenAppliesItsSettings)
{
    window.setGeometry(200, 100, 664, 550);
    window.show();
    QRect shownAt;
    QTimer::singleShot(0, [&] {
        auto *modal = QApplication::activeModalWidget();
        ASSERT_EQ(modal, &form);
        shownAt = form.frameGeometry();
        Box(form, "CheckBox1")->setChecked(false);
        Box(form, "CheckBox2")->setChecked(false);
        form.close();
    });
    QTimer::singleShot(3000, &form, &QDialog::reject); // keeps a failure from hanging
    OpenSettingsDialog(form, window, *editor, *ruler);
    const QPoint offCentre = shownAt.center() - window.frameGeometry().center();
    EXPECT_LE(offCentre.manhattanLength(), 2) << offCentre.x() << "," << offCentre.y();
    EXPECT_EQ(editor->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_TRUE(ruler->isHidden());
}

} // namespace
