#include "file_text.h"

#include <QFileInfo>

namespace FolderSearch {

FileText ReadFileText(const QString &path, const DocumentCodeOptions &codes)
{
    FileText result;
    result.read = ReadDocument(path, {std::nullopt, ConvertsOnLoad(path, codes)});
    DocumentRead &read = result.read;
    if (!read.outcome.done()) {
        // A file of fewer bytes than the limit never decodes to more characters.
        const bool tooLarge = QFileInfo(path).size() > MaxDocumentChars;
        // The message names the path, then says why.
        const QString why = read.outcome.message.section(QStringLiteral("\n\n"), -1);
        result.skipped = Skipped{path, tooLarge ? SkipReason::TooLarge : SkipReason::Unreadable,
                                 tooLarge ? QString() : why};
        read = {};
        return result;
    }
    // Binary as the editor finds it from the leading bytes, or with a NUL
    // anywhere (UTF-16 keeps its NUL bytes as bytes).
    if (read.binary || read.text.contains(QChar(0))) {
        result.skipped = Skipped{path, SkipReason::Binary, {}};
        read = {};
    }
    return result;
}

} // namespace FolderSearch
