// The window as the keyboard and assistive technology reach it: check boxes
// and radio buttons through the accessibility bus, the search field's keys,
// the names the bus reads, the status bar at the default size.
#include "button_palette.h"
#include "colour_panel.h"
#include "elided_label.h"
#include "palette_fixture.h"
#include "search_bar.h"
#include "shine_speed_button.h"

#include "status_bar.h"
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QRadioButton>
#include <QScrollBar>

namespace {

using KeyboardAccess = PaletteTest;

void Act(QWidget *widget, const QString &action)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(widget);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(a->actionInterface(), nullptr);
    ASSERT_TRUE(a->actionInterface()->actionNames().contains(action)) << action.toStdString();
    a->actionInterface()->doAction(action);
}

// However the check box changes (the bus's toggle action sets it without a
// click), the replace row follows and the option's handler runs once.
TEST_F(KeyboardAccess, TheReplaceBoxActsOnceHoweverItChanges)
{
    const QString toggle = QAccessibleActionInterface::toggleAction();
    const struct
    {
        const char *how;
        std::function<void(QCheckBox *)> change;
    } ways[] = {
        {"bus toggle", [&](QCheckBox *box) { Act(box, toggle); }},
        {"space key", [](QCheckBox *box) { QTest::keyClick(box, Qt::Key_Space); }},
        {"mouse", [](QCheckBox *box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, 6)); }},
        {"code", [](QCheckBox *box) { box->setChecked(!box->isChecked()); }},
    };
    Start();
    SearchBar *bar = SearchBarOf(form);
    ToolbarButton(form, 10)->Click();
    auto *replacing = Part<QCheckBox>(bar, "CheckBox1");
    for (const auto &way : ways) {
        SCOPED_TRACE(way.how);
        for (const bool on : {true, false}) {
            QSignalSpy handled(bar, &SearchBar::optionToggled);
            way.change(replacing);
            ASSERT_TRUE(QTest::qWaitFor([&] { return replacing->isChecked() == on; }, 2000));
            QTest::qWait(20);
            EXPECT_EQ(handled.count(), 1);
            EXPECT_EQ(Part(bar, "Edit2")->isVisibleTo(bar), on);
            EXPECT_EQ(bar->height(), on ? 81 : 54);
        }
    }
}

// Choosing a body colour through the bus loads it into the sliders.
TEST_F(KeyboardAccess, ARadioButtonChosenThroughTheBusLoadsItsColour)
{
    const struct
    {
        int radio;
        TColor colour; // the panel's starting body colours
    } rows[] = {{Colour::Background, 0xFFE0E0}, {Colour::Link, 0xA08020}, {Colour::ActiveLink, 0x8040FF}};
    Start();
    auto *panel = form->findChild<ColourPanel *>(QStringLiteral("Panel4"));
    for (const auto &row : rows) {
        auto *radio = Part<QRadioButton>(panel, QStringLiteral("RadioButton%1").arg(row.radio + 1));
        Act(radio, QAccessibleActionInterface::toggleAction());
        EXPECT_TRUE(radio->isChecked()) << row.radio;
        EXPECT_EQ(panel->sliderColour(), row.colour) << row.radio;
    }
}

TEST_F(KeyboardAccess, EnterSearchesAndEscapeGoesBackToTheText)
{
    Start();
    SearchBar *bar = SearchBarOf(form);
    QApplication::setActiveWindow(form.get());
    Editor(form)->setPlainText(QStringLiteral("xabc <p>abc</p>"));
    ToolbarButton(form, 10)->Click();
    QWidget *search = Part(bar, "Edit1");
    search->setFocus();
    QTest::keyClicks(search, QStringLiteral("abc"));
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_EQ(Editor(form)->textCursor().selectionStart(), 1);
    EXPECT_EQ(Editor(form)->textCursor().selectedText(), QStringLiteral("abc"));
    search->setFocus();
    QTest::keyClick(search, Qt::Key_Enter);
    EXPECT_EQ(Editor(form)->textCursor().selectionStart(), 8);
    for (QWidget *from : {search, Part(bar, "CheckBox5")}) {
        from->setFocus();
        ASSERT_TRUE(from->hasFocus());
        QTest::keyClick(from, Qt::Key_Escape);
        EXPECT_TRUE(Editor(form)->hasFocus()) << from->objectName().toStdString();
    }
    EXPECT_TRUE(bar->isVisible());
}

