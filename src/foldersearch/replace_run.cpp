#include "replace_run.h"

#include <algorithm>

namespace FolderSearch {

namespace detail {

namespace {

constexpr qint64 ReportMs = 50;
constexpr qsizetype ShownChars = 400;
const QChar Ellipsis(0x2026);

QString Cut(const QString &text, qsizetype from, qsizetype chars)
{
    if (text.size() <= chars)
        return text;
    const qsizetype start = std::clamp<qsizetype>(from, 0, text.size());
    const qsizetype end = std::min(text.size(), start + chars);
    return (start > 0 ? QString(Ellipsis) : QString()) + text.sliced(start, end - start) +
           (end < text.size() ? QString(Ellipsis) : QString());
}

} // namespace

} // namespace detail

void ShortenForShowing(ChangedLines &change, qsizetype chars)
{
    if (change.before.size() <= chars && change.after.size() <= chars)
        return;
    const auto differ = std::mismatch(change.before.cbegin(), change.before.cend(), change.after.cbegin(),
                                      change.after.cend());
    const qsizetype from = std::max<qsizetype>(0, (differ.first - change.before.cbegin()) - chars / 4);
    change.before = detail::Cut(change.before, from, chars);
    change.after = detail::Cut(change.after, from, chars);
}

ReplaceSummary RunReplace(const ReplaceRequest &request, const std::atomic_bool &stop,
                          const std::function<void(const QList<FileOutcome> &)> &done,
                          const std::function<void(qsizetype files, qsizetype total)> &progressed)
{
    const TextTools::SearchPattern pattern =
        TextTools::SearchPattern::forReplacing(request.text, request.options);
    ReplaceSummary summary;
    QList<FileOutcome> batch;
    Pace pace(detail::ReportMs);
    qsizetype handled = 0;
    for (const SearchedFile &file : request.files) {
        if (stop.load(std::memory_order_relaxed))
            break;
        PreparedReplace prepared = PrepareReplace(file, pattern, request.replacement, request.codes);
        FileOutcome outcome{file.path, prepared.outcome, {}, prepared.plan.count};
        if (outcome.outcome.done() && request.write)
            outcome.outcome = CommitReplace(file.path, prepared);
        ++handled;
        if (outcome.outcome.kind == Outcome::Failed) {
            summary.failed.append(outcome);
        } else if (outcome.outcome.done()) {
            ++summary.files;
            summary.count += outcome.count;
            if (!request.write) {
                outcome.changes = std::move(prepared.plan.changes);
                for (ChangedLines &change : outcome.changes)
                    ShortenForShowing(change, detail::ShownChars);
            }
            batch.append(std::move(outcome));
        }
        if (pace.due()) {
            if (!batch.isEmpty())
                done(std::exchange(batch, {}));
            progressed(handled, request.files.size());
        }
    }
    summary.stopped = stop.load();
    if (!batch.isEmpty())
        done(batch);
    progressed(handled, request.files.size());
    return summary;
}

void ReplaceRun::start(const ReplaceRequest &request)
{
    launch([this, request](const std::atomic_bool &stop, quint64 run) {
        const ReplaceSummary summary = RunReplace(
            request, stop, [&](const QList<FileOutcome> &files) { emit done(run, files); },
            [&](qsizetype files, qsizetype total) { emit progressed(run, files, total); });
        emit finished(run, summary);
    });
}

} // namespace FolderSearch
