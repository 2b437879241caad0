#include "button_palette.h"
#include "modal_answers.h"
#include "palette_sets.h"
#include "shine_speed_button.h"
#include "test_files.h"
#include "window_parts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

TEST(ButtonPalettes, ButtonsHaveTheirNamesTagsAndPlaces)
{
    struct Place
    {
        int number;
        QRect place;
    };
    const struct
    {
        const char *what;
        std::function<ButtonPalette *(QWidget *)> make;
        int count;
        const char *name; // of button %1
        int firstTag;
        QList<Place> places;
    } rows[] = {
        {"tag",
         [](QWidget *host) { return new TagPalette(host); },
         40,
         "PButton%1",
         1,
         {{1, {3, 29, 49, 23}},
          {2, {3, 52, 49, 15}},
          {5, {54, 65, 73, 18}},
          {9, {204, 29, 73, 18}},
          {12, {279, 29, 73, 18}},
          {16, {279, 65, 25, 18}},
          {22, {402, 47, 25, 18}},
          {26, {429, 29, 73, 18}},
          {32, {477, 65, 25, 18}},
          {33, {54, 85, 56, 18}},
          {40, {446, 85, 56, 18}}}},
        {"clip",
         [](QWidget *host) { return new ClipPalette(host); },
         20,
         "CButton%1",
         101,
         {{1, {3, 53, 74, 18}}, {10, {3, 215, 74, 18}}, {11, {79, 53, 74, 18}}, {20, {79, 215, 74, 18}}}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        QWidget host;
        ButtonPalette *palette = row.make(&host);
        ASSERT_EQ(palette->buttons().size(), row.count);
        for (int i = 0; i < row.count; ++i) {
            ASSERT_NE(palette->buttons()[i], nullptr) << i;
            EXPECT_EQ(palette->buttons()[i]->objectName(), QString::fromLatin1(row.name).arg(i + 1));
            EXPECT_EQ(palette->buttons()[i]->Tag(), row.firstTag + i);
            EXPECT_EQ(palette->buttons()[i]->parentWidget(), palette);
        }
        for (const Place &p : row.places)
            EXPECT_EQ(palette->buttons()[p.number - 1]->geometry(), p.place) << p.number;
    }
    QWidget host;
    auto *tag = new TagPalette(&host);
    EXPECT_TRUE(tag->buttons()[0]->Colors()->Gradation());
    EXPECT_TRUE(tag->buttons()[0]->Colors()->GradVertical());
    EXPECT_EQ(tag->buttons()[0]->ActiveFontColor(), clAqua);
    auto *clip = new ClipPalette(&host);
    EXPECT_EQ(Part<TShineSpeedButton>(clip, "SpeedButton20")->geometry(), QRect(110, 3, 20, 21));
    EXPECT_EQ(Part<TShineSpeedButton>(clip, "SpeedButton19")->geometry(), QRect(130, 3, 20, 21));
    EXPECT_EQ(Part<QComboBox>(clip, "ComboBox1")->geometry().topLeft(), QPoint(3, 26));
    EXPECT_EQ(Part<QCheckBox>(clip, "CheckBox4")->pos(), QPoint(8, 259));
    EXPECT_EQ(Part<TShineSpeedButton>(clip, "SpeedButton20")->toolTip(),
              QStringLiteral("ＱＵＭＯＣＬＩＰデータを新しく作る"));
}

// A palette alone over a program folder: its set box lists and loads the sets, a fresh set
// empties the buttons, and a click hands out the record of a defined button only.
TEST(ButtonPaletteSets, ListLoadClickAndAFreshSet)
{
    const struct
    {
        const char *what;
        std::function<ButtonPalette *(QWidget *)> make;
        int record; // of the first button
        const char *setBox, *caseBox;
    } rows[] = {
        {"tag", [](QWidget *host) { return new TagPalette(host); }, 0, "ComboBox2", "ComboBox5"},
        {"clip", [](QWidget *host) { return new ClipPalette(host); }, 1, "ComboBox1", "ComboBox4"},
    };
    for (const auto &row : rows) {
        QTemporaryDir dir;
        const QString programDir = dir.path() + u'/';
        QWidget host;
        ButtonPalette *palette = row.make(&host);
        WriteSet(programDir, QStringLiteral("own"), palette->kind(),
                 {{row.record, {QStringLiteral("x"), QStringLiteral("<x>"), 1, 2, QString()}}});
        QSignalSpy chosen(palette, &ButtonPalette::buttonChosen);
        QSignalSpy errors(palette, &ButtonPalette::failed);
        auto *setBox = Part<QComboBox>(palette, row.setBox);

        palette->setProgramDir(programDir);
        setBox->setEditText(QStringLiteral("own"));
        palette->listSets();
        EXPECT_EQ(setBox->findText(QStringLiteral("own")), 0) << row.what;
        EXPECT_EQ(setBox->currentText(), QStringLiteral("own")) << row.what;
        palette->loadSet();
        EXPECT_FALSE(palette->loadedPath().isEmpty()) << row.what;
        EXPECT_EQ(palette->buttons()[0]->Caption(), QStringLiteral("x")) << row.what;

        Part<QComboBox>(palette, row.caseBox)->setCurrentIndex(2);
        palette->buttons()[0]->Click();
        palette->buttons()[1]->Click();
        ASSERT_EQ(chosen.size(), 1) << row.what;
        const auto record = chosen[0][0].value<Palettes::ButtonRecord>();
        EXPECT_EQ(record.content, QStringLiteral("<x>")) << row.what;
        EXPECT_EQ(record.selectLength, 2) << row.what;
        EXPECT_EQ(chosen[0][1].toInt(), 2) << row.what;
        EXPECT_FALSE(chosen[0][2].toBool()) << row.what << ": into the editor";

        palette->newSet();
        EXPECT_EQ(setBox->currentText(), palette->kind().newSetName) << row.what;
        EXPECT_TRUE(palette->loadedPath().isEmpty()) << row.what;
        EXPECT_EQ(palette->buttons()[0]->Caption(), QString()) << row.what;
        palette->buttons()[0]->Click();
        EXPECT_EQ(chosen.size(), 1) << row.what;
        EXPECT_TRUE(errors.isEmpty()) << row.what;

        // A typed name and Enter lists no set that has no file.
        const int sets = setBox->count();
        setBox->setEditText(QStringLiteral("typed"));
        QTest::keyClick(setBox, Qt::Key_Return);
        EXPECT_EQ(setBox->count(), sets) << row.what;
        EXPECT_EQ(setBox->findText(QStringLiteral("typed")), -1) << row.what;
    }
}

// What the button under the mouse inserts, as the info line shows it, in the case box's case.
TEST(ButtonPalettes, HoverTellsWhatAButtonInserts)
{
    QTemporaryDir dir;
    const QString programDir = dir.path() + u'/';
    WriteSet(programDir, QStringLiteral("HTML"), Palettes::TagPalette(),
             {{0, {QStringLiteral("色"), QStringLiteral("<font color=\"*color*\">"), 0, 0, QString()}},
              {1, {QStringLiteral("二行"), QStringLiteral("<ul>\n</ul>"), 0, 0, QString()}}});
    QWidget host;
    auto *palette = new TagPalette(&host);
    palette->setProgramDir(programDir);
    Part<QComboBox>(palette, "ComboBox2")->setEditText(QStringLiteral("HTML"));
    palette->listSets();
    palette->loadSet();
    QSignalSpy hovered(palette, &ButtonPalette::hovered);
    const struct
    {
        int number;
        int caseMode;
        QString shown;
    } rows[] = {
        {1, 0, QStringLiteral(" <font color=\"*color*\">")},
        {2, 0, QStringLiteral(" <ul>[←]</ul>")},
        {1, 2, QStringLiteral(" <FONT COLOR=\"*color*\">")},
        {40, 0, QStringLiteral(" このボタンは未設定です(^o^)/")},
    };
    for (const auto &row : rows) {
        Part<QComboBox>(palette, "ComboBox5")->setCurrentIndex(row.caseMode);
        TShineSpeedButton *button = palette->buttons()[row.number - 1];
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), button->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(button, &enter);
        ASSERT_FALSE(hovered.isEmpty()) << row.number;
        EXPECT_EQ(hovered.takeLast()[0].toString(), row.shown) << row.number;
    }
}