// The search bar, built when first shown, is reached by Tab where it stands:
// after the toolbar, before the text.
TEST_F(KeyboardAccess, TabReachesTheSearchBarBetweenTheToolbarAndTheText)
{
    Start();
    SearchBar *bar = SearchBarOf(form);
    ToolbarButton(form, 10)->Click();
    Part<QCheckBox>(bar, "CheckBox1")->setChecked(true);
    QList<QWidget *> order;
    for (QWidget *w = form->nextInFocusChain(); w != form.get(); w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(form.get()))
            order << w;
    QList<QWidget *> searchRow;
    for (const char *name : {"Edit1", "ShineSpeedButton4", "ShineSpeedButton5", "CheckBox1", "CheckBox5",
                             "CheckBox6", "CheckBox7", "CheckBox8", "Edit2"})
        searchRow << Part(bar, name);
    const qsizetype first = order.indexOf(searchRow.constFirst());
    ASSERT_GE(first, 0);
    EXPECT_EQ(order.mid(first, searchRow.size()), searchRow);
    EXPECT_LT(first, order.indexOf(Editor(form)));
}

// A press through the bus returns at once; the modal dialog opens afterwards.
TEST_F(KeyboardAccess, ABusPressOnADialogButtonReturnsBeforeTheDialog)
{
    Start();
    const struct
    {
        const char *what;
        TShineSpeedButton *button;
    } rows[] = {{"開く", ToolbarButton(form, 1)},
                {"名前を付けて保存", ToolbarButton(form, 3)},
                {"設定", Part<TShineSpeedButton>(form, QStringLiteral("SpeedButton21"))}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        const std::size_t before = modals.seen().size();
        modals.ThenClose();
        Act(row.button, QAccessibleActionInterface::pressAction());
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_EQ(modals.seen().size(), before) << "the call waited for the dialog";
        EXPECT_TRUE(QTest::qWaitFor([&] { return modals.seen().size() == before + 1; }, 5000));
        EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }, 5000));
    }
}

// A palette is defined and used without a mouse: Tab from the set box reaches
// the buttons, Space and Enter click, Shift+F10 and the Menu key define.
TEST_F(KeyboardAccess, PaletteButtonsWorkFromTheKeyboard)
{
    WriteSet(QStringLiteral("HTML"),
             {{0, {QStringLiteral("段落"), QStringLiteral("<p>"), 3, 0, QString()}},
              {1, {QStringLiteral("改行"), QStringLiteral("<br>"), 4, 0, QString()}}});
    Start();
    TagPaletteOf(form)->setVisible(true);
    QApplication::setActiveWindow(form.get());
    const struct
    {
        ButtonPalette *palette;
        const char *setBox, *first, *second;
    } chains[] = {{TagPaletteOf(form), "ComboBox2", "PButton1", "PButton2"},
                  {ClipPaletteOf(form), "ComboBox1", "CButton1", "CButton2"}};
    ClipPaletteOf(form)->setVisible(true);
    for (const auto &chain : chains) {
        Part(chain.palette, chain.setBox)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), chain.first);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), chain.second);
    }

    const struct
    {
        const char *how;
        int key;
        Qt::KeyboardModifiers modifiers;
        const char *inserted; // empty: the button dialog opens instead
    } keys[] = {
        {"Space", Qt::Key_Space, {}, "<p>"},
        {"Enter", Qt::Key_Return, {}, "<p>"},
        {"Shift+F10", Qt::Key_F10, Qt::ShiftModifier, ""},
        {"Menu", Qt::Key_Menu, {}, ""},
    };
    TShineSpeedButton *button = TagPaletteOf(form)->buttons()[0];
    for (const auto &k : keys) {
        SCOPED_TRACE(k.how);
        Editor(form)->clear();
        const std::size_t before = modals.seen().size();
        if (!*k.inserted)
            modals.ThenClose();
        button->setFocus();
        QTest::keyClick(button, Qt::Key(k.key), k.modifiers);
        EXPECT_EQ(Editor(form)->toPlainText(), QString::fromUtf8(k.inserted));
        ASSERT_EQ(modals.seen().size(), before + (*k.inserted ? 0 : 1));
        if (!*k.inserted) {
            EXPECT_EQ(modals.seen().back().title, QStringLiteral("ボタン内容設定"));
        }
    }
    // A mouse click leaves the focus in the text.
    QTest::mouseClick(TagPaletteOf(form)->buttons()[1], Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(form->focusWidget(), Editor(form));
}

