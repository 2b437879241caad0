// The folder search: the folder listed on one thread while the files listed
// so far are read and searched on another, the matches reported as they are
// found. One file is held at a time.
#pragma once

#include "background_run.h"
#include "document_codec.h"
#include "file_identity.h"
#include "folder_walk.h"
#include "line_matches.h"
#include "search_pattern.h"

#include <QList>
#include <QString>

namespace FolderSearch {

struct SearchRequest
{
    QString folder;
    QString files = QStringLiteral("*.html;*.htm;*.txt");
    bool subfolders = true;
    QString text;
    TextTools::SearchOptions options;
    DocumentCodeOptions codes; // how the editor would read each file
    // The window's document, searched as the window holds it rather than as
    // its file is (set `heldFile` from the file, `heldText` as stored).
    FileIdentity heldFile;
    QString heldText;
    qsizetype maxRows = 100000; // matches listed at most; the rest are counted
};

struct FileMatches
{
    QString path;
    FileIdentity identity; // of the file as read; the held document's: as the request gave it
    bool held = false;     // the window's document
    QList<LineMatch> matches;
    qsizetype count = 0; // matches in the file, listed or not
};

struct SearchProgress
{
    qsizetype searched = 0;
    qsizetype listed = 0; // files found to search so far
    bool listingDone = false;
};

struct SearchSummary
{
    qsizetype searched = 0;
    qsizetype matchedFiles = 0;
    qsizetype matches = 0;
    qsizetype rows = 0;
    QList<Skipped> skipped; // by path
    bool stopped = false;   // 中止 before the end
};

class SearchRun : public BackgroundRun
{
    Q_OBJECT

public:
    using BackgroundRun::BackgroundRun;
    ~SearchRun() override { halt(); }

    // Starts a search; an earlier one still going is stopped first. The
    // pattern must be valid (SearchPattern::forReplacing).
    void start(const SearchRequest &request);

signals:
    void found(quint64 run, const QList<FolderSearch::FileMatches> &files);
    void progressed(quint64 run, const FolderSearch::SearchProgress &progress);
    void finished(quint64 run, const FolderSearch::SearchSummary &summary);
};

// The whole search on the calling thread; `found` and `progressed` are called
// as SearchRun emits them.
SearchSummary RunSearch(const SearchRequest &request, const std::atomic_bool &stop,
                        const std::function<void(const QList<FileMatches> &)> &found,
                        const std::function<void(const SearchProgress &)> &progressed);

} // namespace FolderSearch
