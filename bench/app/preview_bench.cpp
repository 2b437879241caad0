// The live preview on a 1 MB Japanese page (Shift_JIS) in the main window:
//  - a key's cost with the pane hidden and shown (keys ~25 a second, so that
//    no refresh falls between them, and keys right after a refresh began);
//  - from a key to the refreshed preview (the pane's pause included);
//  - the main thread's share of a refresh (making the pane's copy);
//  - the memory the pane adds: this process and the engine's processes.
//   QT_QPA_PLATFORM=offscreen build/bench_preview [MB] [rounds]
#include "../median_time.h"
#include "../sample_text.h"
#include "bench_window.h"
#include "display_blocks.h"
#include "preview_environment.h"
#include "preview_pane.h"
#include "preview_source.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

// A page of `bytes` bytes: the sample's lines as paragraphs (the sample's
// own paragraph tags left out, so that every element closes).
QByteArray MakePage(std::size_t bytes)
{
    std::string sample = MakeSjisSample(bytes);
    for (const std::string tag : {"</p>", "<p>"})
        for (auto at = sample.find(tag); at != std::string::npos; at = sample.find(tag, at))
            sample.erase(at, tag.size());
    QByteArray page("<!DOCTYPE html>\r\n<html lang=\"ja\"><head><meta charset=\"Shift_JIS\">"
                    "<title>bench</title></head>\r\n<body>\r\n");
    for (const QByteArray &line : QByteArray::fromStdString(sample).split('\n'))
        if (!line.trimmed().isEmpty())
            page += "<p>" + line.trimmed() + "</p>\r\n";
    return page + "</body></html>\r\n";
}

double ResidentMiB(qint64 pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024;
    return 0;
}

// This process's resident memory and its children's (the engine's processes).
std::pair<double, double> Memory()
{
    const qint64 self = QCoreApplication::applicationPid();
    double children = 0;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool process = false;
        entry.toLongLong(&process);
        if (!process)
            continue;
        std::ifstream stat(("/proc/" + entry + "/stat").toStdString());
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        const auto close = text.rfind(')');
        if (close == std::string::npos)
            continue;
        char state;
        long long parent = 0;
        if (std::sscanf(text.c_str() + close + 1, " %c %lld", &state, &parent) == 2 && parent == self)
            children += ResidentMiB(entry.toLongLong());
    }
    return {ResidentMiB(self), children};
}

struct Keys
{
    double median = 0;
    double p90 = 0;
};

