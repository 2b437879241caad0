#include "colour_swatch.h"
#include "editor_fonts.h"
#include "legible_colour.h"
#include "mime_apps_list.h"
#include "radio_group.h"
#include "settings_write.h"
#include "shell_integration.h"
#include "shine_speed_button.h"
#include "tform3.h"
#include "url_label.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>
#include <optional>

namespace {

// Accepts every message box the dialog shows, counting them.
struct MessageCounter
{
    MessageCounter()
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                ++count;
                box->accept();
            }
        });
        timer.start();
    }
    int count = 0;
    QTimer timer;
};

class TForm3Test : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    TForm3 form;

    void SetUp() override { form.setIniPath(dir.filePath("qumoedit.ini")); }

    void writeIni(const QByteArray &bytes)
    {
        QFile file(form.iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    template <typename T> T *child(const char *name)
    {
        return form.findChild<T *>(QString::fromLatin1(name));
    }

    static void answerColourDialog(QColor colour, bool confirm)
    {
        whenModal([colour, confirm](QWidget *modal) {
            auto *dialog = qobject_cast<QColorDialog *>(modal);
            ASSERT_NE(dialog, nullptr);
            dialog->setCurrentColor(colour);
            confirm ? dialog->accept() : dialog->reject();
        });
    }

    // Runs `inside` once the next modal window is up.
    static void whenModal(std::function<void(QWidget *)> inside)
    {
        QTimer::singleShot(0, [inside] { inside(QApplication::activeModalWidget()); });
    }
};

TEST_F(TForm3Test, FormAndTabs)
{
    EXPECT_EQ(form.windowTitle(), "About QUMOEDIT");
    EXPECT_EQ(form.size(), QSize(337, 315));
    EXPECT_EQ(form.font().pixelSize(), 12);
    ASSERT_EQ(form.PageControl1->count(), 5);
    const QStringList tabs{"画面設定", "機能設定", "高度設定", "関連付け", "著作権"};
    for (int i = 0; i < tabs.size(); ++i)
        EXPECT_EQ(form.PageControl1->tabText(i), tabs[i]);
    EXPECT_EQ(form.PButton1->Caption(), "OK");
    EXPECT_EQ(form.PButton1->size(), QSize(78, 24));
    EXPECT_TRUE(form.PButton1->font().bold());
    EXPECT_EQ(form.PButton1->ActiveFontColor(), clAqua);
    EXPECT_EQ(form.OpenDialog1->windowTitle(), "セカンドブラウザの指定");
}

TEST_F(TForm3Test, MainWindowFindsTheControlsByName)
{
    ASSERT_NE(form.PageControl1.get(), nullptr) << "asking for one control builds them all";
    for (const char *name : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6",
                             "CheckBox7", "CheckBox8", "CheckBox9", "CheckBox10", "CheckBox11", "CheckBox12",
                             "CheckBox13", "CheckBox14", "CheckBox15", "CheckBox16", "CheckBox17"})
        EXPECT_NE(child<QCheckBox>(name), nullptr) << name;
    for (const char *name :
         {"ComboBox1", "Edit1", "Edit2", "RadioButton1", "RadioButton2", "Panel2", "Panel3", "Button1",
          "Button2", "Button3", "RadioGroup1", "RadioGroup2", "PButton1"})
        EXPECT_NE(form.findChild<QWidget *>(name), nullptr) << name;
    // "&&" is the escape for the one ampersand shown.
    EXPECT_EQ(form.RadioGroup2->item(0)->text(), "SJIS  (Win&&Mac)");
}

