#include "colour_panel.h"
#include "palette_fixture.h"

#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

namespace {

using Colour::BodyColour;

const QList<TColor> initialBody{0xFFE0E0, 0x000000, 0xA08020, 0x505090, 0x8040FF};

QList<TColor> BodyColours(const ColourPanel &panel)
{
    QList<TColor> colours;
    for (int i = 0; i < Colour::BodyColourCount; ++i)
        colours << panel.bodyColour(i);
    return colours;
}

// The panel's controls, by object name.
QRadioButton *Radio(const ColourPanel &panel, int which)
{
    return Part<QRadioButton>(&panel, QStringLiteral("RadioButton%1").arg(which + 1));
}
QScrollBar *Slider(const ColourPanel &panel, int channel)
{
    return Part<QScrollBar>(&panel, QStringLiteral("ScrollBar%1").arg(channel + 1));
}
TShineSpeedButton *Button(const ColourPanel &panel, const char *name)
{
    return Part<TShineSpeedButton>(&panel, name);
}
QString CodeShown(const ColourPanel &panel)
{
    return Part<QLabel>(&panel, "Panel9")->text();
}

QStringList ValueLabels(const ColourPanel &panel)
{
    QStringList texts;
    for (int channel = 0; channel < 3; ++channel)
        texts << Part<QLabel>(&panel, QStringLiteral("Panel%1").arg(6 + channel))->text();
    return texts;
}

class ColourPanelTest : public ::testing::Test
{
protected:
    QWidget host;
    ColourPanel *panel = new ColourPanel(&host);
    QSignalSpy inserted{panel, &ColourPanel::insertCode};
    QSignalSpy focusBack{panel, &ColourPanel::editorFocusWanted};
};

TEST_F(ColourPanelTest, SlidersMixTheCurrentColourAndTheSelectedBodyColour)
{
    const struct
    {
        int radio;  // -1: none selected
        bool upper; // the tag palette's case choice, before the mix
        bool upperAfterwards;
        int r, g, b;
        const char *code;
    } rows[] = {
        {-1, false, false, 255, 0, 0, "ff0000"},
        {-1, true, true, 255, 0, 0, "FF0000"},
        {-1, false, true, 171, 205, 239, "ABCDEF"},
        {-1, true, false, 171, 205, 239, "abcdef"},
        {Colour::Link, false, false, 7, 128, 171, "0780ab"},
        {Colour::Background, false, false, 1, 2, 3, "010203"},
    };
    for (const auto &row : rows) {
        QWidget host;
        ColourPanel panel(&host);
        panel.setUpperCaseCode(row.upper);
        if (row.radio >= 0)
            Radio(panel, row.radio)->click();
        Slider(panel, 0)->setValue(row.r);
        Slider(panel, 1)->setValue(row.g);
        Slider(panel, 2)->setValue(row.b);
        panel.setUpperCaseCode(row.upperAfterwards);
        const TColor mix = TColor(row.r) | TColor(row.g) << 8 | TColor(row.b) << 16;
        EXPECT_EQ(panel.currentColour(), mix) << row.code;
        EXPECT_EQ(panel.colourCode(), QLatin1String(row.code));
        EXPECT_EQ(CodeShown(panel), QLatin1String(row.code));
        EXPECT_EQ(ValueLabels(panel),
                  QStringList({QStringLiteral("R:%1").arg(row.r), QStringLiteral("G:%1").arg(row.g),
                               QStringLiteral("B:%1").arg(row.b)}));
        QList<TColor> body = initialBody;
        if (row.radio >= 0)
            body[row.radio] = mix;
        EXPECT_EQ(BodyColours(panel), body) << row.code;
    }
}

TEST_F(ColourPanelTest, ARadioButtonLoadsItsColourIntoTheSliders)
{
    EXPECT_EQ(panel->colourCode(), QStringLiteral("000000"));
    Radio(*panel, Colour::Link)->click();
    EXPECT_EQ(panel->sliderColour(), TColor(0xA08020));
    Slider(*panel, 0)->setValue(200);
    EXPECT_EQ(panel->bodyColour(Colour::Link), TColor(0xA080C8));
    Radio(*panel, Colour::Background)->click();
    EXPECT_EQ(panel->sliderColour(), TColor(0xFFE0E0));
    EXPECT_EQ(panel->currentColour(), TColor(0xFFE0E0));
    EXPECT_EQ(panel->bodyColour(Colour::Link), TColor(0xA080C8));
}

TEST_F(ColourPanelTest, BodyColoursFromThePage)
{
    const struct
    {
        const char *page;
        QList<TColor> expected; // empty: unchanged
    } rows[] = {
        {"<html>\n<body bgcolor=#102030 text=#ffffff link=#0000FF vlink=#800080 alink=#FF0000>\n",
         {0x302010, 0xFFFFFF, 0xFF0000, 0x800080, 0x0000FF}},
        {"<BODY BGCOLOR=white>", {0xFFFFFF, 0x000000, 0xA08020, 0x505090, 0x8040FF}},
        {"<p>no body</p>", {}},
    };
    for (const auto &row : rows) {
        QWidget host;
        ColourPanel panel(&host);
        Radio(panel, Colour::Text)->click();
        panel.readBodyColours(QString::fromUtf8(row.page));
        const QList<TColor> expected = row.expected.isEmpty() ? initialBody : row.expected;
        EXPECT_EQ(BodyColours(panel), expected) << row.page;
        // The sliders follow the selected body colour.
        EXPECT_EQ(panel.sliderColour(), expected[Colour::Text]) << row.page;
    }
}

TEST_F(ColourPanelTest, TheTemplateColoursAreTheCurrentAndTheBodyColours)
{
    Radio(*panel, Colour::VisitedLink)->click();
    panel->setSliders(0xFF8000);
    const Palettes::TemplateColours colours = panel->templateColours();
    EXPECT_EQ(QList<TColor>(
                  {colours.color, colours.bgcol, colours.textc, colours.link, colours.vlink, colours.alink}),
              QList<TColor>({0xFF8000, 0xFFE0E0, 0x000000, 0xA08020, 0xFF8000, 0x8040FF}));
}

TEST_F(ColourPanelTest, TheCodeButtonHandsOutTheCodeAndTheFocus)
{
    panel->setSliders(0x563412);
    focusBack.clear();
    Button(*panel, "ShineSpeedButton8")->Click();
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][0].toString(), QStringLiteral("123456"));
    EXPECT_EQ(focusBack.size(), 1);
}

