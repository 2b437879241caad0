#include "colour_swatch.h"
#include "folder_tree_view.h"
#include "form_fixture.h"
#include "hint_options.h"
#include "qt_translations.h"
#include "qumo_application.h"
#include "read_only_guard.h"
#include "shine_speed_button.h"
#include "startup_rules.h"

#include "status_bar.h"
#include "tag_colours.h"
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSet>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <QTranslator>
#include <stdexcept>

namespace {

class Window : public FormTest
{
protected:
    void SetUp() override
    {
        WriteIni("[Pre]\nPathName=" + dir_.path().toUtf8() + "\n");
        Start();
    }
};

TEST_F(Window, RegionsAndTheirInitialState)
{
    EXPECT_EQ(Part(form, QStringLiteral("Panel1"))->height(), 35);
    for (int n = 1; n <= 15; ++n) {
        TShineSpeedButton *button = ToolbarButton(form, n);
        EXPECT_EQ(button->size(), QSize(27, 29));
        // Every glyph comes from an icon theme that draws what the button does.
        EXPECT_FALSE(button->Glyph().isNull()) << button->objectName().toStdString();
    }
    EXPECT_TRUE(SearchBarOf(form)->isHidden());
    EXPECT_TRUE(FolderPaneOf(form)->isHidden());
    EXPECT_TRUE(form->findChild<QWidget *>(QStringLiteral("Panel4"))->isHidden());
    EXPECT_TRUE(ClipPaletteOf(form)->isHidden());
    EXPECT_FALSE(Ruler(form)->isHidden()) << "ruler on by default";
    EXPECT_EQ(Editor(form)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_FALSE(Editor(form)->tabChangesFocus());
    EXPECT_EQ(StatusBarOf(form)->text(StatusBar::Mode), QStringLiteral("挿入"));
    EXPECT_EQ(TagPaletteOf(form)->buttons().size(), 40);
    EXPECT_EQ(ClipPaletteOf(form)->buttons().size(), 20);
    EXPECT_EQ(Part<QComboBox>(TagPaletteOf(form), "ComboBox3")->currentText(), QStringLiteral("none.."));
    const auto *timer = form->findChild<QTimer *>(QStringLiteral("Timer1"));
    EXPECT_EQ(timer->interval(), 1000);
    EXPECT_TRUE(timer->isActive());
}

// What starts hidden is built when first used: start-up pays for none of it.
TEST_F(Window, StartUpBuildsNothingHidden)
{
    for (const QDialog *dialog : form->findChildren<QDialog *>())
        EXPECT_EQ(dialog, form3) << dialog->objectName().toStdString();
    EXPECT_EQ(form3->findChild<QTabWidget *>(), nullptr) << "the settings dialog's pages";
    EXPECT_EQ(SearchBarOf(form)->findChild<QWidget *>(QStringLiteral("Edit1")), nullptr) << "the search bar";
}

TEST_F(Window, BottomStackingAndTheInfoLine)
{
    TagPaletteOf(form)->setVisible(true);
    QApplication::processEvents();
    EXPECT_FALSE(InfoLine(form)->isHidden());
    EXPECT_EQ(TagPaletteOf(form)->height(), 107);
    EXPECT_EQ(InfoLine(form)->height(), 19);
    EXPECT_EQ(InfoLine(form)->geometry().bottom() + 1, TagPaletteOf(form)->geometry().top());
    EXPECT_EQ(TagPaletteOf(form)->geometry().bottom() + 1, StatusBarOf(form)->geometry().top());
    EXPECT_EQ(StatusBarOf(form)->geometry().bottom() + 1, form->height());

    ClipPaletteOf(form)->setVisible(true);
    TagPaletteOf(form)->setVisible(false);
    QApplication::processEvents();
    EXPECT_FALSE(InfoLine(form)->isHidden()) << "the clip palette keeps the info line";
    EXPECT_EQ(InfoLine(form)->geometry().bottom() + 1, StatusBarOf(form)->geometry().top());
    ClipPaletteOf(form)->setVisible(false);
    EXPECT_TRUE(InfoLine(form)->isHidden());
}

TEST_F(Window, ToolbarTogglesPanels)
{
    const QWidget *colours = form->findChild<QWidget *>(QStringLiteral("Panel4"));
    ToolbarButton(form, 13)->Click();
    EXPECT_FALSE(colours->isHidden());
    ToolbarButton(form, 14)->Click();
    EXPECT_FALSE(ClipPaletteOf(form)->isHidden());
    EXPECT_FALSE(InfoLine(form)->isHidden());
    QApplication::processEvents();
    EXPECT_LT(colours->geometry().right(), ClipPaletteOf(form)->geometry().left())
        << "clip palette rightmost";
    EXPECT_EQ(colours->width(), 160);
    EXPECT_EQ(ClipPaletteOf(form)->width(), 156);
    ToolbarButton(form, 15)->Click();
    QApplication::processEvents();
    EXPECT_FALSE(FolderPaneOf(form)->isHidden());
    EXPECT_LT(FolderPaneOf(form)->geometry().right(),
              Part(form, QStringLiteral("Panel14"))->geometry().left());
    ToolbarButton(form, 10)->Click();
    EXPECT_FALSE(SearchBarOf(form)->isHidden());
    EXPECT_EQ(SearchBarOf(form)->height(), 54);
}

TEST_F(Window, EachPanelCaptionColoursEveryTag)
{
    TagPaletteOf(form)->setVisible(true);
    ClipPaletteOf(form)->setVisible(true);
    ToolbarButton(form, 13)->Click();
    Editor(form)->setPlainText(QStringLiteral("<p>a</p>"));
    auto *colours = Editor(form)->findChild<TagColours *>();
    for (const char *caption : {"Label1", "Label2", "Label3"}) {
        colours->clear();
        QTest::mouseClick(Part<QLabel>(form, QLatin1String(caption)), Qt::LeftButton);
        EXPECT_EQ(colours->blue(), (TextTools::TextRanges{{0, 3}, {4, 4}})) << caption;
    }
}

TEST_F(Window, ContextMenuItemsInOrder)
{
    QStringList names;
    for (QAction *action : Part<QMenu>(form, QStringLiteral("PopupMenu1"))->actions())
        names << action->objectName();
    EXPECT_EQ(names, (QStringList{"K1",
                                  "KCopy1",
                                  "KPaste1",
                                  "Quote",
                                  "N1",
                                  "KUndoCtrlZ1",
                                  "K2",
                                  "K3",
                                  "FolderSearch1",
                                  "N2",
                                  "HTML1",
                                  "N9",
                                  "HtmlCheck1",
                                  "CharacterKind",
                                  "ToReferences",
                                  "FromReferences",
                                  "CountCharacters",
                                  "N6",
                                  "File1",
                                  "Reopen1",
                                  "Recent1",
                                  "NPreview",
                                  "LivePreview1",
                                  "Vertical1",
                                  "N10",
                                  "DF51"}));
    const auto *file = form->findChild<QAction *>(QStringLiteral("File1"))->menu();
    QStringList fileItems;
    for (QAction *action : file->actions())
        fileItems << action->text() + u'|' + action->shortcut().toString();
    EXPECT_EQ(fileItems, (QStringList{"ヘルプ|F1", "新規作成 (&N)|F2", "名前を付けて保存 (&A)|F3",
                                      "上書き保存 (&S)|F4", "終了 (&X)    Alt + F4|"}));
    EXPECT_EQ(form->findChild<QAction *>(QStringLiteral("DF51"))->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(form->findChild<QAction *>(QStringLiteral("N9"))->menu()->actions().size(), 6);
}

TEST_F(Window, FolderPaneShowsTheDocumentAndOpensPagesWithOneClick)
{
    WriteFile(QStringLiteral("INDEX.HTM"), "<p>index</p>");
    WriteFile(QStringLiteral("style.css"), "p {}");
    form->SSButton2Click(); // a new document: its file does not exist yet
    const auto tree = [&] {
        return FolderPaneOf(form)->findChild<TFolderTreeViewEx *>(QStringLiteral("FVEx1"));
    };
    EXPECT_EQ(tree(), nullptr) << "the hidden pane's tree is built when first shown";
    ToolbarButton(form, 15)->Click();
    QApplication::processEvents();
    ASSERT_FALSE(FolderPaneOf(form)->isHidden());
    EXPECT_EQ(FolderPaneOf(form)->width(), 185);
    EXPECT_EQ(QDir::cleanPath(FolderPaneOf(form)->currentPath()), dir_.path())
        << "the folder of a document without a file";

    const struct
    {
        QString name;
        bool opens;
    } cases[] = {
        {QStringLiteral("style.css"), false}, {QString(), false}, {QStringLiteral("INDEX.HTM"), true}};
    for (const auto &c : cases) {
        emit tree()->OnClick(tree(), c.name.isEmpty() ? dir_.path() : path(c.name));
        EXPECT_EQ(form->document().path() == path(c.name), c.opens) << c.name.toStdString();
    }
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("<p>index</p>"));

    Editor(form)->insertPlainText(QStringLiteral("edited "));
    modals.ThenClick(QMessageBox::Cancel);
    form->FVEx1Click(tree(), path(QStringLiteral("INDEX.HTM")));
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("edited <p>index</p>"))
        << "Cancel keeps the document";

    ToolbarButton(form, 15)->Click();
    EXPECT_TRUE(FolderPaneOf(form)->isHidden());
}

TEST_F(Window, ToolbarButtonsArePressableByAssistiveTechnology)
{
    form->document().setPath(path(QStringLiteral("pressed.txt")));
    Editor(form)->insertPlainText(QStringLiteral("saved through the bus"));
    QAccessibleInterface *save = QAccessible::queryAccessibleInterface(ToolbarButton(form, 4));
    ASSERT_NE(save, nullptr);
    EXPECT_EQ(save->role(), QAccessible::Button);
    EXPECT_EQ(save->text(QAccessible::Name), QStringLiteral("上書き保存"));
    ASSERT_NE(save->actionInterface(), nullptr);
    save->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return ReadFile(QStringLiteral("pressed.txt")) == "saved through the bus"; }));
    // Controls without a caption of their own are named.
    form3->buildControls();
    const std::pair<QWidget *, QString> named[] = {
        {Ruler(form), QStringLiteral("ルーラー")},
        {Editor(form), QStringLiteral("本文")},
        {Part<QLabel>(form, QStringLiteral("Image1")), QStringLiteral("QUMOEDIT 設定＆著作権")},
        {Part<TShineSpeedButton>(form, QStringLiteral("SpeedButton21")), QStringLiteral("設定＆著作権")},
        {Part(form3, QStringLiteral("Panel2")), QStringLiteral("文字色")},
        {Part(form3, QStringLiteral("Panel3")), QStringLiteral("背景色")},
    };
    for (const auto &[widget, name] : named)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name), name)
            << widget->objectName().toStdString();
}

