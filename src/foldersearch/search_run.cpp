#include "search_run.h"

#include "file_text.h"
#include "name_filter.h"

#include <QFileInfo>
#include <algorithm>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <thread>

namespace FolderSearch {

namespace detail {

namespace {

// How often the window hears of progress: often enough to look live, rarely
// enough that the queued reports cost it little.
constexpr qint64 ReportMs = 50;
// Paths listed ahead of the search at most, so that a huge tree's list stays small.
constexpr std::size_t ListedAhead = 20000;

// The listing thread's output: paths to search and what it passed over.
class Listing
{
public:
    void add(const QString &path)
    {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [this] { return paths_.size() < ListedAhead || stopping_; });
        paths_.push_back(path);
        ++listed_;
        ready_.notify_one();
    }
    void skip(const Skipped &skipped)
    {
        std::lock_guard lock(mutex_);
        skipped_.append(skipped);
    }
    void finish()
    {
        std::lock_guard lock(mutex_);
        done_ = true;
        ready_.notify_all();
    }
    // The searcher is going: the lister must not wait for room.
    void abandon()
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        room_.notify_one();
    }
    // The next path; false once the listing is done and every path taken.
    // The next path and its place in the listing; false once the listing is
    // done and every path taken.
    bool take(qsizetype &index, QString &path)
    {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return !paths_.empty() || done_; });
        if (paths_.empty())
            return false;
        path = std::move(paths_.front());
        paths_.pop_front();
        index = taken_++;
        room_.notify_one();
        return true;
    }
    SearchProgress progress(qsizetype searched)
    {
        std::lock_guard lock(mutex_);
        return {searched, listed_, done_ && paths_.empty()};
    }
    QList<Skipped> takeSkipped()
    {
        std::lock_guard lock(mutex_);
        return std::exchange(skipped_, {});
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_, room_;
    std::deque<QString> paths_;
    QList<Skipped> skipped_;
    qsizetype listed_ = 0, taken_ = 0;
    bool done_ = false, stopping_ = false;
};

// What the threads found, put back in listing order and reported in batches.
class Results
{
public:
    Results(qsizetype maxRows, const std::function<void(const QList<FileMatches> &)> &found,
            std::function<void(qsizetype searched)> progressed)
        : maxRows_(maxRows), found_(found), progressed_(std::move(progressed))
    {
    }

    // Rows still to list, as far as is known: a file may list more, cut when it is its turn.
    qsizetype rowsLeft() const { return std::max<qsizetype>(0, maxRows_ - rows_.load()); }

    void add(qsizetype index, std::optional<FileMatches> file, std::optional<Skipped> skipped)
    {
        std::lock_guard lock(mutex_);
        waiting_.emplace(index, Slot{std::move(file), std::move(skipped)});
        for (auto next = waiting_.begin(); next != waiting_.end() && next->first == summary_.searched;
             next = waiting_.erase(next))
            take(next->second);
        if (pace_.due())
            report();
    }

    SearchSummary finish()
    {
        std::lock_guard lock(mutex_);
        report();
        return summary_;
    }

private:
    struct Slot
    {
        std::optional<FileMatches> file;
        std::optional<Skipped> skipped;
    };

    void take(Slot &slot)
    {
        ++summary_.searched;
        if (slot.skipped)
            summary_.skipped.append(*slot.skipped);
        if (!slot.file || slot.file->count == 0)
            return;
        FileMatches &file = *slot.file;
        const qsizetype room = std::max<qsizetype>(0, maxRows_ - summary_.rows);
        if (file.matches.size() > room)
            file.matches.resize(room);
        ++summary_.matchedFiles;
        summary_.matches += file.count;
        summary_.rows += file.matches.size();
        rows_ = summary_.rows;
        batch_.append(std::move(file));
    }
    void report()
    {
        if (!batch_.isEmpty())
            found_(std::exchange(batch_, {}));
        progressed_(summary_.searched);
    }

    const qsizetype maxRows_;
    const std::function<void(const QList<FileMatches> &)> &found_;
    std::function<void(qsizetype)> progressed_;
    std::mutex mutex_;
    std::map<qsizetype, Slot> waiting_; // searched out of turn
    SearchSummary summary_;
    QList<FileMatches> batch_;
    std::atomic<qsizetype> rows_ = 0;
    Pace pace_{ReportMs};
};

// Threads that read and search: the reading and decoding is the work, so one a core, within reason.
int SearchThreads()
{
    return std::clamp(QThread::idealThreadCount(), 1, 4);
}

bool IsHeld(const QString &path, const SearchRequest &request)
{
    if (!request.heldFile.exists)
        return false;
    const FileIdentity file = FileIdentity::Of(path);
    return file.device == request.heldFile.device && file.inode == request.heldFile.inode;
}

} // namespace

} // namespace detail

SearchSummary RunSearch(const SearchRequest &request, const std::atomic_bool &stop,
                        const std::function<void(const QList<FileMatches> &)> &found,
                        const std::function<void(const SearchProgress &)> &progressed)
{
    const NameFilter names(request.files);
    detail::Listing listing;
    std::thread lister([&] {
        WalkFolder(request.folder, names, request.subfolders,
                   {[&](const QString &path) { listing.add(path); },
                    [&](const Skipped &skipped) { listing.skip(skipped); }},
                   stop);
        listing.finish();
    });
    detail::Results results(request.maxRows, found,
                            [&](qsizetype searched) { progressed(listing.progress(searched)); });
    const auto search = [&] {
        // Each thread its own pattern: nothing of it is shared.
        const TextTools::SearchPattern pattern =
            TextTools::SearchPattern::forReplacing(request.text, request.options);
        qsizetype index = 0;
        QString path;
        while (!stop.load(std::memory_order_relaxed) && listing.take(index, path)) {
            FileMatches file;
            file.path = path;
            TextMatches matches;
            const qsizetype rows = results.rowsLeft();
            if (detail::IsHeld(path, request)) {
                file.held = true;
                file.identity = request.heldFile;
                matches = MatchLines(request.heldText, pattern, rows);
            } else {
                FileSearch searched = SearchFileText(path, request.codes, pattern, rows);
                if (searched.skipped) {
                    results.add(index, {}, std::move(searched.skipped));
                    continue;
                }
                file.identity = searched.identity;
                matches = std::move(searched.matches);
            }
            file.matches = std::move(matches.matches);
            file.count = matches.count;
            results.add(index, std::move(file), {});
        }
    };
    std::vector<std::thread> helpers;
    for (int n = 1; n < detail::SearchThreads(); ++n)
        helpers.emplace_back(search);
    search();
    for (std::thread &helper : helpers)
        helper.join();
    listing.abandon();
    lister.join();
    SearchSummary summary = results.finish();
    summary.stopped = stop.load();
    summary.skipped = listing.takeSkipped() + summary.skipped;
    std::sort(summary.skipped.begin(), summary.skipped.end(),
              [](const Skipped &a, const Skipped &b) { return a.path < b.path; });
    return summary;
}

void SearchRun::start(const SearchRequest &request)
{
    launch([this, request](const std::atomic_bool &stop, quint64 run) {
        const SearchSummary summary = RunSearch(
            request, stop, [&](const QList<FileMatches> &files) { emit found(run, files); },
            [&](const SearchProgress &progress) { emit progressed(run, progress); });
        emit finished(run, summary);
    });
}

} // namespace FolderSearch
