// What the folder search does in the window's own editor: selects a match it
// found, and replaces in the document the window holds (never behind its back).
#pragma once

#include "search_pattern.h"
#include "search_replace.h"

class QPlainTextEdit;

namespace FolderSearchEditor {

// Selects the `length` characters from `offset` of line `line` (from 0) of
// the text as stored, and shows them.
void SelectInLine(QPlainTextEdit *editor, qsizetype line, qsizetype offset, qsizetype length);

// Every match replaced as "一括置換" replaces, as one undo step.
TextTools::SearchOutcome ReplaceAll(QPlainTextEdit *editor, const QString &text, const QString &replacement,
                                    const TextTools::SearchOptions &options);

} // namespace FolderSearchEditor