// The toolbar's and the search bar's commands from the keyboard, with the focus in the text.
TEST_F(KeyboardAccess, DesktopShortcutsReachEveryToolbarCommand)
{
    Start();
    QApplication::setActiveWindow(form.get());
    const auto shown = [this](const char *name) {
        return !form->findChild<QWidget *>(QLatin1String(name))->isHidden();
    };
    const struct
    {
        QKeySequence key;
        std::function<bool()> done; // checked before and after: it must change
    } rows[] = {
        {Qt::CTRL | Qt::Key_1, [&] { return shown("Panel3"); }},
        {Qt::CTRL | Qt::Key_2, [&] { return shown("Panel4"); }},
        {Qt::CTRL | Qt::Key_3, [&] { return shown("Panel12"); }},
        {Qt::CTRL | Qt::Key_4, [&] { return shown("Panel13"); }},
        {Qt::CTRL | Qt::Key_0, [&] { return Editor(form)->font().pointSize() != form->baseFontSize(); }},
        {Qt::CTRL | Qt::Key_F,
         [&] { return shown("Panel10") && QApplication::focusWidget() == Part(SearchBarOf(form), "Edit1"); }},
        {Qt::CTRL | Qt::Key_H,
         [&] { return shown("Panel10") && Part<QCheckBox>(SearchBarOf(form), "CheckBox1")->isChecked(); }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.key.toString().toStdString());
        const bool before = row.done();
        Editor(form)->setFocus();
        QTest::keySequence(Editor(form), row.key);
        EXPECT_NE(row.done(), before);
        EXPECT_TRUE(Editor(form)->toPlainText().isEmpty()) << "a command types nothing";
    }
    const struct
    {
        TForm1::Cmd command;
        QKeySequence key;
    } files[] = {{TForm1::Cmd::Open, QKeySequence::Open},
                 {TForm1::Cmd::New1, QKeySequence::New},
                 {TForm1::Cmd::Save1, QKeySequence::Save},
                 {TForm1::Cmd::Print, QKeySequence::Print},
                 {TForm1::Cmd::Save1, Qt::Key_F4}};
    for (const auto &f : files)
        EXPECT_TRUE(form->command(f.command)->shortcuts().contains(f.key)) << f.key.toString().toStdString();
}

// "！" and "？" are read by their hints; the symbols stay as descriptions.
TEST_F(KeyboardAccess, SymbolButtonsAreNamedByTheirHints)
{
    Start();
    const struct
    {
        TShineSpeedButton *button;
        const char *name, *description;
    } rows[] = {{Part<TShineSpeedButton>(form, QStringLiteral("SpeedButton21")), "設定＆著作権", "！"},
                {Part<TShineSpeedButton>(form, QStringLiteral("SpeedButton22")), "QUMOEDITヘルプ", "？"}};
    for (const auto &row : rows) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(row.button);
        EXPECT_EQ(a->text(QAccessible::Name), QString::fromUtf8(row.name));
        EXPECT_EQ(a->text(QAccessible::Description), QString::fromUtf8(row.description));
    }
}

