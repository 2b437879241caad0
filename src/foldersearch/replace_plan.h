// What replacing every match in one file's text makes of it, and the file's
// new bytes: the lines no match touched are copied from the file's own bytes
// (their code's forms, escape sequences and line ends as they were), only the
// changed lines are encoded anew.
#pragma once

#include "document_format.h"
#include "document_store.h"
#include "line_ends.h"
#include "search_pattern.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace FolderSearch {

// Lines of the old text that matches changed, and what they became.
struct ChangedLines
{
    qsizetype firstLine = 0;          // from 0, in the old text
    qsizetype lineCount = 1;          // old lines taken (more when a match crosses a line end)
    qsizetype oldFrom = 0, oldTo = 0; // the lines in the old text, without their final break
    qsizetype newFrom = 0, newTo = 0; // what they became in the new text
    qsizetype matches = 0;
    QString before, after; // '\n' between lines
};

struct ReplacePlan
{
    QString text; // the whole new text
    std::vector<ChangedLines> changes;
    qsizetype count = 0; // matches replaced in the changed lines
    // The ends of the line breaks inside the changed lines, in order: a break
    // the old lines had keeps its end; a new one takes the end of the lines'
    // last break (the file's most common where there is none).
    LineEnds newBreaks;
};

// Every match of `pattern` in `text` (the old text, '\n' breaks, its
// breaks' ends `ends`) replaced by `replacement`, as "一括置換" replaces.
ReplacePlan PlanReplace(QStringView text, const LineEnds &ends, const TextTools::SearchPattern &pattern,
                        const QString &replacement);

struct EncodedFile
{
    Outcome outcome; // failed: nothing to write, the message says why
    QByteArray bytes;
};

// The bytes of the file after `plan`: `fileBytes` (the file as read, in
// `code`, starting with its byte-order mark when `bom`) with the changed
// lines encoded anew. Fails when a new character is missing from the code,
// or when the bytes would not read back as the planned text.
EncodedFile EncodeReplaced(const ReplacePlan &plan, const QByteArray &fileBytes, DocumentCode code, bool bom);

} // namespace FolderSearch