TEST_F(TForm3Test, InitialStatesBeforeAnyFileIsRead)
{
    for (QCheckBox *on : {form.CheckBox1, form.CheckBox2, form.CheckBox10, form.CheckBox11, form.CheckBox7,
                          form.CheckBox8, form.CheckBox9})
        EXPECT_TRUE(on->isChecked()) << on->objectName().toStdString();
    for (QCheckBox *off : {form.CheckBox17, form.CheckBox13, form.CheckBox3, form.CheckBox16, form.CheckBox14,
                           form.CheckBox15, form.CheckBox4, form.CheckBox5, form.CheckBox6, form.CheckBox12})
        EXPECT_FALSE(off->isChecked()) << off->objectName().toStdString();
    EXPECT_TRUE(form.RadioButton1->isChecked());
    EXPECT_FALSE(form.RadioButton2->isChecked());
    EXPECT_EQ(form.Panel2->Color(), clWhite);
    EXPECT_EQ(form.Panel3->Color(), clBlack);
    EXPECT_EQ(form.Edit1->text(), "mm/dd/yyyy hh:nn:ss");
    EXPECT_TRUE(form.Edit2->text().isEmpty());
    EXPECT_EQ(form.RadioGroup2->itemIndex(), 0);
    EXPECT_EQ(form.RadioGroup1->itemIndex(), 0);
    EXPECT_TRUE(form.ComboBox1->isEditable());
    EXPECT_TRUE(form.previousTxtCommand.isEmpty());
    EXPECT_TRUE(form.firstShowPending);
}

TEST_F(TForm3Test, FontListLeavesOutVerticalFaces)
{
    const QStringList choices =
        EditorFontChoices({"Sans", "@ＭＳ ゴシック", "MS ゴシック", "Serif@Vert", "Mono"});
    EXPECT_EQ(choices, QStringList({"Sans", "MS ゴシック", "Mono"}));
    EXPECT_EQ(DefaultEditorFontIndex(choices), 1);
    EXPECT_EQ(DefaultEditorFontIndex({"Sans", "ＭＳ ゴシック"}), 0);
    EXPECT_EQ(DefaultEditorFontIndex({}), 0);

    for (int i = 0; i < form.ComboBox1->count(); ++i)
        EXPECT_FALSE(form.ComboBox1->itemText(i).contains('@'));
    EXPECT_GT(form.ComboBox1->count(), 0);
}

TEST_F(TForm3Test, NoSettingsFileShowsTheDefaults)
{
    form.LoadSettingsIntoDialog();
    EXPECT_EQ(form.ComboBox1->currentText(), "ＭＳ ゴシック");
    EXPECT_TRUE(form.CheckBox1->isChecked());
    EXPECT_TRUE(form.CheckBox2->isChecked());
    EXPECT_TRUE(form.RadioButton1->isChecked());
    EXPECT_FALSE(form.RadioButton2->isChecked());
    const QColor text = ColorToQColor(form.Panel2->Color(), form.palette());
    const QColor back = ColorToQColor(form.Panel3->Color(), form.palette());
    EXPECT_EQ(text, QColor(0x80, 0x90, 0xFF));
    EXPECT_EQ(back, QColor(0, 0, 0x36));
    EXPECT_TRUE(form.CheckBox10->isChecked());
    EXPECT_TRUE(form.CheckBox11->isChecked());
    EXPECT_EQ(form.Edit1->text(), "mm/dd/yyyy hh:nn:ss");
    EXPECT_EQ(form.RadioGroup2->itemIndex(), 0);
    EXPECT_EQ(form.RadioGroup1->itemIndex(), 0);
    EXPECT_EQ(form.options(), DialogOptions());
}

