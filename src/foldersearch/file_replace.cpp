#include "file_replace.h"

#include "file_read.h"
#include "file_text.h"
#include "home_trash.h"

namespace FolderSearch {

namespace {

Outcome ChangedSinceSearch()
{
    return Outcome::failed(QStringLiteral("検索の後に変更されています。"));
}

} // namespace

PreparedReplace PrepareReplace(const SearchedFile &file, const TextTools::SearchPattern &pattern,
                               const QString &replacement, const DocumentCodeOptions &codes)
{
    PreparedReplace prepared;
    // The bytes as they are, for the trash and for the lines that keep them;
    // the text as the editor reads them, from the same file.
    FileRead raw = ReadRegularFile(file.path, MaxDocumentChars * 8);
    if (raw.status != FileRead::Ok || raw.identity != file.identity) {
        prepared.outcome = ChangedSinceSearch();
        return prepared;
    }
    FileText text = ReadFileText(file.path, codes);
    if (text.skipped || text.read.identity != raw.identity) {
        prepared.outcome = ChangedSinceSearch();
        return prepared;
    }
    const DocumentRead &read = text.read;
    prepared.plan = PlanReplace(read.text, read.lineEnds, pattern, replacement);
    if (prepared.plan.changes.empty()) {
        prepared.outcome = Outcome::declined();
        return prepared;
    }
    EncodedFile encoded = EncodeReplaced(prepared.plan, raw.bytes, read.code, read.bom);
    prepared.outcome = encoded.outcome;
    prepared.newBytes = std::move(encoded.bytes);
    prepared.oldBytes = std::move(raw.bytes);
    prepared.identity = raw.identity;
    return prepared;
}

Outcome CommitReplace(const QString &path, const PreparedReplace &prepared)
{
    if (FileIdentity::Of(path) != prepared.identity)
        return ChangedSinceSearch();
    const TrashCopy trashed = CopyToHomeTrash(path, prepared.oldBytes);
    if (!trashed.outcome.done())
        return trashed.outcome;
    const Outcome written = WriteDocument(path, prepared.newBytes);
    if (!written.done())
        RemoveFromHomeTrash(trashed.name); // the file is as it was
    return written;
}

} // namespace FolderSearch
