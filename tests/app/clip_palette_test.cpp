#include "palette_fixture.h"
#include "startup_rules.h"

#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>
#include <sys/stat.h>

namespace {

using ClipPaletteTest = PaletteTest;

ButtonDefinition Clip(const char *caption, const char *content)
{
    return {QString::fromUtf8(caption), QString::fromUtf8(content), 0, 0, QString()};
}

TEST_F(ClipPaletteTest, TwentyButtonsAndTheControlsInPlace)
{
    Start();
    ASSERT_EQ(ClipPaletteOf(form)->buttons().size(), 20);
    const struct
    {
        int number;
        QRect place;
    } places[] = {
        {1, {3, 53, 74, 18}}, {10, {3, 215, 74, 18}}, {11, {79, 53, 74, 18}}, {20, {79, 215, 74, 18}}};
    for (const auto &p : places) {
        TShineSpeedButton *button = ClipPaletteOf(form)->buttons()[p.number - 1];
        EXPECT_EQ(button->objectName(), QStringLiteral("CButton%1").arg(p.number));
        EXPECT_EQ(button->Tag(), 100 + p.number);
        EXPECT_EQ(button->geometry(), p.place) << p.number;
    }
    ClipPalette *clip = ClipPaletteOf(form);
    EXPECT_EQ(clip->SpeedButton20->geometry(), QRect(110, 3, 20, 21));
    EXPECT_EQ(clip->SpeedButton19->geometry(), QRect(130, 3, 20, 21));
    EXPECT_EQ(clip->ComboBox1->geometry().topLeft(), QPoint(3, 26));
    EXPECT_EQ(clip->CheckBox4->pos(), QPoint(8, 259));
    EXPECT_EQ(clip->SpeedButton20->toolTip(), QStringLiteral("ＱＵＭＯＣＬＩＰデータを新しく作る"));
}

TEST_F(ClipPaletteTest, ColourFacesFollowTheChosenSet)
{
    WriteSet(QStringLiteral("swatch"), {{3, Clip("青", "#0000FF")}, {4, Clip("短い", "#FF80")}},
             Palettes::ClipPalette());
    WriteSet(QStringLiteral("words"), {{3, Clip("挨拶", "こんにちは")}}, Palettes::ClipPalette());
    WriteIni("[Pre]\nClipName=swatch\n");
    Start();
    TShineSpeedButton *third = ClipPaletteOf(form)->buttons()[2];
    EXPECT_FALSE(third->Colors()->Gradation());
    EXPECT_EQ(third->Colors()->Color(), TColor(0xFF0000));
    EXPECT_EQ(third->FontColor(), clWhite); // readable on the dark face
    EXPECT_TRUE(ClipPaletteOf(form)->buttons()[3]->Colors()->Gradation());
    Choose(ClipPaletteOf(form)->ComboBox1, QStringLiteral("words"));
    EXPECT_TRUE(third->Colors()->Gradation());
    EXPECT_EQ(third->Colors()->Color(), clBtnFace);
    EXPECT_EQ(third->FontColor(), clBtnText);
    EXPECT_EQ(third->Caption(), QStringLiteral("挨拶"));
    Choose(ClipPaletteOf(form)->ComboBox1, QStringLiteral("swatch"));
    ClipPaletteOf(form)->SpeedButton20->Click();
    EXPECT_TRUE(third->Colors()->Gradation());
    EXPECT_EQ(third->Caption(), QString());
}

TEST_F(ClipPaletteTest, ClipsGoToTheDocumentOrTheClipboard)
{
    WriteSet(QStringLiteral("tags"), {{1, Clip("改行", "<br>")}}, Palettes::ClipPalette());
    WriteSet(QStringLiteral("HTML"), {{0, Clip("p", "<p>")}});
    WriteIni("[Pre]\nClipName=tags\n");
    Start();
    form->SetClipPaletteVisible(true);
    ClipPaletteOf(form)->ComboBox4->setCurrentIndex(2);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    Edit(QStringLiteral("本文"), 1, 1);
    Press(ClipPaletteOf(form)->buttons()[0]);
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("本<BR>文"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    EXPECT_EQ(Hover(ClipPaletteOf(form)->buttons()[0]), QStringLiteral(" <BR>"));

    ClipPaletteOf(form)->CheckBox4->setChecked(true);
    Edit(QStringLiteral("本文"), 1, 1);
    Press(ClipPaletteOf(form)->buttons()[0]);
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("本文"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("<BR>"));
    // Tag buttons always insert.
    Click(1);
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("本<p>文"));
}

TEST_F(ClipPaletteTest, ADroppedClipSetIsListed)
{
    QTemporaryDir elsewhere;
    const QString dropped = elsewhere.filePath(QStringLiteral("色.qmc"));
    QFile file(dropped);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("text\r\n*Button1\r\nred\r\n#FF0000\r\n7\r\n0\r\n\r\n");
    file.close();
    Start();
    modals.ThenClick(QMessageBox::Yes);
    form->HandleDroppedFiles({dropped}, QPoint(1, 1));
    EXPECT_GE(ClipPaletteOf(form)->ComboBox1->findText(QStringLiteral("色")), 0);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("色.qmc"))));
}