TEST_F(TForm3Test, LoadFillsEveryControl)
{
    writeIni("[PreI]\nEditFont=Not Installed Face\nReturnRight=0\nRuler=0\nDefaultColor=0\nUserColor=1\n"
             "FontColor=255\nBackColor=0xFF0000\nUseTmp=1\nUseAutoHtml=1\nPreTxtProg=\"\"a\" \"%1\"\"\n"
             "PreHtmProg=b\n"
             "[Option]\nKeySound=0\nAutoIndent=0\nSaveAsHTM=1\nDateTime=yyyy/mm/dd\nOverwriteMes=1\n"
             "SecondBrowser=1\nSecondBrowserPath=/usr/bin/firefox\n"
             "[Code]\nAutoDecode=1\nDecodeAll=1\nCharCode=1\nRetCode=2\n");
    form.LoadSettingsIntoDialog();
    EXPECT_EQ(form.ComboBox1->currentText(), "Not Installed Face");
    EXPECT_FALSE(form.CheckBox1->isChecked());
    EXPECT_FALSE(form.CheckBox2->isChecked());
    EXPECT_FALSE(form.RadioButton1->isChecked());
    EXPECT_TRUE(form.RadioButton2->isChecked());
    EXPECT_EQ(form.Panel2->Color(), 0x0000FFu);
    EXPECT_EQ(form.Panel3->Color(), 0xFF0000u);
    EXPECT_TRUE(form.CheckBox3->isChecked());
    EXPECT_TRUE(form.CheckBox4->isChecked());
    // The stored previous opener is kept only while the text default is ours;
    // this desktop has none.
    EXPECT_EQ(form.previousTxtCommand, "");
    EXPECT_EQ(form.previousHtmlCommand, "b");
    EXPECT_FALSE(form.CheckBox10->isChecked());
    EXPECT_FALSE(form.CheckBox11->isChecked());
    EXPECT_TRUE(form.CheckBox13->isChecked());
    EXPECT_EQ(form.Edit1->text(), "yyyy/mm/dd");
    EXPECT_TRUE(form.CheckBox17->isChecked());
    EXPECT_TRUE(form.CheckBox16->isChecked());
    EXPECT_EQ(form.Edit2->text(), "/usr/bin/firefox");
    EXPECT_TRUE(form.CheckBox14->isChecked());
    EXPECT_TRUE(form.CheckBox15->isChecked());
    EXPECT_EQ(form.RadioGroup2->itemIndex(), 1);
    EXPECT_EQ(form.RadioGroup1->itemIndex(), 2);
}

// Start-up reads the options without building the controls; what it reads is
// what the controls show once built.
TEST_F(TForm3Test, OptionsReadBeforeTheControlsAreBuiltAreWhatTheyShow)
{
    DialogOptions odd;
    odd.defaultColor = true;
    odd.userColor = true;
    odd.charCode = 7;
    odd.retCode = -1;
    odd.editFont = QStringLiteral("Not Installed Face");
    const struct
    {
        const char *ini;
        std::optional<DialogOptions> shown; // given to showOptions instead of the file
    } cases[] = {
        {"", {}},
        {"[PreI]\nEditFont=Mono\nReturnRight=0\nRuler=0\nDefaultColor=0\nUserColor=1\nFontColor=255\n"
         "[Option]\nKeySound=0\nDateTime=yyyy\nSecondBrowserPath=/bin/b\n[Code]\nCharCode=2\nRetCode=1\n",
         {}},
        {"[PreI]\nDefaultColor=0\nUserColor=0\n", {}},
        {"", odd},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.ini);
        writeIni(c.ini);
        TForm3 dialog;
        dialog.setIniPath(form.iniPath());
        c.shown ? dialog.showOptions(*c.shown) : dialog.LoadSettingsIntoDialog();
        const DialogOptions read = dialog.options();
        EXPECT_EQ(dialog.findChild<QTabWidget *>(), nullptr) << "built at start-up";
        dialog.showPage(TForm3::AdvancedPage);
        ASSERT_NE(dialog.PageControl1.get(), nullptr);
        EXPECT_EQ(dialog.options(), read);
        EXPECT_EQ(dialog.PageControl1->currentIndex(), TForm3::AdvancedPage);
    }
}

TEST_F(TForm3Test, ColourRadioButtonsFollowBothKeys)
{
    writeIni("[PreI]\nDefaultColor=0\nUserColor=0\n");
    form.LoadSettingsIntoDialog();
    EXPECT_FALSE(form.RadioButton1->isChecked());
    EXPECT_FALSE(form.RadioButton2->isChecked());

    writeIni("[PreI]\nDefaultColor=1\nUserColor=1\n");
    form.LoadSettingsIntoDialog();
    EXPECT_FALSE(form.RadioButton1->isChecked());
    EXPECT_TRUE(form.RadioButton2->isChecked());

    // The buttons stay exclusive for the user afterwards.
    form.RadioButton1->click();
    EXPECT_TRUE(form.RadioButton1->isChecked());
    EXPECT_FALSE(form.RadioButton2->isChecked());
}

