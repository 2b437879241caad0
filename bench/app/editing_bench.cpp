// bench_editing: the editing behaviour on a generated 4 MB HTML page with
// about 100 000 tags, through the main window, each figure beside a plain Qt
// baseline run in the same process.
#include "bench_window.h"
#include "search_bar.h"
#include "shine_speed_button.h"
#include "tag_colours.h"
#include "tform1.h"
#include "tform3.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>

namespace {

QString MakePage()
{
    QString page;
    page.reserve(4'200'000);
    for (int i = 0; page.size() < 4'000'000; ++i)
        page += QStringLiteral("<P ALIGN=\"left\">段落 %1 の本文、段落を手で書いた段落ページの段落です。 "
                               "some plain text of a "
                               "paragraph in English as well, <B>bold</B> and more words follow.</P>\n")
                    .arg(i);
    return page;
}

double Ms(QElapsedTimer &timer)
{
    const double ms = timer.nsecsElapsed() / 1e6;
    timer.restart();
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchWindow window;
    TForm1 &form = window.form1;
    TForm3 &form3 = window.form3;
    QPlainTextEdit *editor = Editor(&form);
    const QString page = MakePage();
    std::printf("page: %lld characters, %lld tags\n", (long long)page.size(), (long long)page.count(u'<'));

    QElapsedTimer timer;
    timer.start();
    editor->setPlainText(page);
    QApplication::processEvents();
    const double setText = Ms(timer);
    form.ColourAllTags();
    QApplication::processEvents();
    const double colourAll = Ms(timer);
    std::printf("%-44s %9.1f ms   (baseline setPlainText of the page %.1f ms, x%.2f)\n",
                "ColourAllTags, shown", colourAll, setText, colourAll / setText);

    DialogOptions colouring = form3.options();
    colouring.useAutoHtml = true;
    form3.showOptions(colouring);
    auto *colours = form.findChild<TagColours *>();
    std::vector<double> near;
    for (const double at : {0.0, 0.25, 0.5, 0.75, 1.0}) {
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(int(at * (editor->document()->characterCount() - 1)));
        editor->setTextCursor(cursor);
        editor->insertPlainText(QStringLiteral("<i>"));
        timer.restart();
        colours->colourNearCaret();
        near.push_back(Ms(timer));
    }
    timer.restart();
    const QString copy = editor->toPlainText();
    const double toPlain = Ms(timer);
    std::printf("%-44s %9.2f ms   (worst of 5 places; baseline toPlainText %.2f ms)\n", "ColourTagsNearCaret",
                *std::max_element(near.begin(), near.end()), toPlain);

    // Typing at the end with colouring on: the longest stall of the event loop
    // while 200 characters arrive and the timer colours around the caret.
    editor->moveCursor(QTextCursor::End);
    double worst = 0;
    for (int i = 0; i < 200; ++i) {
        timer.restart();
        QTest::keyClick(editor, i % 10 == 0 ? Qt::Key_Less : Qt::Key_A);
        if (i % 20 == 19)
            form.Timer1Timer();
        QApplication::processEvents();
        worst = std::max(worst, Ms(timer));
    }
    std::printf("%-44s %9.2f ms   (longest of 200 keys with the tick every 20)\n", "typing at the end, stall",
                worst);

    QString replaced = editor->toPlainText();
    timer.restart();
    replaced.replace(QStringLiteral("段落"), QStringLiteral("節"));
    const double plainReplace = Ms(timer);
    SearchBar *bar = SearchBarOf(&form);
    bar->findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(QStringLiteral("段落"));
    bar->findChild<QLineEdit *>(QStringLiteral("Edit2"))->setText(QStringLiteral("節"));
    timer.restart();
    bar->findChild<TShineSpeedButton *>(QStringLiteral("ShineSpeedButton7"))->Click();
    QApplication::processEvents();
    const double replaceAll = Ms(timer);
    std::printf(
        "%-44s %9.1f ms   (%lld matches; baseline QString::replace %.1f ms, x%.2f; setPlainText x%.2f)\n",
        "一括置換 of every 段落", replaceAll, (long long)copy.count(QStringLiteral("段落")), plainReplace,
        replaceAll / plainReplace, replaceAll / setText);

    timer.restart();
    form.command(TForm1::Cmd::N4)->trigger();
    QApplication::processEvents();
    const double toText = Ms(timer);
    std::printf("%-44s %9.1f ms   (baseline setPlainText %.1f ms)\n", "全てテキストに変換, shown", toText,
                setText);
    return 0;
}
