#include "colour_swatch.h"
#include "editor_fonts.h"
#include "legible_colour.h"
#include "mime_apps_list.h"
#include "radio_group.h"
#include "settings_write.h"
#include "shell_integration.h"
#include "shine_speed_button.h"
#include "tform3.h"
#include "tform3_controls.h"
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

    template <typename T> T *child(const char *name) { return Control<T>(form, name); }

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
    ASSERT_EQ(Control<QTabWidget>(form, "PageControl1")->count(), 5);
    const QStringList tabs{"画面設定", "機能設定", "高度設定", "関連付け", "著作権"};
    for (int i = 0; i < tabs.size(); ++i)
        EXPECT_EQ(Control<QTabWidget>(form, "PageControl1")->tabText(i), tabs[i]);
    EXPECT_EQ(Control<TShineSpeedButton>(form, "PButton1")->Caption(), "OK");
    EXPECT_EQ(Control<TShineSpeedButton>(form, "PButton1")->size(), QSize(78, 24));
    EXPECT_TRUE(Control<TShineSpeedButton>(form, "PButton1")->font().bold());
    EXPECT_EQ(Control<TShineSpeedButton>(form, "PButton1")->ActiveFontColor(), clAqua);
}

TEST_F(TForm3Test, MainWindowFindsTheControlsByName)
{
    form.buildControls();
    for (const char *name : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5", "CheckBox6",
                             "CheckBox7", "CheckBox8", "CheckBox9", "CheckBox10", "CheckBox11", "CheckBox12",
                             "CheckBox13", "CheckBox14", "CheckBox15", "CheckBox16", "CheckBox17"})
        EXPECT_NE(child<QCheckBox>(name), nullptr) << name;
    for (const char *name :
         {"ComboBox1", "Edit1", "Edit2", "RadioButton1", "RadioButton2", "Panel2", "Panel3", "Button1",
          "Button2", "Button3", "RadioGroup1", "RadioGroup2", "PButton1"})
        EXPECT_NE(form.findChild<QWidget *>(name), nullptr) << name;
    // "&&" is the escape for the one ampersand shown.
    EXPECT_EQ(Control<RadioGroup>(form, "RadioGroup2")->item(0)->text(), "SJIS  (Win&&Mac)");
}

TEST_F(TForm3Test, InitialStatesBeforeAnyFileIsRead)
{
    for (QCheckBox *on :
         {Box(form, "CheckBox1"), Box(form, "CheckBox2"), Box(form, "CheckBox10"), Box(form, "CheckBox11"),
          Box(form, "CheckBox7"), Box(form, "CheckBox8"), Box(form, "CheckBox9")})
        EXPECT_TRUE(on->isChecked()) << on->objectName().toStdString();
    for (QCheckBox *off :
         {Box(form, "CheckBox17"), Box(form, "CheckBox13"), Box(form, "CheckBox3"), Box(form, "CheckBox16"),
          Box(form, "CheckBox14"), Box(form, "CheckBox15"), Box(form, "CheckBox4"), Box(form, "CheckBox5"),
          Box(form, "CheckBox6"), Box(form, "CheckBox12")})
        EXPECT_FALSE(off->isChecked()) << off->objectName().toStdString();
    EXPECT_TRUE(Control<QRadioButton>(form, "RadioButton1")->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(form, "RadioButton2")->isChecked());
    EXPECT_EQ(Control<ColourSwatch>(form, "Panel2")->Color(), clWhite);
    EXPECT_EQ(Control<ColourSwatch>(form, "Panel3")->Color(), clBlack);
    EXPECT_EQ(Control<QLineEdit>(form, "Edit1")->text(), "mm/dd/yyyy hh:nn:ss");
    EXPECT_TRUE(Control<QLineEdit>(form, "Edit2")->text().isEmpty());
    EXPECT_EQ(Control<RadioGroup>(form, "RadioGroup2")->itemIndex(), 0);
    EXPECT_EQ(Control<RadioGroup>(form, "RadioGroup1")->itemIndex(), 0);
    EXPECT_TRUE(Control<QComboBox>(form, "ComboBox1")->isEditable());
    EXPECT_TRUE(form.options().preTxtProg.isEmpty());
}

TEST_F(TForm3Test, FontListLeavesOutVerticalFaces)
{
    const QStringList choices =
        EditorFontChoices({"Sans", "@ＭＳ ゴシック", "MS ゴシック", "Serif@Vert", "Mono"});
    EXPECT_EQ(choices, QStringList({"Sans", "MS ゴシック", "Mono"}));
    EXPECT_EQ(DefaultEditorFontIndex(choices), 1);
    EXPECT_EQ(DefaultEditorFontIndex({"Sans", "ＭＳ ゴシック"}), 0);
    EXPECT_EQ(DefaultEditorFontIndex({}), 0);

    for (int i = 0; i < Control<QComboBox>(form, "ComboBox1")->count(); ++i)
        EXPECT_FALSE(Control<QComboBox>(form, "ComboBox1")->itemText(i).contains('@'));
    EXPECT_GT(Control<QComboBox>(form, "ComboBox1")->count(), 0);
}