TEST_F(TForm3Test, DateTimeDefaultIsWhatTheFieldHolds)
{
    form.Edit1->setText("hh:nn");
    form.LoadSettingsIntoDialog();
    EXPECT_EQ(form.Edit1->text(), "hh:nn");
}

TEST_F(TForm3Test, AssociationsAreReadFromTheDesktopAndCarriedOutOnClose)
{
    const ShellIntegration::Places places = ShellIntegration::UserPlaces();
    ASSERT_TRUE(places.configHome.startsWith(QDir::homePath())) << "tests run in a home of their own";
    MimeAppsList before(places.configHome + "/mimeapps.list");
    before.setDefault("text/plain", "mousepad.desktop", true);
    ASSERT_TRUE(before.save().done());

    form.LoadSettingsIntoDialog();
    EXPECT_FALSE(form.CheckBox5->isChecked());
    EXPECT_FALSE(form.shownChoices.text);
    EXPECT_EQ(form.previousTxtCommand, "mousepad.desktop");
    form.CheckBox5->setChecked(true);
    form.CheckBox6->setChecked(true);
    form.CheckBox7->setChecked(false);
    form.CheckBox8->setChecked(true);
    form.CheckBox9->setChecked(true);
    MessageCounter messages;
    form.done(QDialog::Accepted);
    EXPECT_EQ(messages.count, 1) << "the association now points here";
    // Closed again unchanged: nothing is carried out twice, nothing is said twice.
    form.done(QDialog::Accepted);
    EXPECT_EQ(messages.count, 1);
    // The main window writes the options at its close; the next start reads them back.
    ASSERT_TRUE(SaveSettingsAtClose(form.iniPath(), MainWindowSettings{}, QString(), form.options()).done());

    TForm3 next;
    next.setIniPath(form.iniPath());
    next.LoadSettingsIntoDialog();
    EXPECT_TRUE(next.CheckBox5->isChecked());
    EXPECT_TRUE(next.CheckBox6->isChecked());
    EXPECT_FALSE(next.CheckBox7->isChecked()) << "in no menu";
    EXPECT_TRUE(next.CheckBox8->isChecked());
    EXPECT_TRUE(next.CheckBox9->isChecked()) << "the entry is offered under Open With";
    EXPECT_TRUE(next.shownChoices.text);

    // Switched off: the previous opener, kept across the restart, comes back, and the launchers go.
    EXPECT_EQ(next.previousTxtCommand, "mousepad.desktop");
    for (QCheckBox *box : {next.CheckBox5, next.CheckBox6, next.CheckBox8, next.CheckBox9})
        box->setChecked(false);
    next.done(QDialog::Accepted);
    MimeAppsList after(places.configHome + "/mimeapps.list");
    EXPECT_EQ(after.defaults("text/plain"), QStringList{"mousepad.desktop"});
    EXPECT_FALSE(after.associations("text/html").contains(ShellIntegration::DesktopId));
    EXPECT_FALSE(QFile::exists(places.desktop + "/qumoedit.desktop"));
    EXPECT_FALSE(QFile::exists(places.dataHome + "/applications/qumoedit.desktop"));
}

