// bench_html_check [MB]: 文書チェック on a generated page of MB megabytes of
// UTF-8 (5 by default) of Japanese paragraphs, lists, tables and images,
// some of them broken, as a UTF-8 and as a Shift_JIS document. Prints the
// medians of the copy of the text taken on the window's thread, the whole
// check on its own thread, and the longest gap between 5 ms ticks of the
// window's thread while the check runs.
#include "check_runner.h"
#include "median_time.h"
#include "stored_text.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <cstdio>

namespace {

QString MakePage(qsizetype bytes)
{
    QString page = QStringLiteral("<!DOCTYPE html>\n<html lang=\"ja\"><head><meta charset=\"UTF-8\">"
                                  "<title>大きなページ</title></head>\n<body>\n");
    qsizetype utf8 = 0;
    for (int i = 0; utf8 < bytes; ++i) {
        QString part =
            QStringLiteral("<h2 "
                           "id=\"s%1\">第%1節</"
                           "h2>\n<p>吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
                           "<a href=\"https://example.com/%1\">リンク</a>と<b>強調</b>。</p>\n"
                           "<ul><li>一つ目<li>二つ目</ul>\n<table><tr><td>表<td>%1</table>\n")
                .arg(i);
        if (i % 100 == 0) // broken now and then
            part += QStringLiteral("<p><b>閉じない<img src=\"missing%1.png\"></p>\n").arg(i);
        utf8 += part.toUtf8().size();
        page += part;
    }
    return page + QStringLiteral("</body></html>\n");
}

void Measure(const HtmlCheck::CheckInput &input)
{
    HtmlCheck::CheckRunner runner;
    std::vector<double> checks, gaps;
    qsizetype findings = 0;
    for (int round = 0; round < 5; ++round) {
        QSignalSpy finished(&runner, &HtmlCheck::CheckRunner::finished);
        QElapsedTimer clock, tick;
        double longest = 0;
        QTimer ticker;
        ticker.setInterval(5);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longest = std::max(longest, tick.nsecsElapsed() / 1e6);
            tick.restart();
        });
        clock.start();
        tick.start();
        ticker.start();
        runner.start(input);
        finished.wait(120000);
        checks.push_back(clock.nsecsElapsed() / 1e6);
        gaps.push_back(longest);
        findings = finished.value(0).value(0).value<HtmlCheck::Report>().findings.size();
    }
    std::sort(checks.begin(), checks.end());
    std::sort(gaps.begin(), gaps.end());
    std::printf("%s document: %lld findings\n", qPrintable(CodeName(input.format.code)),
                static_cast<long long>(findings));
    std::printf("check on its thread: median %.0f ms\n", checks[checks.size() / 2]);
    std::printf("longest gap between 5 ms ticks meanwhile: median %.1f ms\n", gaps[gaps.size() / 2]);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const double megabytes = argc > 1 ? QString::fromLocal8Bit(argv[1]).toDouble() : 5.0;
    QTemporaryDir dir;
    QTextDocument text;
    text.setPlainText(MakePage(qsizetype(megabytes * 1024 * 1024)));
    HtmlCheck::CheckInput input{{}, dir.filePath(QStringLiteral("page.html")), NewUtf8Format, false};
    const double copyMs = MedianMs(5, [&] { input.text = TextTools::StoredText(text); });

    std::printf("page %.1f MB of UTF-8\n", input.text.toUtf8().size() / 1048576.0);
    std::printf("copy of the text on the window's thread: %.1f ms\n", copyMs);
    for (const DocumentCode code : {DocumentCode::Utf8, DocumentCode::Sjis}) {
        input.format.code = code;
        Measure(input);
    }
    return 0;
}