TEST_F(TForm3Test, NoSettingsFileShowsTheDefaults)
{
    form.LoadSettingsIntoDialog();
    EXPECT_EQ(Control<QComboBox>(form, "ComboBox1")->currentText(), "ＭＳ ゴシック");
    EXPECT_TRUE(Box(form, "CheckBox1")->isChecked());
    EXPECT_TRUE(Box(form, "CheckBox2")->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(form, "RadioButton1")->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(form, "RadioButton2")->isChecked());
    const QColor text = ColorToQColor(Control<ColourSwatch>(form, "Panel2")->Color(), form.palette());
    const QColor back = ColorToQColor(Control<ColourSwatch>(form, "Panel3")->Color(), form.palette());
    EXPECT_EQ(text, QColor(0x80, 0x90, 0xFF));
    EXPECT_EQ(back, QColor(0, 0, 0x36));
    EXPECT_TRUE(Box(form, "CheckBox10")->isChecked());
    EXPECT_TRUE(Box(form, "CheckBox11")->isChecked());
    EXPECT_EQ(Control<QLineEdit>(form, "Edit1")->text(), "mm/dd/yyyy hh:nn:ss");
    EXPECT_EQ(Control<RadioGroup>(form, "RadioGroup2")->itemIndex(), 0);
    EXPECT_EQ(Control<RadioGroup>(form, "RadioGroup1")->itemIndex(), 0);
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
    EXPECT_EQ(Control<QComboBox>(form, "ComboBox1")->currentText(), "Not Installed Face");
    EXPECT_FALSE(Box(form, "CheckBox1")->isChecked());
    EXPECT_FALSE(Box(form, "CheckBox2")->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(form, "RadioButton1")->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(form, "RadioButton2")->isChecked());
    EXPECT_EQ(Control<ColourSwatch>(form, "Panel2")->Color(), 0x0000FFu);
    EXPECT_EQ(Control<ColourSwatch>(form, "Panel3")->Color(), 0xFF0000u);
    EXPECT_TRUE(Box(form, "CheckBox3")->isChecked());
    EXPECT_TRUE(Box(form, "CheckBox4")->isChecked());
    // The stored previous opener is kept only while the text default is ours;
    // this desktop has none.
    EXPECT_EQ(form.options().preTxtProg, "");
    EXPECT_EQ(form.options().preHtmProg, "b");
    EXPECT_FALSE(Box(form, "CheckBox10")->isChecked());
    EXPECT_FALSE(Box(form, "CheckBox11")->isChecked());
    EXPECT_TRUE(Box(form, "CheckBox13")->isChecked());
    EXPECT_EQ(Control<QLineEdit>(form, "Edit1")->text(), "yyyy/mm/dd");
    EXPECT_TRUE(Box(form, "CheckBox17")->isChecked());
    EXPECT_TRUE(Box(form, "CheckBox16")->isChecked());
    EXPECT_EQ(Control<QLineEdit>(form, "Edit2")->text(), "/usr/bin/firefox");
    EXPECT_TRUE(Box(form, "CheckBox14")->isChecked());
    EXPECT_TRUE(Box(form, "CheckBox15")->isChecked());
    EXPECT_EQ(Control<RadioGroup>(form, "RadioGroup2")->itemIndex(), 1);
    EXPECT_EQ(Control<RadioGroup>(form, "RadioGroup1")->itemIndex(), 2);
}

// Start-up reads the options without building the controls; what it reads is
// what the controls show once built, and what the dialog closes with.
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
        EXPECT_EQ(Control<QTabWidget>(dialog, "PageControl1")->currentIndex(), TForm3::AdvancedPage);
        dialog.done(QDialog::Accepted);
        EXPECT_EQ(dialog.options(), read);
    }
}

TEST_F(TForm3Test, ColourRadioButtonsFollowBothKeys)
{
    writeIni("[PreI]\nDefaultColor=0\nUserColor=0\n");
    form.LoadSettingsIntoDialog();
    EXPECT_FALSE(Control<QRadioButton>(form, "RadioButton1")->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(form, "RadioButton2")->isChecked());

    writeIni("[PreI]\nDefaultColor=1\nUserColor=1\n");
    form.LoadSettingsIntoDialog();
    EXPECT_FALSE(Control<QRadioButton>(form, "RadioButton1")->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(form, "RadioButton2")->isChecked());

    // The buttons stay exclusive for the user afterwards.
    Control<QRadioButton>(form, "RadioButton1")->click();
    EXPECT_TRUE(Control<QRadioButton>(form, "RadioButton1")->isChecked());
    EXPECT_FALSE(Control<QRadioButton>(form, "RadioButton2")->isChecked());
}