TEST_F(Window, ToolbarButtonsAndMenuItemsShareOneActionPerCommand)
{
    const struct
    {
        int button;
        TForm1::Cmd command;
    } cases[] = {{3, TForm1::Cmd::Save1},
                 {5, TForm1::Cmd::Undo},
                 {6, TForm1::Cmd::K1},
                 {7, TForm1::Cmd::KCopy1},
                 {8, TForm1::Cmd::KPaste1}};
    form->document().setPath(path(QStringLiteral("shared.txt")));
    for (const auto &c : cases) {
        QAction *action = form->command(c.command);
        ASSERT_NE(action, nullptr) << c.button;
        QSignalSpy triggered(action, &QAction::triggered);
        ToolbarButton(form, c.button + 1)->Click();
        EXPECT_EQ(triggered.size(), 1) << action->objectName().toStdString();
    }
    EXPECT_TRUE(
        Part<QMenu>(form, QStringLiteral("PopupMenu1"))->actions().contains(form->command(TForm1::Cmd::K1)));
    // Every command has its own action under its own name.
    QSet<QString> names;
    for (int i = 0; i < int(TForm1::Cmd::Count); ++i) {
        const QAction *action = form->command(TForm1::Cmd(i));
        ASSERT_NE(action, nullptr) << i;
        names.insert(action->objectName());
    }
    EXPECT_EQ(names.size(), int(TForm1::Cmd::Count));
}