// Closing unchanged brings back a ticked launcher deleted meanwhile, silently; every box reads back
// what the desktop holds, an unticked Open With too.
TEST_F(TForm3Test, AnUnchangedCloseRecreatesTickedShortcutsAndBoxesReadBack)
{
    const ShellIntegration::Places places = ShellIntegration::UserPlaces();
    ASSERT_TRUE(places.configHome.startsWith(QDir::homePath())) << "tests run in a home of their own";
    form.LoadSettingsIntoDialog();
    form.CheckBox7->setChecked(true);
    form.CheckBox8->setChecked(true);
    form.CheckBox9->setChecked(false);
    MessageCounter messages;
    form.done(QDialog::Accepted);
    const QString launcher = places.desktop + "/qumoedit.desktop";
    ASSERT_TRUE(QFile::exists(launcher));
    EXPECT_FALSE(form.CheckBox9->isChecked()) << "Open With stays off";
    EXPECT_TRUE(form.CheckBox7->isChecked());

    ASSERT_TRUE(QFile::remove(launcher));
    form.done(QDialog::Accepted);
    EXPECT_TRUE(QFile::exists(launcher));
    EXPECT_EQ(messages.count, 0);

    TForm3 next;
    next.setIniPath(form.iniPath());
    next.LoadSettingsIntoDialog();
    EXPECT_FALSE(next.CheckBox9->isChecked());
    EXPECT_TRUE(next.CheckBox7->isChecked());
    EXPECT_TRUE(next.CheckBox8->isChecked());
    for (QCheckBox *box : {next.CheckBox7, next.CheckBox8})
        box->setChecked(false);
    next.done(QDialog::Accepted);
    EXPECT_FALSE(QFile::exists(launcher));
    EXPECT_FALSE(QFile::exists(places.dataHome + "/applications/qumoedit.desktop"));
}

TEST_F(TForm3Test, WhatTheUserSetComesBackAfterARestart)
{
    form.LoadSettingsIntoDialog();
    form.ComboBox1->setCurrentText("Mono");
    form.CheckBox1->setChecked(false);
    form.CheckBoxLineNumbers->setChecked(true);
    form.RadioButton2->setChecked(true);
    form.Panel2->setColor(0x010203);
    form.CheckBox13->setChecked(true);
    form.Edit1->setText("'時刻' hh:nn'");
    form.Edit2->setText("/opt/my browser/bin");
    form.RadioGroup2->setItemIndex(2);
    form.RadioGroup1->setItemIndex(1);
    form.previousHtmlCommand = "\"/usr/bin/mousepad\" \"%1\"";
    ASSERT_TRUE(SaveSettingsAtClose(form.iniPath(), MainWindowSettings(), "/a/b.txt", form.options()).done());

    TForm3 next;
    next.setIniPath(form.iniPath());
    next.LoadSettingsIntoDialog();
    EXPECT_EQ(next.options(), form.options());
    EXPECT_EQ(next.Edit1->text(), "'時刻' hh:nn'");
    EXPECT_TRUE(next.RadioButton2->isChecked());
}

TEST_F(TForm3Test, FirstShowReadsTheFileAgainLaterShowsKeepEdits)
{
    writeIni("[Option]\nKeySound=0\n");
    form.LoadSettingsIntoDialog();
    form.CheckBox10->setChecked(true); // changed before the dialog was ever shown
    form.show();
    EXPECT_FALSE(form.firstShowPending);
    EXPECT_FALSE(form.CheckBox10->isChecked());
    form.CheckBox10->setChecked(true);
    form.hide();
    form.show();
    EXPECT_TRUE(form.CheckBox10->isChecked());
    form.hide();
}

TEST_F(TForm3Test, ColourButtonsUseTheSharedDialog)
{
    QColorDialog shared;
    shared.setOption(QColorDialog::DontUseNativeDialog);
    form.setColorDialog([&shared] { return &shared; });
    answerColourDialog(QColor(0x11, 0x22, 0x33), true);
    form.Button1->click();
    EXPECT_EQ(form.Panel2->Color(), 0x332211u);

    answerColourDialog(QColor(0x44, 0x55, 0x66), false);
    form.Button2->click();
    EXPECT_EQ(form.Panel3->Color(), clBlack);
}

