// bench_folder_tree [files [folder]]: expanding a folder of 50 000 files (by default)
// in the folder tree, folders first and files first. Prints the longest
// event-loop stall while the folder fills, beside the time QDir::entryList
// takes for the same folder in the same run. The stall is the target (at most 100 ms); the listing is the
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

struct Fill
{
    qint64 longestStall = 0;
    qint64 filledAt = -1; // ms until every row was in; -1 when they never were
    int rows = 0;
};

// Expands `folder` in a tree rooted at `parent` and watches the event loop until it has filled.
Fill ExpandAndWatch(const QString &parent, const QString &folder, int count, bool filesFirst)
{
    TFolderTreeViewEx tree;
    tree.resize(300, 600);
    tree.setRootFolder(rfManual);
    tree.setRootFolderName(parent);
    tree.setShowFile(true);
    tree.setInfoViewSort(filesFirst);
    tree.show();
    QApplication::processEvents();

    // A timer that should tick every millisecond: the longest gap is the longest stall.
    QElapsedTimer clock;
    qint64 last = 0;
    Fill fill;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        fill.longestStall = std::max(fill.longestStall, now - last);
        last = now;
    });

    QModelIndex big;
    tree.SetSelectedFolder(folder, false, &big, true);
    const QPersistentModelIndex node(big);
    clock.start();
    ticker.start();
    tree.expand(node);
    while (clock.elapsed() < 60000) {
        QApplication::processEvents(QEventLoop::AllEvents, 5);
        if (fill.filledAt < 0 && tree.model()->rowCount(node) >= count)
            fill.filledAt = clock.elapsed();
        // Half a second more for any sorting that follows the last rows.
        if (fill.filledAt >= 0 && clock.elapsed() > fill.filledAt + 500)
            break;
    }
    // A stall still running when the wait ended counts too.
    fill.longestStall = std::max(fill.longestStall, clock.elapsed() - last);
    fill.rows = tree.model()->rowCount(node);
    return fill;
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
    std::printf("%-52s %9.1f   (%lld entries)\n", "baseline: QDir::entryList of the folder (ms)", listMs,
                static_cast<long long>(entries));
    bool filled = true;
    for (const bool filesFirst : {false, true}) {
        const Fill fill = ExpandAndWatch(parent, folder, count, filesFirst);
        const char *order = filesFirst ? "files first" : "folders first";
        std::printf("%-13s longest event-loop stall while filling (ms) %9.1f\n", order,
                    double(fill.longestStall));
        std::printf("%-13s time until all rows were in (ms)            %9.1f   (%d rows shown)\n", order,
                    double(fill.filledAt), fill.rows);
        filled = filled && fill.filledAt >= 0;
    }
    return filled ? 0 : 1;
}