TEST_F(Window, FunctionKeysWorkWithoutTheMenu)
{
    form->activateWindow();
    Editor(form)->setFocus();
    QTest::keyClick(Editor(form), Qt::Key_F2);
    EXPECT_EQ(form->document().path(), path(QStringLiteral("newtext.txt")));
    Editor(form)->insertPlainText(QStringLiteral("saved by F4"));
    QTest::keyClick(Editor(form), Qt::Key_F4);
    EXPECT_EQ(ReadFile(QStringLiteral("newtext.txt")), "saved by F4");
}

TEST_F(Window, LogoLeftClickOpensTheSettingsDialog)
{
    modals.ThenClose();
    QTest::mouseClick(Part<QLabel>(form, QStringLiteral("Image1")), Qt::LeftButton);
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].widget, form3);
}

TEST_F(Window, ClockTick)
{
    form->Timer1Timer();
    EXPECT_TRUE(StatusBarOf(form)
                    ->text(StatusBar::Clock)
                    .contains(QString::number(QDate::currentDate().year() % 100)));
    // Neither a long path nor the default width cuts the clock.
    form->resize(520, 473);
    form->document().setPath(QStringLiteral("/a/very/long/path/to/a/document/").repeated(4) +
                             QStringLiteral("x.html"));
    form->ShowStatus();
    QApplication::processEvents();
    const auto *clock = form->findChild<QLabel *>(QStringLiteral("StatusPanel2"));
    EXPECT_GE(clock->contentsRect().width(), clock->fontMetrics().horizontalAdvance(clock->text()));
}

