// Replacing over the files a folder search found, on a thread of its own:
// first what would change (nothing written), then, once agreed, the writing.
#pragma once

#include "background_run.h"
#include "file_replace.h"
#include "search_pattern.h"

#include <QList>

namespace FolderSearch {

struct ReplaceRequest
{
    QList<SearchedFile> files; // the files with matches, as the search read them
    QString text;
    TextTools::SearchOptions options;
    QString replacement;
    DocumentCodeOptions codes;
    bool write = false; // false: only what would change
};

struct FileOutcome
{
    QString path;
    Outcome outcome;                   // done; declined: nothing to change; failed: passed over, why
    std::vector<ChangedLines> changes; // the preview's, cut to a shown length
    qsizetype count = 0;
};

struct ReplaceSummary
{
    qsizetype files = 0; // changed, or to change
    qsizetype count = 0; // replacements
    QList<FileOutcome> failed;
    bool stopped = false;
};

class ReplaceRun : public BackgroundRun
{
    Q_OBJECT

public:
    using BackgroundRun::BackgroundRun;
    ~ReplaceRun() override { halt(); }

    void start(const ReplaceRequest &request);

signals:
    // Files that change (or changed), with their lines when previewing.
    void done(quint64 run, const QList<FolderSearch::FileOutcome> &files);
    void progressed(quint64 run, qsizetype files, qsizetype total);
    void finished(quint64 run, const FolderSearch::ReplaceSummary &summary);
};

// The whole replace on the calling thread, reporting as ReplaceRun emits.
ReplaceSummary RunReplace(const ReplaceRequest &request, const std::atomic_bool &stop,
                          const std::function<void(const QList<FileOutcome> &)> &done,
                          const std::function<void(qsizetype files, qsizetype total)> &progressed);

// A before and after shortened alike to at most `chars` characters around
// where they first differ, for showing.
void ShortenForShowing(ChangedLines &change, qsizetype chars);

} // namespace FolderSearch
