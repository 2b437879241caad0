#include "folder_pane.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Shown again, the pane has the width it was dragged to; first, its first width.
TEST(FolderPane, ComesBackAtTheWidthItHadWhenHidden)
{
    QTemporaryDir dir;
    QSplitter splitter;
    auto *pane = new FolderPane(&splitter);
    splitter.addWidget(pane);
    splitter.addWidget(new QPlainTextEdit(&splitter));
    pane->hide();
    splitter.resize(800, 400);
    splitter.show();
    const int total = 800 - splitter.handleWidth();
    const struct
    {
        int expected; // when shown
        int dragged;  // then, before it is hidden; 0: left as shown
    } rows[] = {{FolderPane::FirstWidth, 300}, {300, 0}, {300, 120}, {120, 0}};
    for (const auto &row : rows) {
        pane->toggle(dir.path() + QStringLiteral("/page.html"));
        ASSERT_FALSE(pane->isHidden());
        // The splitter may round a pixel.
        EXPECT_NEAR(splitter.sizes().value(0), row.expected, 1) << row.expected;
        if (row.dragged > 0)
            splitter.setSizes({row.dragged, total - row.dragged});
        QApplication::processEvents();
        pane->toggle(QString());
        ASSERT_TRUE(pane->isHidden());
    }
}

} // namespace
