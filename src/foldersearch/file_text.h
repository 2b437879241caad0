// One file of a folder search read as the editor reads a document: its code
// detected, its bytes kept, or the reason it is passed over.
#pragma once

#include "document_codec.h"
#include "document_store.h"
#include "folder_walk.h"
#include "line_matches.h"

#include <optional>

namespace FolderSearch {

struct FileText
{
    std::optional<Skipped> skipped; // set: `read` holds nothing
    DocumentRead read;
};

// Reads `path` with the code the editor would open it in under `codes`.
FileText ReadFileText(const QString &path, const DocumentCodeOptions &codes);

struct FileSearch
{
    std::optional<Skipped> skipped; // set: nothing else is
    FileIdentity identity;
    TextMatches matches;
};

// MatchLines over the text ReadFileText reads, decoding only what the pattern needs.
FileSearch SearchFileText(const QString &path, const DocumentCodeOptions &codes,
                          const TextTools::SearchPattern &pattern, qsizetype maxRows);

} // namespace FolderSearch
