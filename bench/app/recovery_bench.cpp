// Typing into a large document with and without recovery copies: the
// longest time a key holds the event loop, the extra time a load takes, how
// long the final write of a termination signal takes and how big the copy is.
//   QT_QPA_PLATFORM=offscreen build/bench_recovery 5 50     (KEYS=n types n keys, 400 by default)
#include "../sample_text.h"
#include "bench_window.h"
#include "crash_recovery.h"
#include "recovery_keeper.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

double Ms(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

struct Run
{
    double load = 0;
    double longest = 0;
    double p99 = 0;
    double median = 0;
    double flush = 0;
    qint64 copyBytes = 0;
    std::vector<double> own; // the copy's own share of each edit: posting it
    int wholeTexts = 0;      // sent while typing instead of edits
};

Run Type(const QString &file, const QString &recoveryFolder, int keys)
{
    BenchWindow window;
    TForm1 &form = window.form1;
    CrashRecovery &recovery = form.crashRecovery();
    if (!recoveryFolder.isEmpty())
        recovery.enable(recoveryFolder);
    Run run;
    QElapsedTimer timer;
    timer.start();
    form.LoadDocument(file);
    QApplication::processEvents();
    run.load = Ms(timer);
    // Connected around the copy's own handler, which runs between the two;
    // without copies nothing runs between them: the noise of the machine.
    QElapsedTimer own;
    QTextDocument *text = Editor(&form)->document();
    if (recovery.keeper() != nullptr)
        QObject::disconnect(text, &QTextDocument::contentsChange, recovery.keeper(), nullptr);
    QObject::connect(text, &QTextDocument::contentsChange, [&own] { own.start(); });
    if (recovery.keeper() != nullptr) {
        recovery.enable(recoveryFolder);
        QApplication::processEvents();
    }
    QObject::connect(text, &QTextDocument::contentsChange, [&own, &run] { run.own.push_back(Ms(own)); });
    const int wholeBefore = recovery.keeper() != nullptr ? recovery.keeper()->wholeTextsSent() : 0;
    QTextCursor cursor = Editor(&form)->textCursor();
    cursor.setPosition(Editor(&form)->document()->characterCount() / 2);
    Editor(&form)->setTextCursor(cursor);
    std::vector<double> times;
    for (int i = 0; i < keys; ++i) {
        const Qt::Key key = i % 40 == 39 ? Qt::Key_Return : i % 25 == 24 ? Qt::Key_Backspace : Qt::Key_A;
        timer.restart();
        QTest::keyClick(Editor(&form), key);
        QApplication::processEvents();
        times.push_back(Ms(timer));
        if (i % 20 == 19)
            form.Timer1Timer();
        // About 40 keys a second: the copy is written while typing goes on.
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        QApplication::processEvents();
    }
    std::sort(times.begin(), times.end());
    run.longest = times.back();
    run.p99 = times[times.size() * 99 / 100];
    run.median = times[times.size() / 2];
    if (recovery.keeper() != nullptr) {
        run.wholeTexts = recovery.keeper()->wholeTextsSent() - wholeBefore;
        timer.restart();
        recovery.keeper()->flush();
        run.flush = Ms(timer);
        run.copyBytes = QFileInfo(recovery.keeper()->copyFile()).size();
    }
    // Ends without the close question.
    Editor(&form)->document()->setModified(false);
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {5, 50};
    const int Keys = qEnvironmentVariableIntValue("KEYS") ? qEnvironmentVariableIntValue("KEYS") : 400;
    for (const int mb : sizes) {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("sample.txt"));
        {
            QFile out(file);
            out.open(QIODevice::WriteOnly);
            const std::string sample = MakeSjisSample(std::size_t(mb) << 20);
            out.write(sample.data(), qint64(sample.size()));
        }
        const QString folder = dir.filePath(QStringLiteral("recovery"));
        QDir().mkpath(folder);
        const Run base = Type(file, {}, Keys);
        const Run kept = Type(file, folder, Keys);
        std::printf("%d MB Shift_JIS, %d keys at ~40/s in the middle (Enter, Backspace among them):\n", mb,
                    Keys);
        std::printf("  longest key   %8.2f ms with copies, %8.2f ms without (x%.2f)\n", kept.longest,
                    base.longest, kept.longest / base.longest);
        std::printf("  99th pct key  %8.2f ms with copies, %8.2f ms without (x%.2f)\n", kept.p99, base.p99,
                    kept.p99 / base.p99);
        std::printf("  median key    %8.2f ms with copies, %8.2f ms without\n", kept.median, base.median);
        const auto spread = [](std::vector<double> v) {
            std::sort(v.begin(), v.end());
            return v.empty() ? std::pair(0.0, 0.0) : std::pair(v.back(), v[v.size() / 2]);
        };
        const auto [ownMax, ownMedian] = spread(kept.own);
        const auto [noiseMax, noiseMedian] = spread(base.own);
        std::printf("  copy's share  %8.3f ms at most, %.3f ms median per edit (empty handler: %.3f, %.3f; "
                    "whole texts sent: %d)\n",
                    ownMax, ownMedian, noiseMax, noiseMedian, kept.wholeTexts);
        std::printf("  load          %8.1f ms with copies, %8.1f ms without (x%.2f)\n", kept.load, base.load,
                    kept.load / base.load);
        std::printf("  final write   %8.1f ms (what a termination signal waits for); copy %.1f MB\n",
                    kept.flush, double(kept.copyBytes) / (1 << 20));
    }
    return 0;
}