TEST_F(TForm3Test, DateTimeDefaultIsWhatTheFieldHolds)
{
    Control<QLineEdit>(form, "Edit1")->setText("hh:nn");
    form.LoadSettingsIntoDialog();
    EXPECT_EQ(Control<QLineEdit>(form, "Edit1")->text(), "hh:nn");
}

TEST_F(TForm3Test, AssociationsAreReadFromTheDesktopAndCarriedOutOnClose)
{
    const ShellIntegration::Places places = ShellIntegration::UserPlaces();
    ASSERT_TRUE(places.configHome.startsWith(QDir::homePath())) << "tests run in a home of their own";
    MimeAppsList before(places.configHome + "/mimeapps.list");
    before.setDefault("text/plain", "mousepad.desktop", true);
    ASSERT_TRUE(before.save().done());

    form.LoadSettingsIntoDialog();
    EXPECT_FALSE(Box(form, "CheckBox5")->isChecked());
    EXPECT_EQ(form.options().preTxtProg, "mousepad.desktop");
    Box(form, "CheckBox5")->setChecked(true);
    Box(form, "CheckBox6")->setChecked(true);
    Box(form, "CheckBox7")->setChecked(false);
    Box(form, "CheckBox8")->setChecked(true);
    Box(form, "CheckBox9")->setChecked(true);
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
    EXPECT_TRUE(Box(next, "CheckBox5")->isChecked());
    EXPECT_TRUE(Box(next, "CheckBox6")->isChecked());
    EXPECT_FALSE(Box(next, "CheckBox7")->isChecked()) << "in no menu";
    EXPECT_TRUE(Box(next, "CheckBox8")->isChecked());
    EXPECT_TRUE(Box(next, "CheckBox9")->isChecked()) << "the entry is offered under Open With";

    // Switched off: the previous opener, kept across the restart, comes back, and the launchers go.
    EXPECT_EQ(next.options().preTxtProg, "mousepad.desktop");
    for (QCheckBox *box :
         {Box(next, "CheckBox5"), Box(next, "CheckBox6"), Box(next, "CheckBox8"), Box(next, "CheckBox9")})
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
    Box(form, "CheckBox7")->setChecked(true);
    Box(form, "CheckBox8")->setChecked(true);
    Box(form, "CheckBox9")->setChecked(false);
    MessageCounter messages;
    form.done(QDialog::Accepted);
    const QString launcher = places.desktop + "/qumoedit.desktop";
    ASSERT_TRUE(QFile::exists(launcher));
    EXPECT_FALSE(Box(form, "CheckBox9")->isChecked()) << "Open With stays off";
    EXPECT_TRUE(Box(form, "CheckBox7")->isChecked());

    ASSERT_TRUE(QFile::remove(launcher));
    form.done(QDialog::Accepted);
    EXPECT_TRUE(QFile::exists(launcher));
    EXPECT_EQ(messages.count, 0);

    TForm3 next;
    next.setIniPath(form.iniPath());
    next.LoadSettingsIntoDialog();
    EXPECT_FALSE(Box(next, "CheckBox9")->isChecked());
    EXPECT_TRUE(Box(next, "CheckBox7")->isChecked());
    EXPECT_TRUE(Box(next, "CheckBox8")->isChecked());
    for (QCheckBox *box : {Box(next, "CheckBox7"), Box(next, "CheckBox8")})
        box->setChecked(false);
    next.done(QDialog::Accepted);
    EXPECT_FALSE(QFile::exists(launcher));
    EXPECT_FALSE(QFile::exists(places.dataHome + "/applications/qumoedit.desktop"));
}

TEST_F(TForm3Test, WhatTheUserSetComesBackAfterARestart)
{
    form.LoadSettingsIntoDialog();
    DialogOptions opener = form.options();
    opener.preHtmProg = "\"/usr/bin/mousepad\" \"%1\"";
    form.showOptions(opener);
    Control<QComboBox>(form, "ComboBox1")->setCurrentText("Mono");
    Box(form, "CheckBox1")->setChecked(false);
    Box(form, "CheckBoxLineNumbers")->setChecked(true);
    Control<QRadioButton>(form, "RadioButton2")->setChecked(true);
    Control<ColourSwatch>(form, "Panel2")->setColor(0x010203);
    Box(form, "CheckBox13")->setChecked(true);
    Control<QLineEdit>(form, "Edit1")->setText("'時刻' hh:nn'");
    Control<QLineEdit>(form, "Edit2")->setText("/opt/my browser/bin");
    Control<RadioGroup>(form, "RadioGroup2")->setItemIndex(2);
    Control<RadioGroup>(form, "RadioGroup1")->setItemIndex(1);
    EXPECT_EQ(form.options(), opener) << "the controls count once the dialog closes";
    form.done(QDialog::Accepted);
    EXPECT_EQ(form.options().editFont, "Mono");
    ASSERT_TRUE(SaveSettingsAtClose(form.iniPath(), MainWindowSettings(), "/a/b.txt", form.options()).done());

    TForm3 next;
    next.setIniPath(form.iniPath());
    next.LoadSettingsIntoDialog();
    EXPECT_EQ(next.options(), form.options());
    EXPECT_EQ(Control<QLineEdit>(next, "Edit1")->text(), "'時刻' hh:nn'");
    EXPECT_TRUE(Control<QRadioButton>(next, "RadioButton2")->isChecked());
}