class ClipPaletteSets : public ::testing::Test
{
protected:
    ClipPaletteSets() { clip->setProgramDir(programDir); }
    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    const QString programDir = dir.path() + u'/';
    QWidget host;
    ClipPalette *clip = new ClipPalette(&host);
};

TEST_F(ClipPaletteSets, ColourFacesFollowTheChosenSet)
{
    WriteSet(programDir, QStringLiteral("swatch"), Palettes::ClipPalette(),
             {{3, Clip("青", "#0000FF")}, {4, Clip("短い", "#FF80")}});
    WriteSet(programDir, QStringLiteral("words"), Palettes::ClipPalette(), {{3, Clip("挨拶", "こんにちは")}});
    Part<QComboBox>(clip, "ComboBox1")->setEditText(QStringLiteral("swatch"));
    clip->listSets();
    clip->loadSet();
    TShineSpeedButton *third = clip->buttons()[2];
    EXPECT_FALSE(third->Colors()->Gradation());
    EXPECT_EQ(third->Colors()->Color(), TColor(0xFF0000));
    EXPECT_EQ(third->FontColor(), clWhite); // readable on the dark face
    EXPECT_TRUE(clip->buttons()[3]->Colors()->Gradation());
    Choose(Part<QComboBox>(clip, "ComboBox1"), QStringLiteral("words"));
    EXPECT_TRUE(third->Colors()->Gradation());
    EXPECT_EQ(third->Colors()->Color(), clBtnFace);
    EXPECT_EQ(third->FontColor(), clBtnText);
    EXPECT_EQ(third->Caption(), QStringLiteral("挨拶"));
    Choose(Part<QComboBox>(clip, "ComboBox1"), QStringLiteral("swatch"));
    Part<TShineSpeedButton>(clip, "SpeedButton20")->Click();
    EXPECT_TRUE(third->Colors()->Gradation());
    EXPECT_EQ(third->Caption(), QString());
}