// With no clip set named yet, the palette shows the shipped colour board; a set box left empty
// on purpose stays empty.
TEST_F(ClipPaletteTest, FirstStartShowsTheShippedColourSet)
{
    WriteFile(QStringLiteral("色見本.qmc"), "text\r\n*Button1\r\nred\r\n#FF0000\r\n7\r\n0\r\n\r\n");
    const struct
    {
        QByteArray ini;
        QString shown;
    } rows[] = {{"[Pre]\n", QStringLiteral("red")}, {"[Pre]\nClipName=\n", QString()}};
    for (const auto &row : rows) {
        WriteIni(row.ini);
        Start();
        EXPECT_EQ(ClipPaletteOf(form)->buttons()[0]->Caption(), row.shown);
        EXPECT_EQ(ClipPaletteOf(form)->buttons()[0]->Colors()->Gradation(), row.shown.isEmpty());
        EXPECT_EQ(ClipPaletteOf(form)->ComboBox1->currentText(),
                  row.shown.isEmpty() ? QString() : QStringLiteral("色見本"));
        form.reset();
    }
}

// Dropping a set of a name the user already has asks about replacing it; いいえ installs nothing.
TEST_F(ClipPaletteTest, ADroppedSetOverAnExistingOneAsksToReplaceIt)
{
    QTemporaryDir elsewhere;
    const QString dropped = elsewhere.filePath(QStringLiteral("色見本.qmc"));
    const QByteArray theirs("text\r\n*Button1\r\nred\r\n#FF0000\r\n7\r\n0\r\n\r\n");
    const QByteArray mine("text\r\n*Button2\r\n私の\r\n#0000FF\r\n7\r\n0\r\n\r\n");
    {
        QFile file(dropped);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(theirs);
    }
    Start();
    const struct
    {
        QMessageBox::StandardButton answer;
        QByteArray installed;
    } rows[] = {{QMessageBox::No, mine}, {QMessageBox::Yes, theirs}};
    for (const auto &row : rows) {
        WriteFile(QStringLiteral("色見本.qmc"), mine);
        const size_t seen = modals.seen().size();
        modals.Then([row](QWidget *w) {
            auto *box = static_cast<QMessageBox *>(w);
            EXPECT_EQ(static_cast<QAbstractButton *>(box->defaultButton()), box->button(QMessageBox::No));
            box->button(row.answer)->click();
        });
        form->HandleDroppedFiles({dropped}, QPoint(1, 1));
        ASSERT_EQ(modals.seen().size(), seen + 1);
        EXPECT_EQ(modals.seen()[seen].text, QStringLiteral("「色見本」はすでにあります。置き換えますか？"));
        EXPECT_EQ(ReadFile(QStringLiteral("色見本.qmc")), row.installed);
    }
}

} // namespace

namespace {

// Installing never truncates the installed file and never writes outside the program folder.
TEST(InstallClipSet, OnlyIntoTheProgramFolderAndNeverOverItself)
{
    QTemporaryDir root;
    const QString program = root.filePath(QStringLiteral("prog/"));
    const QString outside = root.filePath(QStringLiteral("drop/"));
    ASSERT_TRUE(QDir().mkpath(program) && QDir().mkpath(outside));
    const QByteArray set("text\r\n*Button1\r\nx\r\n#FF0000\r\n7\r\n0\r\n\r\n");
    const auto write = [&set](const QString &file) {
        QFile f(file);
        return f.open(QIODevice::WriteOnly) && f.write(set) == set.size();
    };
    ASSERT_TRUE(write(program + "own.qmc") && write(outside + "new.qmc") &&
                write(outside + "tab\tname.qmc") && write(outside + "Upper.QMC"));
    // Opened plainly, a FIFO would wait for a writer forever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(outside + "pipe.qmc").constData(), 0600), 0);
    const struct
    {
        QString dropped;
        bool refused;
        QString installed; // in the program folder afterwards, with the set's bytes
    } rows[] = {
        {outside + "new.qmc", false, "new.qmc"},
        {program + "own.qmc", false, "own.qmc"},
        {program + "../prog/./own.qmc", false, "own.qmc"},
        {outside + "tab\tname.qmc", true, {}},
        {outside + "missing.qmc", true, {}},
        {outside + "Upper.QMC", false, "Upper.qmc"},
        {outside + "pipe.qmc", true, {}},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(!InstallClipSet(row.dropped, program).done(), row.refused) << row.dropped.toStdString();
        if (!row.installed.isEmpty()) {
            QFile file(program + row.installed);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), set) << row.dropped.toStdString();
        }
    }
    EXPECT_EQ(Palettes::ListClipSets(program), QStringList({"new", "own", "Upper"}));
}

} // namespace