TEST_F(TForm3Test, FirstShowReadsTheFileAgainLaterShowsKeepEdits)
{
    writeIni("[Option]\nKeySound=0\n");
    form.LoadSettingsIntoDialog();
    Box(form, "CheckBox10")->setChecked(true); // changed before the dialog was ever shown
    form.show();
    EXPECT_FALSE(Box(form, "CheckBox10")->isChecked());
    Box(form, "CheckBox10")->setChecked(true);
    form.hide();
    form.show();
    EXPECT_TRUE(Box(form, "CheckBox10")->isChecked());
    form.hide();
}

TEST_F(TForm3Test, ColourButtonsUseTheSharedDialog)
{
    QColorDialog shared;
    shared.setOption(QColorDialog::DontUseNativeDialog);
    form.setColorDialog([&shared] { return &shared; });
    answerColourDialog(QColor(0x11, 0x22, 0x33), true);
    Control<QPushButton>(form, "Button1")->click();
    EXPECT_EQ(Control<ColourSwatch>(form, "Panel2")->Color(), 0x332211u);

    answerColourDialog(QColor(0x44, 0x55, 0x66), false);
    Control<QPushButton>(form, "Button2")->click();
    EXPECT_EQ(Control<ColourSwatch>(form, "Panel3")->Color(), clBlack);
}

TEST_F(TForm3Test, SecondBrowserButtonFillsThePath)
{
    const QString program = dir.filePath("browser");
    QFile(program).open(QIODevice::WriteOnly);
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    whenModal([program](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "セカンドブラウザの指定");
        dialog->selectFile(program);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    Control<QPushButton>(form, "Button3")->click();
    EXPECT_EQ(Control<QLineEdit>(form, "Edit2")->text(), program);

    Control<QLineEdit>(form, "Edit2")->setText("kept");
    whenModal([](QWidget *modal) { modal->close(); });
    Control<QPushButton>(form, "Button3")->click();
    EXPECT_EQ(Control<QLineEdit>(form, "Edit2")->text(), "kept");
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, false);
}

TEST_F(TForm3Test, OkButtonAndEnterCloseTheDialog)
{
    const std::function<void()> presses[] = {
        [this] {
            QTest::mouseClick(Control<TShineSpeedButton>(form, "PButton1"), Qt::LeftButton, {},
                              QPoint(10, 10));
        },
        [this] { QTest::keyClick(Box(form, "CheckBox1"), Qt::Key_Return); },
        [this] { QTest::keyClick(Control<QComboBox>(form, "ComboBox1"), Qt::Key_Enter, Qt::KeypadModifier); },
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
    QTest::mouseClick(Control<TURLLabel>(form, "URLLabel1"), Qt::LeftButton);
    QTest::mouseClick(Control<TURLLabel>(form, "URLLabel2"), Qt::LeftButton);
    ASSERT_EQ(opened.urls.size(), 2);
    EXPECT_TRUE(opened.urls[0].toLocalFile().endsWith(QStringLiteral("help/index.html")));
    EXPECT_EQ(opened.urls[1].toLocalFile(), dir.filePath("readme.txt"));
    EXPECT_TRUE(Control<TURLLabel>(form, "URLLabel1")->text().contains(QStringLiteral("ヘルプ")));
    EXPECT_TRUE(Control<TURLLabel>(form, "URLLabel2")->text().contains(QStringLiteral("readme.txt")));
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
        form.buildControls();
        QLabel *hint = nullptr;
        for (QLabel *label : form.findChildren<QLabel *>())
            if (label->text() == QStringLiteral("MS ゴシックを推奨"))
                hint = label;
        ASSERT_NE(hint, nullptr);
        hint->ensurePolished(); // a style sheet's colour shows in the palette once polished
        EXPECT_GE(ContrastRatio(hint->palette().color(QPalette::WindowText),
                                hint->palette().color(QPalette::Window)),
                  4.5);
        for (TURLLabel *link :
             {Control<TURLLabel>(form, "URLLabel1"), Control<TURLLabel>(form, "URLLabel2")}) {
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
