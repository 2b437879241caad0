// bench_folder_tree [files [folder]]: expanding a folder of 50 000 files (by default)
// in the folder tree. Prints the longest event-loop stall while the folder
// fills, beside the time QDir::entryList takes for the same folder in the
// same run. The stall is the target (at most 100 ms); the listing is the
// yardstick of what the disk and file system cost.
#include "folder_tree_view.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

void MakeFiles(const QString &folder, int count)
{
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        QFile file(QStringLiteral("%1/file%2.txt").arg(folder).arg(i, 5, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly))
            std::exit(1);
    }
}

double EntryListMs(const QString &folder, qsizetype &entries)
{
    QElapsedTimer timer;
    timer.start();
    entries = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 50000;
    // A folder given on the command line is filled once and kept, for repeated runs.
    QTemporaryDir temporary;
    const QString parent = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();
    const QString folder = parent + QStringLiteral("/big");
    if (QDir(folder).count() < uint(count))
        MakeFiles(folder, count);

    qsizetype entries = 0;
    const double listMs = EntryListMs(folder, entries);

    TFolderTreeViewEx tree;
    tree.resize(300, 600);
    tree.setRootFolder(rfManual);
    tree.setRootFolderName(parent);
    tree.setShowFile(true);
    tree.show();
    QApplication::processEvents();

    // A timer that should tick every millisecond: the longest gap is the longest stall.
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - last);
        last = now;
    });

    QModelIndex big;
    tree.SetSelectedFolder(folder, false, &big, true);
    const QPersistentModelIndex node(big);
    clock.start();
    ticker.start();
    tree.expand(node);
    qint64 filledAt = -1;
    while (clock.elapsed() < 60000) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (filledAt < 0 && tree.model()->rowCount(node) >= count)
            filledAt = clock.elapsed();
        // Half a second more for the sorting that follows the last batch.
        if (filledAt >= 0 && clock.elapsed() > filledAt + 500)
            break;
    }
    ticker.stop();
    std::printf("%-46s %9.1f   baseline %-36s %9.1f\n", "longest event-loop stall while filling (ms)",
                double(longest), "QDir::entryList of the folder (ms)", listMs);
    std::printf("%-46s %9.1f   (%d rows shown, %lld entries listed)\n", "time until all rows were in (ms)",
                double(filledAt), tree.model()->rowCount(node), static_cast<long long>(entries));
    return filledAt < 0 ? 1 : 0;
}
