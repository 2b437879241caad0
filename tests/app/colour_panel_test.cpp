#include "palette_fixture.h"

#include <QColorDialog>
#include <QLabel>
#include <QRadioButton>
#include <QScrollBar>

namespace {

using Colour::BodyColour;

class ColourPanelTest : public PaletteTest
{
protected:
    ColourPanel *panel() const { return form->Panel4; }
    QStringList ValueLabels() const
    {
        QStringList texts;
        for (const QLabel *label : panel()->ValueLabels)
            texts << label->text();
        return texts;
    }
    QList<TColor> BodyColours() const
    {
        QList<TColor> colours;
        for (int i = 0; i < Colour::BodyColourCount; ++i)
            colours << panel()->BodyColour(i);
        return colours;
    }
    const QList<TColor> initialBody{0xFFE0E0, 0x000000, 0xA08020, 0x505090, 0x8040FF};
};

TEST_F(ColourPanelTest, SlidersMixTheCurrentColourAndTheSelectedBodyColour)
{
    const struct
    {
        int radio;     // -1: none selected
        int caseIndex; // of the tag palette
        int r, g, b;
        const char *code;
    } rows[] = {
        {-1, 0, 255, 0, 0, "ff0000"},
        {-1, 2, 255, 0, 0, "FF0000"},
        {Colour::Link, 1, 7, 128, 171, "0780ab"},
        {Colour::Background, 0, 1, 2, 3, "010203"},
    };
    for (const auto &row : rows) {
        Start();
        form->Panel3->ComboBox5->setCurrentIndex(row.caseIndex);
        if (row.radio >= 0)
            panel()->RadioButtons[row.radio]->click();
        panel()->ScrollBars[0]->setValue(row.r);
        panel()->ScrollBars[1]->setValue(row.g);
        panel()->ScrollBars[2]->setValue(row.b);
        const TColor mix = TColor(row.r) | TColor(row.g) << 8 | TColor(row.b) << 16;
        EXPECT_EQ(panel()->CurrentColour(), mix) << row.code;
        EXPECT_EQ(form->ColorCodeText, QLatin1String(row.code));
        EXPECT_EQ(panel()->Panel9->text(), QLatin1String(row.code));
        EXPECT_EQ(ValueLabels(),
                  QStringList({QStringLiteral("R:%1").arg(row.r), QStringLiteral("G:%1").arg(row.g),
                               QStringLiteral("B:%1").arg(row.b)}));
        QList<TColor> body = initialBody;
        if (row.radio >= 0)
            body[row.radio] = mix;
        EXPECT_EQ(BodyColours(), body) << row.code;
        form.reset();
    }
}

TEST_F(ColourPanelTest, ARadioButtonLoadsItsColourIntoTheSliders)
{
    Start();
    EXPECT_EQ(form->ColorCodeText, QStringLiteral("000000"));
    EXPECT_EQ(ValueLabels(), QStringList({"R:0", "G:0", "B:0"}));
    panel()->RadioButtons[Colour::Link]->click();
    panel()->ScrollBars[0]->setValue(200);
    EXPECT_EQ(panel()->BodyColour(Colour::Link), TColor(0xA080C8));
    panel()->RadioButtons[Colour::Background]->click();
    EXPECT_EQ(panel()->SliderColour(), TColor(0xFFE0E0));
    EXPECT_EQ(panel()->CurrentColour(), TColor(0xFFE0E0));
}

TEST_F(ColourPanelTest, BodyColoursFromTheDocument)
{
    const struct
    {
        const char *document;
        QList<TColor> expected; // empty: unchanged
    } rows[] = {
        {"<html>\n<body bgcolor=#102030 text=#ffffff link=#0000FF vlink=#800080 alink=#FF0000>\n",
         {0x302010, 0xFFFFFF, 0xFF0000, 0x800080, 0x0000FF}},
        {"<BODY BGCOLOR=white>", {0xFFFFFF, 0x000000, 0xA08020, 0x505090, 0x8040FF}},
        {"<p>no body</p>", {}},
    };
    for (const auto &row : rows) {
        Start();
        panel()->RadioButtons[Colour::Text]->click();
        Edit(QString::fromUtf8(row.document), 2, 4);
        panel()->SpeedButton14->Click();
        const QList<TColor> expected = row.expected.isEmpty() ? initialBody : row.expected;
        EXPECT_EQ(BodyColours(), expected) << row.document;
        // The sliders follow the selected body colour; the document and its selection stay.
        EXPECT_EQ(panel()->SliderColour(), expected[Colour::Text]) << row.document;
        EXPECT_EQ(form->RichEdit1->toPlainText(), QString::fromUtf8(row.document));
        EXPECT_EQ(form->RichEdit1->textCursor().selectionStart(), 2);
        form.reset();
    }
}

TEST_F(ColourPanelTest, CodesGoIntoTheDocumentAndTheTemplates)
{
    WriteSet(QStringLiteral("HTML"),
             {{0,
               {QStringLiteral("色"), QStringLiteral("*color* *bgcol* *textc* *link* *vlink* *alink*"), 0, 0,
                QString()}}});
    Start();
    Edit(QStringLiteral("[]"), 1, 1);
    panel()->ShineSpeedButton8->Click();
    EXPECT_EQ(form->RichEdit1->toPlainText(), QStringLiteral("[000000]"));

    modals.Then([](QWidget *w) {
        auto *dialog = static_cast<QColorDialog *>(w);
        dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
        dialog->accept();
    });
    panel()->ShineSpeedButton9->Click();
    EXPECT_EQ(form->ColorCodeText, QStringLiteral("123456"));
    // The sliders give the current colour and the selected body colour.
    panel()->RadioButtons[Colour::VisitedLink]->click();
    panel()->SetSliders(0xFF8000);
    Edit(QString(), 0, 0);
    Click(1);
    EXPECT_EQ(form->RichEdit1->toPlainText(),
              QStringLiteral("#0080FF #E0E0FF #000000 #2080A0 #0080FF #FF4080"));
}

} // namespace
