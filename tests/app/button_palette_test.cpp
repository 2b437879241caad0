#include "button_palette.h"
#include "set_files.h"
#include "shine_speed_button.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

// A palette alone over a program folder: its set box lists and loads the sets, a fresh set
// empties the buttons, and a click hands out the record of a defined button only.
TEST(ButtonPaletteSets, ListLoadClickAndAFreshSet)
{
    const struct
    {
        const char *what;
        std::function<ButtonPalette *(QWidget *)> make;
        int record; // of the first button
    } rows[] = {
        {"tag", [](QWidget *host) { return new TagPalette(host); }, 0},
        {"clip", [](QWidget *host) { return new ClipPalette(host); }, 1},
    };
    for (const auto &row : rows) {
        QTemporaryDir dir;
        const QString programDir = dir.path() + u'/';
        QWidget host;
        ButtonPalette *palette = row.make(&host);
        Palettes::SetList list = Palettes::SetList::Fresh(palette->kind().header);
        list.define(row.record, {QStringLiteral("x"), QStringLiteral("<x>"), 1, 2, QString()});
        ASSERT_TRUE(Palettes::SaveSet(programDir, QStringLiteral("own"), palette->kind(), list).done());
        QSignalSpy chosen(palette, &ButtonPalette::buttonChosen);
        QSignalSpy errors(palette, &ButtonPalette::fileError);

        palette->setProgramDir(programDir);
        palette->setBox()->setEditText(QStringLiteral("own"));
        palette->listSets();
        EXPECT_EQ(palette->setBox()->findText(QStringLiteral("own")), 0) << row.what;
        EXPECT_EQ(palette->setBox()->currentText(), QStringLiteral("own")) << row.what;
        palette->loadSet();
        EXPECT_FALSE(palette->loadedPath().isEmpty()) << row.what;
        EXPECT_EQ(palette->buttons()[0]->Caption(), QStringLiteral("x")) << row.what;

        palette->caseBox()->setCurrentIndex(2);
        palette->buttons()[0]->Click();
        palette->buttons()[1]->Click();
        ASSERT_EQ(chosen.size(), 1) << row.what;
        const auto record = chosen[0][0].value<Palettes::ButtonRecord>();
        EXPECT_EQ(record.content, QStringLiteral("<x>")) << row.what;
        EXPECT_EQ(record.selectLength, 2) << row.what;
        EXPECT_EQ(chosen[0][1].toInt(), 2) << row.what;

        palette->newSet();
        EXPECT_EQ(palette->setBox()->currentText(), palette->kind().newSetName) << row.what;
        EXPECT_TRUE(palette->loadedPath().isEmpty()) << row.what;
        EXPECT_EQ(palette->buttons()[0]->Caption(), QString()) << row.what;
        palette->buttons()[0]->Click();
        EXPECT_EQ(chosen.size(), 1) << row.what;
        EXPECT_TRUE(errors.isEmpty()) << row.what;
    }
}

} // namespace