// Dropping a set of a name the user already has asks about replacing it; いいえ installs nothing.
TEST_F(ClipPaletteSets, ADroppedSetOverAnExistingOneAsksToReplaceIt)
{
    QTemporaryDir elsewhere;
    const QString dropped = elsewhere.filePath(QStringLiteral("色見本.qmc"));
    const QByteArray theirs("text\r\n*Button1\r\nred\r\n#FF0000\r\n7\r\n0\r\n\r\n");
    const QByteArray mine("text\r\n*Button2\r\n私の\r\n#0000FF\r\n7\r\n0\r\n\r\n");
    WriteFileBytes(dropped, theirs);
    ModalAnswers modals;
    const struct
    {
        QMessageBox::StandardButton answer;
        QByteArray installed;
    } rows[] = {{QMessageBox::No, mine}, {QMessageBox::Yes, theirs}};
    for (const auto &row : rows) {
        WriteFileBytes(path(QStringLiteral("色見本.qmc")), mine);
        const size_t seen = modals.seen().size();
        modals.Then([row](QWidget *w) {
            auto *box = static_cast<QMessageBox *>(w);
            EXPECT_EQ(static_cast<QAbstractButton *>(box->defaultButton()), box->button(QMessageBox::No));
            box->button(row.answer)->click();
        });
        clip->offerDroppedSet(dropped);
        ASSERT_EQ(modals.seen().size(), seen + 1);
        EXPECT_EQ(modals.seen()[seen].text, QStringLiteral("「色見本」はすでにあります。置き換えますか？"));
        EXPECT_EQ(ReadFileBytes(path(QStringLiteral("色見本.qmc"))), row.installed);
    }
    EXPECT_GE(Part<QComboBox>(clip, "ComboBox1")->findText(QStringLiteral("色見本")), 0) << "listed again";
}

} // namespace