// A slider reached from the keyboard keeps the focus for its arrow keys; any other move gives it back.
TEST_F(ColourPanelTest, OnlyAFocusedSliderKeepsTheFocus)
{
    auto *other = new QLineEdit(&host);
    host.show();
    const struct
    {
        QWidget *focused;
        qsizetype focusBack;
    } rows[] = {{Slider(*panel, 1), 0}, {other, 1}};
    for (const auto &row : rows) {
        row.focused->setFocus();
        ASSERT_EQ(host.focusWidget(), row.focused);
        focusBack.clear();
        Slider(*panel, 1)->setValue(Slider(*panel, 1)->value() + 1);
        EXPECT_EQ(focusBack.size(), row.focusBack) << row.focused->objectName().toStdString();
    }
}

TEST_F(ColourPanelTest, TheDialogPicksTheColourUnlessCancelled)
{
    QColorDialog dialog;
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    panel->setColorDialog([&dialog] { return &dialog; });
    const struct
    {
        bool accept;
        const char *code;
    } rows[] = {{true, "123456"}, {false, "010203"}};
    for (const auto &row : rows) {
        panel->setSliders(0x030201);
        QColor opened;
        ModalAnswers modals;
        modals.Then([&row, &opened](QWidget *w) {
            auto *shown = static_cast<QColorDialog *>(w);
            opened = shown->currentColor();
            shown->setCurrentColor(QColor(0x12, 0x34, 0x56));
            row.accept ? shown->accept() : shown->reject();
        });
        focusBack.clear();
        Button(*panel, "ShineSpeedButton9")->Click();
        EXPECT_TRUE(modals.allAnswered());
        EXPECT_EQ(opened, QColor(1, 2, 3));
        EXPECT_EQ(panel->colourCode(), QLatin1String(row.code));
        // Each of the three slider moves, then the dialog's end.
        EXPECT_EQ(focusBack.size(), row.accept ? 4 : 1);
    }
}

// The window gives the panel the document, the caret, the tag palette's case and the templates.
class ColourPanelWiringTest : public PaletteTest
{
protected:
    ColourPanel *panel() const { return form->findChild<ColourPanel *>(QStringLiteral("Panel4")); }
};

TEST_F(ColourPanelWiringTest, TheDocumentTheCaseAndTheTemplates)
{
    WriteSet(QStringLiteral("HTML"),
             {{0,
               {QStringLiteral("色"), QStringLiteral("*color* *bgcol* *textc* *link* *vlink* *alink*"), 0, 0,
                QString()}}});
    Start();
    EXPECT_EQ(ValueLabels(*panel()), QStringList({"R:0", "G:0", "B:0"}));
    auto *editor = form->findChild<QPlainTextEdit *>(QStringLiteral("RichEdit1"));

    const char *page = "<body bgcolor=#A0B0C0>";
    Radio(*panel(), Colour::Background)->click();
    Edit(QString::fromUtf8(page), 2, 4);
    Button(*panel(), "SpeedButton14")->Click();
    EXPECT_EQ(panel()->bodyColour(Colour::Background), TColor(0xC0B0A0));
    EXPECT_EQ(editor->toPlainText(), QString::fromUtf8(page));
    EXPECT_EQ(editor->textCursor().selectionStart(), 2);
    EXPECT_EQ(CodeShown(*panel()), QStringLiteral("a0b0c0"));

    Part<QComboBox>(TagPaletteOf(form), "ComboBox5")->setCurrentIndex(2);
    EXPECT_EQ(CodeShown(*panel()), QStringLiteral("A0B0C0"));
    Edit(QStringLiteral("[]"), 1, 1);
    Button(*panel(), "ShineSpeedButton8")->Click();
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("[A0B0C0]"));
    EXPECT_TRUE(editor->hasFocus());

    Part<QComboBox>(TagPaletteOf(form), "ComboBox5")->setCurrentIndex(0);
    Radio(*panel(), Colour::VisitedLink)->click();
    panel()->setSliders(0xFF8000);
    Edit(QString(), 0, 0);
    Click(1);
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("#0080FF #A0B0C0 #000000 #2080A0 #0080FF #FF4080"));
}

} // namespace