TEST_F(Window, HintOptions)
{
    QWidget widget;
    EXPECT_EQ(widget.style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay), HintPause);
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(0xE8, 0xE8, 0xFF));
    const QFontMetrics metrics(QToolTip::font());
    const QString wrapped = WrapHintText(
        QStringLiteral("【左クリック】詳細表示 "
                       "【右クリック】使用法表示。とても長いヒントの文章は二百ピクセルで折り返されます"),
        metrics, HintMaxWidth);
    EXPECT_GT(wrapped.count(u'\n'), 0);
    for (const QString &line : wrapped.split(u'\n'))
        EXPECT_LE(metrics.horizontalAdvance(line), HintMaxWidth) << line.toStdString();
}

TEST_F(Window, HintsAndTheInfoLineShowHelpTextsAsWritten)
{
    const QString texts[] = {
        QStringLiteral("大見出し <h1> で選択範囲を囲みます"),
        QStringLiteral("[←][←][←]<br>&amp; <b>太字</b>"),
        QStringLiteral("1行目\n  2行目 <i>"),
    };
    for (const QString &text : texts) {
        QTextDocument shown;
        shown.setHtml(PlainHintMarkup(text));
        EXPECT_EQ(shown.toPlainText(), text) << text.toStdString();
    }
    Start();
    EXPECT_EQ(InfoLine(form)->textFormat(), Qt::PlainText);
}

class Drops : public Window
{
protected:
    void Drop(const QStringList &names, QPoint at = {300, 200})
    {
        QStringList paths;
        for (const QString &name : names)
            paths << path(name);
        form->HandleDroppedFiles(paths, at);
    }
};

