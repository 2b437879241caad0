#include "palette_fixture.h"
#include "startup_rules.h"

#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>
#include <sys/stat.h>

namespace {

using ClipPaletteTest = PaletteTest;

TEST_F(ClipPaletteTest, ClipsGoToTheDocumentOrTheClipboard)
{
    WriteSet(QStringLiteral("tags"), {{1, Clip("改行", "<br>")}}, Palettes::ClipPalette());
    WriteSet(QStringLiteral("HTML"), {{0, Clip("p", "<p>")}});
    WriteIni("[Pre]\nClipName=tags\n");
    Start();
    ClipPaletteOf(form)->setVisible(true);
    Part<QComboBox>(ClipPaletteOf(form), "ComboBox4")->setCurrentIndex(2);
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    Edit(QStringLiteral("本文"), 1, 1);
    Press(ClipPaletteOf(form)->buttons()[0]);
    EXPECT_EQ(Editor(form)->toPlainText(), QStringLiteral("本<BR>文"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    EXPECT_EQ(Hover(ClipPaletteOf(form)->buttons()[0]), QStringLiteral(" <BR>"));

    Part<QCheckBox>(ClipPaletteOf(form), "CheckBox4")->setChecked(true);
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
    EXPECT_GE(Part<QComboBox>(ClipPaletteOf(form), "ComboBox1")->findText(QStringLiteral("色")), 0);
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
        EXPECT_EQ(Part<QComboBox>(ClipPaletteOf(form), "ComboBox1")->currentText(),
                  row.shown.isEmpty() ? QString() : QStringLiteral("色見本"));
        form.reset();
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
