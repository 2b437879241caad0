// bench_texttools [megabytes]: the text tools on a generated HTML page, by
// default 4 MB with about 100 000 tags. Each figure is printed beside a baseline doing comparable
// plain Qt work on the same text in the same run.
#include "editor_units.h"
#include "median_time.h"
#include "search_replace.h"
#include "tag_colouring.h"
#include "transformations.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// Lines of four tags and four "です", until the page holds `bytes` as Shift_JIS.
QString MakePage(qsizetype bytes)
{
    QString page;
    for (qsizetype units = 0, i = 0; units < bytes; ++i) {
        const QString line = QStringLiteral("<P>これは%1行目です。日本語の本文です。<B>太字</B>もあります。"
                                            "ASCII text 0123456789 で終わりです。句点です。</P>\n")
                                 .arg(i);
        units += EditorUnits::Length(line);
        page += line;
    }
    return page;
}

void Print(const char *what, double ms, const char *baseline, double baseMs)
{
    std::printf("%-46s %9.3f   baseline %-42s %9.3f   ratio %6.2f\n", what, ms, baseline, baseMs,
                ms / baseMs);
}

volatile qsizetype sink; // keeps results from being optimised away

void BenchColouring(const QString &page)
{
    const double all = MedianMs(5, [&] { sink = TextTools::ColourAllTagsRanges(page).size(); });
    const double scan = MedianMs(5, [&] { sink = page.count(u'<'); });
    Print("ColourAllTags ranges (ms)", all, "QString::count('<') (ms)", scan);

    for (const double where : {0.0, 0.25, 0.5, 0.75, 1.0}) {
        const qsizetype caret = qsizetype(where * page.size());
        constexpr int calls = 1000;
        const double near = MedianMs(5, [&] {
            for (int i = 0; i < calls; ++i)
                sink = TextTools::ColourTagsNearCaretRanges(page, caret).blue.size();
        });
        const double window = MedianMs(5, [&] {
            for (int i = 0; i < calls; ++i)
                sink = page.mid(qMax<qsizetype>(caret - 150, 0), 250).size();
        });
        char label[64];
        std::snprintf(label, sizeof label, "ColourTagsNearCaret at %3.0f%% (us per call)", where * 100);
        Print(label, near / calls * 1000, "QString::mid of its 250 characters (us)", window / calls * 1000);
    }
}

void BenchReplaceAll(const QString &page)
{
    const QString from = QStringLiteral("です");
    const QString to = QStringLiteral("である");
    std::printf("replace all: %lld matches\n", static_cast<long long>(page.count(from)));
    const double plain = MedianMs(5, [&] {
        QString copy = page;
        sink = copy.replace(from, to).size();
    });

    QPlainTextEdit editor;
    editor.resize(800, 600);
    editor.show();
    TextTools::SearchReplace search(editor.document(), 134217728);
    double inEditor = 0;
    for (int i = 0; i < 3; ++i) {
        editor.setPlainText(page);
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        search.replaceAll(from, to, {true});
        QApplication::processEvents(); // the relayout belongs to the command
        inEditor += timer.nsecsElapsed() / 1e6 / 3;
        search.clearMarks();
    }
    Print("\"一括置換\" in a shown QPlainTextEdit (ms)", inEditor, "QString::replace of the text (ms)",
          plain);

    double swap = 0;
    for (int i = 0; i < 3; ++i) {
        QString replaced = page;
        replaced.replace(from, to);
        editor.setPlainText(page);
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        QTextCursor all(editor.document());
        all.select(QTextCursor::Document);
        all.insertText(replaced);
        QApplication::processEvents();
        swap += timer.nsecsElapsed() / 1e6 / 3;
    }
    Print("\"一括置換\" in a shown QPlainTextEdit (ms)", inEditor, "whole text swapped in one edit (ms)",
          swap);
}

// What "全てテキストに変換" does with QString::replace and a regular expression.
QString PlainQtHtmlToText(QString page)
{
    const std::pair<const char *, QString> steps[] = {
        {"<B>", "["},    {"</B>", "]"},      {"<HR", QString(80, u'-') + u'<'},
        {"</TD>\n", ""}, {"<H1", "■<"},      {"<H2", "■<"},
        {"<H3", "■<"},   {"<TITLE>", "★【"}, {"</TITLE>", "】"},
        {"&nbsp;", " "},
    };
    for (const auto &[pattern, replacement] : steps)
        page.replace(QLatin1String(pattern), replacement, Qt::CaseInsensitive);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return page.remove(tag);
}

void BenchHtmlToText(const QString &page)
{
    const double ours = MedianMs(5, [&] { sink = TextTools::HtmlToText(page).size(); });
    const double plain = MedianMs(5, [&] { sink = PlainQtHtmlToText(page).size(); });
    Print("\"全てテキストに変換\" text (ms)", ours, "QString::replace + QRegularExpression (ms)", plain);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const double megabytes = argc > 1 ? std::atof(argv[1]) : 4;
    const QString page = MakePage(qsizetype(megabytes * 1'000'000));
    std::printf("page: %lld characters, %lld editor units, %lld tags, %lld tag ranges\n",
                static_cast<long long>(page.size()), static_cast<long long>(EditorUnits::Length(page)),
                static_cast<long long>(page.count(u'<')),
                static_cast<long long>(TextTools::ColourAllTagsRanges(page).size()));
    BenchColouring(page);
    BenchHtmlToText(page);
    BenchReplaceAll(page);
    return 0;
}