TEST_F(Drops, FirstOfSeveralTextFilesOpens)
{
    WriteFile(QStringLiteral("one.txt"), "one");
    WriteFile(QStringLiteral("two.txt"), "two");
    WriteFile(QStringLiteral("three.txt"), "three");
    Drop({QStringLiteral("one.txt"), QStringLiteral("two.txt"), QStringLiteral("three.txt")});
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("one"));
    EXPECT_EQ(form->document().path(), path(QStringLiteral("one.txt")));
}

TEST_F(Drops, ThroughARealDropEvent)
{
    WriteFile(QStringLiteral("dropped.html"), "<p>dropped</p>");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path(QStringLiteral("dropped.html")))});
    QDragEnterEvent enter(QPoint(300, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    // A modified document: the question comes after the drop has ended, so
    // the file manager's drag is not held while it waits.
    Editor(form)->insertPlainText(QStringLiteral("edited"));
    modals.ThenClick(QMessageBox::No);
    QDropEvent drop(QPointF(300, 200), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_TRUE(modals.seen().empty()) << "no question inside the drop event";
    QTRY_COMPARE_WITH_TIMEOUT(Editor(form)->toPlainText(), QStringLiteral("<p>dropped</p>"), 2000);
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].objectName, QStringLiteral("ConfirmSaveChanges"));
}

TEST_F(Drops, OnTheEditorOpensTheFileInsteadOfPastingItsPath)
{
    WriteFile(QStringLiteral("onto editor.txt"), "opened");
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path(QStringLiteral("onto editor.txt")))});
    mime.setText(path(QStringLiteral("onto editor.txt")));
    QWidget *viewport = Editor(form)->viewport();
    const QPoint at = viewport->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    QApplication::processEvents();
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("opened"));
}

TEST_F(Drops, ImagesAndArchivesAreIgnored)
{
    WriteFile(QStringLiteral("photo.JPG"), "\xff\xd8");
    Editor(form)->insertPlainText(QStringLiteral("kept"));
    Drop({QStringLiteral("photo.JPG")});
    Drop({QStringLiteral("a.LZH")});
    EXPECT_TRUE(modals.seen().empty());
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("kept"));
}

TEST_F(Drops, ClipSetIsInstalledOnYes)
{
    QTemporaryDir elsewhere;
    const QString source = elsewhere.filePath(QStringLiteral("Sets.QMC"));
    {
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("*Button1\r\n");
    }
    modals.ThenClick(QMessageBox::No);
    form->HandleDroppedFiles({source}, {300, 200});
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].title, QStringLiteral("確認"));
    EXPECT_EQ(modals.seen()[0].text, QStringLiteral("クリップデータ「Sets.QMC」をインストールしますか？"));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Sets.qmc"))));

    // Installed as the set "Sets", replacing the older one.
    WriteFile(QStringLiteral("Sets.qmc"), "older set");
    modals.ThenClick(QMessageBox::Yes);
    form->HandleDroppedFiles({source}, {300, 200});
    EXPECT_EQ(ReadFile(QStringLiteral("Sets.qmc")), "*Button1\r\n");
    EXPECT_TRUE(Editor(form)->toPlainText().isEmpty()) << "a clip set is not opened as a document";

    // A read-only program folder is named as the reason, not the dropped file.
    ReadOnlyGuard readOnly(dir_.path());
    ReadOnlyGuard readOnlySet(path(QStringLiteral("Sets.qmc")));
    if (!readOnly.effective())
        GTEST_SKIP() << "no way to make a folder read-only here";
    modals.ThenClick(QMessageBox::Yes);
    modals.ThenClick(QMessageBox::Ok);
    form->HandleDroppedFiles({source}, {300, 200});
    ASSERT_EQ(modals.seen().size(), 4u);
    EXPECT_EQ(modals.seen()[3].text,
              QStringLiteral("クリップデータ「Sets.QMC」を %1 にインストールできません。\n\n"
                             "アクセス権がありません")
                  .arg(programDir()));
}

