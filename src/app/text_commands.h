// The editor side of the text commands: each takes the text it works on
// from the editor, runs a text function on it and puts the result back as
// one undoable edit.
#pragma once

#include <QString>
#include <functional>

class QPlainTextEdit;

namespace TextCommands {

using Rewrite = std::function<QString(const QString &)>;

// Replaces the whole text by rewrite(text).
void RewriteWhole(QPlainTextEdit *editor, const Rewrite &rewrite);
// Replaces the selection by rewrite(selection); nothing without a selection.
void RewriteSelection(QPlainTextEdit *editor, const Rewrite &rewrite);
// "TABで字下げ": a TAB in front of every line the selection touches.
void IndentSelectedLines(QPlainTextEdit *editor);
// 貼り付け (Ctrl+V): the clipboard's text, and nothing else, pasted; the clipboard is left as it is.
void PastePlain(QPlainTextEdit *editor);
// 引用貼り付け (Ctrl+Q): the clipboard's text pasted as a quotation.
void PasteQuote(QPlainTextEdit *editor);
// 全てクリップボード: the whole text to the clipboard; the caret stays.
void CopyWhole(QPlainTextEdit *editor);
// Commits an input method's open pre-edit text, so that what goes in next follows it.
void CommitPreedit(QPlainTextEdit *editor);
// Replaces the selection by `text` (the date and time, a template).
void InsertAtCaret(QPlainTextEdit *editor, const QString &text);
// Inserts `text` at the caret, then selects `length` editor units from
// `start` in it (the selection may reach past the text).
void InsertAndSelect(QPlainTextEdit *editor, const QString &text, qsizetype start, qsizetype length);

} // namespace TextCommands