// `count` keys in the middle of the page, about 25 a second.
Keys Type(QPlainTextEdit *editor, int count)
{
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < count; ++i) {
        timer.start();
        QTest::keyClick(editor, i % 8 == 7 ? Qt::Key_Backspace : Qt::Key_A);
        QApplication::processEvents();
        times.push_back(timer.nsecsElapsed() / 1e6);
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        QApplication::processEvents();
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times[times.size() * 9 / 10]};
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PrepareForPreviewEngine();
    QApplication app(argc, argv);
    const double mb = argc > 1 ? std::atof(argv[1]) : 1.0;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 15;
    const int keys = 150;

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("page.html"));
    {
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(MakePage(std::size_t(mb * 1024 * 1024)));
    }
    BenchWindow window;
    window.form1.resize(1200, 800);
    TForm1 &form = window.form1;
    QPlainTextEdit *editor = Editor(&form);
    auto *pane = form.findChild<PreviewPane *>(QStringLiteral("PreviewPane"));
    form.LoadDocument(file);
    QApplication::processEvents();
    std::printf("page: %.2f MB Shift_JIS, %d lines\n", QFile(file).size() / 1048576.0,
                editor->document()->blockCount());
    // In the text of a paragraph in the middle, after its "<p>".
    QTextCursor middle(editor->document()->findBlockByNumber(editor->document()->blockCount() / 2));
    middle.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
    editor->setTextCursor(middle);

    const auto before = Memory();
    const Keys hidden = Type(editor, keys);

    QSignalSpy refreshed(pane, &PreviewPane::refreshed);
    QElapsedTimer timer;
    timer.start();
    pane->showAction()->trigger();
    if (!refreshed.wait(60000)) {
        std::printf("the pane showed no page: %s\n", qPrintable(pane->message()));
        return 1;
    }
    std::printf("%-46s %9.1f ms (the engine loaded, the page shown)\n", "first show (F6)",
                timer.nsecsElapsed() / 1e6);
    QTest::qWait(500);
    const auto after = Memory();
    const Keys shown = Type(editor, keys);

    // From a key to the refreshed preview, the pause included: a letter in
    // a paragraph changes that part of the page; a tag left open (here "<i",
    // then taken back) loads the whole page again.
    std::vector<double> toPreview;
    std::vector<double> toReloaded;
    std::vector<double> duringRefresh;
    const auto keyToPreview = [&](const std::function<void()> &keys, std::vector<double> &times) {
        QTest::qWait(200);
        refreshed.clear();
        timer.restart();
        keys();
        if (!refreshed.wait(30000)) {
            std::printf("no refresh after a key: %s\n", qPrintable(pane->message()));
            std::exit(1);
        }
        times.push_back(timer.nsecsElapsed() / 1e6);
    };
    for (int i = 0; i < rounds; ++i) {
        keyToPreview([&] { QTest::keyClick(editor, Qt::Key_B); }, toPreview);
        if (i % 3 == 0) {
            keyToPreview([&] { QTest::keyClicks(editor, QStringLiteral("<i")); }, toReloaded);
            keyToPreview(
                [&] {
                    QTest::keyClick(editor, Qt::Key_Backspace);
                    QTest::keyClick(editor, Qt::Key_Backspace);
                },
                toReloaded);
        }
        // A key while the engine takes the next page.
        refreshed.clear();
        QTest::keyClick(editor, Qt::Key_C);
        QTest::qWait(PreviewPane::RefreshDelayMs + 20);
        timer.restart();
        QTest::keyClick(editor, Qt::Key_D);
        QApplication::processEvents();
        duringRefresh.push_back(timer.nsecsElapsed() / 1e6);
        refreshed.wait(30000);
    }
    std::sort(toPreview.begin(), toPreview.end());
    std::sort(toReloaded.begin(), toReloaded.end());
    std::sort(duringRefresh.begin(), duringRefresh.end());

    const QFontInfo font(editor->font());
    const double copy = MedianMs(9, [&] {
        const QString raw = DisplayBlocks::RawText(*editor->document());
        const MadePreview made =
            MakePreviewPage(form.document(), raw, {false, font.family(), font.pointSizeF()});
        Q_UNUSED(made);
    });

    std::printf("%-46s %9.2f ms median, %6.2f ms p90\n", "key, pane hidden", hidden.median, hidden.p90);
    std::printf("%-46s %9.2f ms median, %6.2f ms p90  (x%.2f of hidden)\n", "key, pane shown", shown.median,
                shown.p90, shown.median / hidden.median);
    std::printf("%-46s %9.2f ms median, %6.2f ms worst\n", "key while a refresh loads",
                duringRefresh[duringRefresh.size() / 2], duringRefresh.back());
    std::printf("%-46s %9.1f ms median, %6.1f ms worst of %d (pause %d ms)\n", "key to refreshed preview",
                toPreview[toPreview.size() / 2], toPreview.back(), rounds, PreviewPane::RefreshDelayMs);
    std::printf("%-46s %9.1f ms median, %6.1f ms worst of %d\n", "key to reloaded preview (a tag left open)",
                toReloaded[toReloaded.size() / 2], toReloaded.back(), int(toReloaded.size()));
    std::printf("%-46s %9.1f ms median\n", "the pane's copy (main thread, per refresh)", copy);
    std::printf("%-46s %9.1f MiB in this process, %.1f MiB in the engine's processes\n",
                "memory the pane adds", after.first - before.first, after.second - before.second);
    editor->document()->setModified(false);
    return 0;
}