TEST_F(Drops, FileThatNoLongerExistsIsReported)
{
    WriteFile(QStringLiteral("current.txt"), "current");
    ASSERT_TRUE(form->LoadDocument(path(QStringLiteral("current.txt"))));
    modals.ThenClick(QMessageBox::Ok);
    Drop({QStringLiteral("vanished.txt")});
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].text,
              QStringLiteral("ファイル %1 は開けません\n\nファイルまたはフォルダーが存在しません")
                  .arg(path(QStringLiteral("vanished.txt"))));
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("current"));
    EXPECT_EQ(form->document().path(), path(QStringLiteral("current.txt")));
}

TEST_F(Drops, ModifiedDocumentAsksFirstAndCancelKeepsIt)
{
    WriteFile(QStringLiteral("next.txt"), "next");
    Editor(form)->insertPlainText(QStringLiteral("unsaved"));
    modals.ThenClick(QMessageBox::Cancel);
    Drop({QStringLiteral("next.txt")});
    EXPECT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("unsaved"));
}

TEST_F(Drops, DropOnTheFolderPaneIsLeftToIt)
{
    WriteFile(QStringLiteral("tree.txt"), "tree");
    ToolbarButton(form, 15)->Click();
    QApplication::processEvents();
    const QPoint overPane = FolderPaneOf(form)->mapTo(form.get(), FolderPaneOf(form)->rect().center());
    Drop({QStringLiteral("tree.txt")}, overPane);
    EXPECT_TRUE(Editor(form)->toPlainText().isEmpty());
    Drop({QStringLiteral("tree.txt")}, Editor(form)->mapTo(form.get(), Editor(form)->rect().center()));
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("tree"));
}

TEST(StartupRules, CommandLine)
{
    EXPECT_EQ(ParseCommandLine({}).kind, StartRequest::NoDocument);
    EXPECT_EQ(ParseCommandLine({"/SeTuP"}).kind, StartRequest::Setup);
    const StartRequest open = ParseCommandLine({"/home/u/My", "Documents/a", "b.html"});
    EXPECT_EQ(open.kind, StartRequest::Open);
    EXPECT_EQ(open.path, QStringLiteral("/home/u/My Documents/a b.html"));
    EXPECT_EQ(ParseCommandLine({"/srv/setup.txt"}).path, QStringLiteral("/srv/setup.txt"));
    // Relative names become absolute; after "--" everything is the name.
    EXPECT_EQ(ParseCommandLine({"rel.txt"}).path, QDir::currentPath() + QStringLiteral("/rel.txt"));
    EXPECT_EQ(ParseCommandLine({"sub/../b.txt"}).path, QDir::currentPath() + QStringLiteral("/b.txt"));
    const StartRequest dashed = ParseCommandLine({"--", "-name", "/setup"});
    EXPECT_EQ(dashed.kind, StartRequest::Open);
    EXPECT_EQ(dashed.path, QDir::currentPath() + QStringLiteral("/-name /setup"));
    EXPECT_EQ(ParseCommandLine({"--"}).kind, StartRequest::NoDocument);
    EXPECT_EQ(ExpandLongPath(QStringLiteral("/a b  ")), QStringLiteral("/a b"));
    EXPECT_EQ(ExpandLongPath(QString()), QString());
}

TEST(StartupRules, NewDocumentFolderFallsBackToTheHome)
{
    QTemporaryDir temp;
    const QString remembered = temp.filePath(QStringLiteral("site"));
    const QString desktop = temp.filePath(QStringLiteral("Desktop"));
    const QString home = temp.path();
    const struct
    {
        bool rememberedExists, desktopExists, tagPalette;
        QString expected;
    } cases[] = {
        {true, true, false, remembered + QStringLiteral("/newtext.txt")},
        {false, true, true, desktop + QStringLiteral("/newhtml.html")},
        {false, false, false, home + QStringLiteral("/newtext.txt")},
    };
    for (const auto &c : cases) {
        QDir(remembered).removeRecursively();
        QDir(desktop).removeRecursively();
        if (c.rememberedExists)
            QDir().mkpath(remembered);
        if (c.desktopExists)
            QDir().mkpath(desktop);
        EXPECT_EQ(StartUpDocumentPath(remembered, desktop, home, c.tagPalette), c.expected);
    }
}