TEST_F(TForm3Test, SecondBrowserButtonFillsThePath)
{
    const QString program = dir.filePath("browser");
    QFile(program).open(QIODevice::WriteOnly);
    form.OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);
    form.OpenDialog1->setDirectory(dir.path());
    whenModal([program](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(program);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    form.Button3->click();
    EXPECT_EQ(form.Edit2->text(), program);

    form.Edit2->setText("kept");
    whenModal([](QWidget *modal) { modal->close(); });
    form.Button3->click();
    EXPECT_EQ(form.Edit2->text(), "kept");
}

TEST_F(TForm3Test, OkButtonAndEnterCloseTheDialog)
{
    const std::function<void()> presses[] = {
        [this] { QTest::mouseClick(form.PButton1, Qt::LeftButton, {}, QPoint(10, 10)); },
        [this] { QTest::keyClick(form.CheckBox1, Qt::Key_Return); },
        [this] { QTest::keyClick(form.ComboBox1, Qt::Key_Enter, Qt::KeypadModifier); },
    };
    for (const auto &press : presses) {
        bool wasVisible = false;
        QTimer::singleShot(0, [&] {
            wasVisible = form.isVisible();
            press();
        });
        QTimer::singleShot(2000, &form, &QDialog::reject); // keeps a failure from hanging
        EXPECT_EQ(form.exec(), QDialog::Accepted);
        EXPECT_TRUE(wasVisible);
    }
}

// Records the URLs the desktop would open.
class OpenedUrls : public QObject
{
    Q_OBJECT

public:
    OpenedUrls() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~OpenedUrls() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls << url; }
};

TEST_F(TForm3Test, AboutLinksOpenTheShippedHelpAndReadme)
{
    QFile(dir.filePath("readme.txt")).open(QIODevice::WriteOnly);
    OpenedUrls opened;
    QTest::mouseClick(form.URLLabel1, Qt::LeftButton);
    QTest::mouseClick(form.URLLabel2, Qt::LeftButton);
    ASSERT_EQ(opened.urls.size(), 2);
    EXPECT_TRUE(opened.urls[0].toLocalFile().endsWith(QStringLiteral("help/index.html")));
    EXPECT_EQ(opened.urls[1].toLocalFile(), dir.filePath("readme.txt"));
    EXPECT_TRUE(form.URLLabel1->text().contains(QStringLiteral("ヘルプ")));
    EXPECT_TRUE(form.URLLabel2->text().contains(QStringLiteral("readme.txt")));
}

// On a light and on a dark theme the font hint and the links read clearly, hovered and pressed too.
TEST(TForm3Legibility, HintAndLinksStandOutFromTheirGround)
{
    const QPalette original = QApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    for (const QPalette &theme : {original, dark}) {
        QApplication::setPalette(theme);
        TForm3 form;
        SCOPED_TRACE(theme.color(QPalette::Window).name().toStdString());
        form.PageControl1.get();
        QLabel *hint = nullptr;
        for (QLabel *label : form.findChildren<QLabel *>())
            if (label->text() == QStringLiteral("MS ゴシックを推奨"))
                hint = label;
        ASSERT_NE(hint, nullptr);
        hint->ensurePolished(); // a style sheet's colour shows in the palette once polished
        EXPECT_GE(ContrastRatio(hint->palette().color(QPalette::WindowText),
                                hint->palette().color(QPalette::Window)),
                  4.5);
        for (TURLLabel *link : {form.URLLabel1, form.URLLabel2}) {
            const QColor ground = link->palette().color(QPalette::Window);
            EXPECT_GE(ContrastRatio(link->FontColor(), ground), 4.5);
            QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
            QApplication::sendEvent(link, &enter);
            EXPECT_GE(ContrastRatio(link->FontColor(), ground), 4.5) << "hovered";
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                              Qt::LeftButton, {});
            QApplication::sendEvent(link, &press);
            EXPECT_GE(ContrastRatio(link->FontColor(), ground), 4.5) << "pressed";
        }
    }
    QApplication::setPalette(original);
}

} // namespace

#include "tform3_test.moc"
