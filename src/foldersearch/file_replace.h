// Replacing in one file of a folder search: worked out from the file as it is
// now, refused when the file changed since it was searched, then written the
// way the editor saves, after its previous content went to the trash.
#pragma once

#include "document_codec.h"
#include "file_identity.h"
#include "outcome.h"
#include "replace_plan.h"

namespace FolderSearch {

// A file as the search read it.
struct SearchedFile
{
    QString path;
    FileIdentity identity;
};

struct PreparedReplace
{
    Outcome outcome; // failed: the file is passed over, the message says why
    ReplacePlan plan;
    QByteArray oldBytes, newBytes;
    FileIdentity identity; // of the file the plan was made from
};

PreparedReplace PrepareReplace(const SearchedFile &file, const TextTools::SearchPattern &pattern,
                               const QString &replacement, const DocumentCodeOptions &codes);

// Writes what `prepared` planned when the file is still the one it was made
// from; its previous content goes to the trash first.
Outcome CommitReplace(const QString &path, const PreparedReplace &prepared);

} // namespace FolderSearch