TEST(StartupRules, WindowIsBroughtOntoAScreen)
{
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const struct
    {
        QRect wanted, expected;
    } cases[] = {
        {QRect(100, 80, 520, 473), QRect(100, 80, 520, 473)},      // fits: unchanged
        {QRect(2000, 100, 600, 400), QRect(2000, 100, 600, 400)},  // on the second screen
        {QRect(100, -5000, 520, 473), QRect(100, 0, 520, 473)},    // climbed off the top
        {QRect(5000, 5000, 520, 473), QRect(1400, 607, 520, 473)}, // nowhere: the first screen
        {QRect(10, 10, 100000, 100000), QRect(0, 0, 1920, 1080)},  // larger than any screen
        {QRect(1800, 50, 400, 300), QRect(1920, 50, 400, 300)},    // mostly on the second
    };
    for (const auto &c : cases)
        EXPECT_EQ(FitOnScreens(c.wanted, screens), c.expected) << c.wanted.x() << "," << c.wanted.y();
}

TEST_F(Window, ExceptionInAHandlerIsShownAndTheProgramGoesOn)
{
    modals.ThenClick(QMessageBox::Ok);
    modals.ThenClick(QMessageBox::Ok);
    EXPECT_FALSE(QumoApplication::Dispatch([]() -> bool { throw std::runtime_error("handler failed"); }));
    EXPECT_FALSE(QumoApplication::Dispatch([]() -> bool { throw std::bad_alloc(); }));
    ASSERT_EQ(modals.seen().size(), 2u);
    EXPECT_EQ(modals.seen()[0].text, QStringLiteral("handler failed"));
    EXPECT_EQ(modals.seen()[1].text, QStringLiteral("メモリが足りません。"));
    EXPECT_TRUE(QumoApplication::Dispatch([] { return true; }));
}

TEST_F(Window, QtsOwnDialogsSpeakTheUsersLanguage)
{
    QTranslator *japanese = InstallQtTranslations(QCoreApplication::instance(), QLocale(QLocale::Japanese));
    ASSERT_NE(japanese, nullptr) << "Qt's Japanese translations are installed by the setup";
    QMessageBox box(QMessageBox::Question, QStringLiteral("QUMOEDIT"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No);
    const QString yes = box.button(QMessageBox::Yes)->text();
    QCoreApplication::removeTranslator(japanese);
    delete japanese;
    EXPECT_NE(yes, QStringLiteral("&Yes"));
    EXPECT_TRUE(yes.contains(QStringLiteral("はい"))) << yes.toStdString();
    EXPECT_EQ(InstallQtTranslations(QCoreApplication::instance(), QLocale(QLocale::Zulu)), nullptr);
}

TEST(StartupRules, CaretPanelPadding)
{
    EXPECT_EQ(CaretPanelText(7, 120, 0), QStringLiteral("L:007/120  C:000"));
    EXPECT_EQ(CaretPanelText(5, 42, 1234), QStringLiteral("L:005/042  C:1234"));
}

TEST(StartupRules, DropTypes)
{
    EXPECT_TRUE(IsIgnoredDropType(QStringLiteral("/x/photo.JPG")));
    EXPECT_TRUE(IsIgnoredDropType(QStringLiteral("/x/a.jpeg")));
    EXPECT_FALSE(IsIgnoredDropType(QStringLiteral("/x.zip/readme")));
    EXPECT_FALSE(IsIgnoredDropType(QStringLiteral("/x/page.html")));
    EXPECT_TRUE(IsClipSetFile(QStringLiteral("/x/Sets.QMC")));
    EXPECT_TRUE(IsClipSetFile(QStringLiteral("/x/setsqmc")));
    EXPECT_FALSE(IsClipSetFile(QStringLiteral("/x/tags.qmh")));
}

} // namespace
