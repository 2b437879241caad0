// Developer check, not run by default: a picture of the main window with a
// Japanese document, for looking at the layout and fonts.
//   QT_QPA_PLATFORM=xcb xvfb-run -a -s '-screen 0 1280x1024x24'
//       ./screenshot_test --gtest_also_run_disabled_tests
// writes $QUMO_SCREENSHOT (default /tmp/qumoedit.png)
#include "cp932.h"
#include "font_substitutions.h"
#include "form_fixture.h"

#include <QPixmap>
#include <QPlainTextEdit>

namespace {

class Screenshot : public FormTest
{
};

TEST_F(Screenshot, DISABLED_MainWindowWithAJapaneseDocument)
{
    InstallJapaneseFontSubstitutions();
    WriteIni("[Position]\nWidth=820\nHeight=560\nX=20\nY=20\n[Panel]\nHtml=1\nClip=1\nColor=1\n");
    const QString page =
        QStringLiteral("<HTML>\n<HEAD>\n<TITLE>春の便り</TITLE>\n</HEAD>\n<BODY BGCOLOR=\"#FFFFFF\">\n"
                       "<H1>桜が咲きました</H1>\n<P>今年も公園の桜が見ごろになりました。\n"
                       "ｶﾀｶﾅ（半角）とカタカナ（全角）、ABC と ＡＢＣ。</P>\n"
                       "<P>①②③ ㈱ Ⅲ ～ ― ∥</P>\n</BODY>\n</HTML>\n");
    WriteFile(QStringLiteral("春の便り.html"), Cp932::Encode(page));
    Start({path(QStringLiteral("春の便り.html"))});
    QTest::qWait(300);
    form->Timer1Timer();
    QTextCursor cursor = form->RichEdit1->textCursor();
    cursor.setPosition(page.indexOf(QStringLiteral("公園")));
    form->RichEdit1->setTextCursor(cursor);
    QTest::qWait(200);
    const QPixmap picture = form->grab();
    const QString file = qEnvironmentVariable("QUMO_SCREENSHOT", QStringLiteral("/tmp/qumoedit.png"));
    ASSERT_TRUE(picture.save(file)) << file.toStdString();
    EXPECT_EQ(picture.size(), form->size());
}

} // namespace