// At the default size the path shows its start and its file name, and no
// panel of the status bar is lower than its text.
TEST_F(KeyboardAccess, TheStatusBarShowsThePathShortenedInItsMiddle)
{
    const QString document = path(QStringLiteral("some_folder/sub_dir/my_page.html"));
    QDir(dir_.path()).mkpath(QStringLiteral("some_folder/sub_dir"));
    WriteFile(QStringLiteral("some_folder/sub_dir/my_page.html"), "<p>x</p>\r\n");
    Start({document});
    form->resize(520, form->height());
    QApplication::processEvents();
    auto *panel = StatusBarOf(form)->findChild<ElidedLabel *>(QStringLiteral("StatusPanel3"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(StatusBarOf(form)->text(StatusBar::Path), document);
    const QString shown = panel->shownText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("/"))) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral(".html"))) << shown.toStdString();
    EXPECT_GE(shown.size(), 8) << shown.toStdString();
    for (QLabel *label : StatusBarOf(form)->findChildren<QLabel *>()) {
        if (!label->isVisible())
            continue;
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_GE(label->contentsRect().height(), label->fontMetrics().height());
        EXPECT_TRUE(StatusBarOf(form)->rect().contains(label->geometry()));
    }
}

// Every visible control of a window, outermost only: a combo box's field or
// an editor's scroll bars belong to it.
QList<QWidget *> Controls(QWidget *window)
{
    QList<QWidget *> controls;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisible() || w->isWindow())
            continue;
        if (qobject_cast<QAbstractButton *>(w) || qobject_cast<TShineSpeedButton *>(w) ||
            qobject_cast<QComboBox *>(w) || qobject_cast<QLineEdit *>(w) || qobject_cast<QLabel *>(w) ||
            qobject_cast<QAbstractScrollArea *>(w) || qobject_cast<QScrollBar *>(w))
            controls.append(w);
    }
    QList<QWidget *> outermost;
    for (QWidget *w : controls) {
        bool inner = false;
        for (QWidget *up = w->parentWidget(); up != window && !inner; up = up->parentWidget())
            inner = controls.contains(up);
        if (!inner)
            outermost.append(w);
    }
    return outermost;
}

// Shrunk as far as it goes with every panel shown, the window shows each
// control whole and no two on each other.
TEST_F(KeyboardAccess, AtItsMinimumSizeNoControlOverlapsAnother)
{
    Start();
    ToolbarButton(form, 10)->Click();
    Part<QCheckBox>(SearchBarOf(form), "CheckBox1")->setChecked(true);
    TagPaletteOf(form)->setVisible(true);
    ClipPaletteOf(form)->setVisible(true);
    ToolbarButton(form, 13)->Click(); // the colour panel
    ToolbarButton(form, 15)->Click(); // the folder pane
    form->resize(1, 1);
    QApplication::processEvents();
    EXPECT_GT(form->width(), 300);
    EXPECT_GT(form->height(), 200);
    const QList<QWidget *> controls = Controls(form.get());
    ASSERT_GT(controls.size(), 40);
    const auto place = [&](QWidget *w) { return QRect(w->mapTo(form.get(), QPoint(0, 0)), w->size()); };
    for (QWidget *w : controls) {
        const QString name = w->objectName() + u'/' + QString::fromLatin1(w->metaObject()->className());
        // Whole: not cut by the panel that holds it, nor by the window.
        for (QWidget *up = w->parentWidget(); up != nullptr && up != form.get(); up = up->parentWidget())
            EXPECT_TRUE(place(up).contains(place(w)))
                << name.toStdString() << " in " << up->objectName().toStdString();
        EXPECT_TRUE(form->rect().contains(place(w))) << name.toStdString();
        for (QWidget *other : controls) {
            // The palettes' small buttons share their one-pixel borders by design.
            const QRect common = place(w).intersected(place(other));
            if (other != w && common.width() > 1 && common.height() > 1) {
                ADD_FAILURE() << name.toStdString() << " overlaps " << other->objectName().toStdString();
            }
        }
    }
}

} // namespace
