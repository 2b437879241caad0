// A line longer than MaxBlockChars is held in the editor as display blocks of
// at most that many characters, joined by soft breaks: block breaks that are
// no character of the text. Qt lays out a whole block on every edit, so a
// block of unbounded length would cost time in proportion to the line on each
// key. Every reader of the text as stored, and every mapping between the
// editor's positions and positions in that text, goes through this module.
//
// A block that continues the line of the block before it carries a flag in
// its block format. Block formats follow the text through undo and redo, but
// Qt moves them in two ways that would turn a hard break soft or a soft one
// hard: a break inserted inside a block copies its format, and a removal
// that starts at a block start and ends in a later block leaves the first
// block with the format of the last. InsertText undoes both at once; a
// BreakKeeper on the document catches Qt's own edits (cut, drop, typing over
// a selection) afterwards.
#pragma once

#include "text_range.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QTextBlock>

class QTextCursor;
class QTextDocument;

namespace DisplayBlocks {

// A block longer than this is split; a line of at most this many characters
// is one block.
inline constexpr int MaxBlockChars = 8192;
// The length of the blocks a long line is split into.
inline constexpr int PieceChars = 4096;

// Whether the break before `block` is soft: the block goes on with the line
// of the block before it.
bool ContinuesLine(const QTextBlock &block);
// The first display block of the line that holds `block`.
QTextBlock LineStart(QTextBlock block);
// The display block after the last one of the line that holds `block`
// (invalid at the end of the document).
QTextBlock NextLine(const QTextBlock &block);
// The whole line that holds `block`, without its line break.
QString LineText(const QTextBlock &block);
// A line's user state (its line-end mark) is set on each of its display
// blocks: Qt keeps one block's state when it joins two, the first half's
// when it splits one.
void SetLineState(const QTextBlock &lineStart, int state);
// The line's user state: the last one set on any of its display blocks.
int LineState(const QTextBlock &lineStart);

// The positions of the soft breaks of a document, for mapping positions
// between the editor's (display) and the text as stored.
class SoftBreaks
{
public:
    explicit SoftBreaks(const QTextDocument &document);

    bool isEmpty() const { return breaks_.isEmpty(); }
    qsizetype count() const { return breaks_.size(); }
    // The stored position of a display position; a soft break itself maps
    // to the position it stands at.
    qsizetype stored(qsizetype display) const;
    // The display position of a stored position: before a soft break that
    // stands there.
    qsizetype display(qsizetype stored) const;
    // The display position of the character at `stored`: after a soft break
    // that stands before it.
    qsizetype displayStart(qsizetype stored) const { return display(stored + 1) - 1; }
    // A range of the text as stored in display positions; soft breaks inside
    // it are inside the range.
    TextTools::TextRange range(TextTools::TextRange stored) const;
    // Soft breaks in the display range [from, to).
    qsizetype countIn(qsizetype from, qsizetype to) const;
    // `raw`, the raw text of the display range from `from`, without its
    // soft breaks.
    QString strip(QString raw, qsizetype from) const;

private:
    QList<qsizetype> breaks_; // display positions, ascending
};

// The raw text as stored (QTextDocument::toRawText without soft breaks):
// U+2029 between lines, no-break spaces kept.
QString RawText(const QTextDocument &document);

// Whether the document holds a soft break.
bool HasSoftBreaks(const QTextDocument &document);
// The number of lines as stored.
int LineCount(const QTextDocument &document);
// The line (from 0) that holds `block`.
int LineNumber(const QTextBlock &block);
// The first display block of line `line` (from 0).
QTextBlock LineBlock(const QTextDocument &document, int line);
// The characters of the line before display position `position`.
QString LineTextBefore(const QTextDocument &document, int position);

// A measure (editor units, say) of the line before a position, summed block
// by block; a whole block's measure is remembered while the block is
// unchanged, so a caret at the end of a long line costs one block a key.
class LineMeasure
{
public:
    using Measure = qsizetype (*)(QStringView);
    explicit LineMeasure(Measure measure) : measure_(measure) {}

    qsizetype before(const QTextDocument &document, int position);

private:
    struct Known
    {
        int revision;
        int length;
        qsizetype value;
    };
    Measure measure_;
    QHash<int, Known> known_; // by block position
};

// Follows the soft breaks of a document as they should be through every edit,
// and puts back the kind of the break before an edited range where Qt's own
// edit changed it.
class BreakKeeper : public QObject
{
public:
    // Owned by `document`.
    explicit BreakKeeper(QTextDocument *document);

    // The keeper of `document`, if it has one.
    static BreakKeeper *of(const QTextDocument &document);
    // The break at display position `at` is to be soft, or hard.
    void intend(int at, bool soft);
    // Puts the breaks Qt changed back, as an edit of the document; returns
    // whether there were any.
    bool repair();
    // Whether there may be breaks to put back.
    bool pending() const { return !starts_.isEmpty(); }
    // The soft breaks, and those before display position `position`.
    qsizetype count() const { return soft_.size(); }
    qsizetype countBefore(int position) const;
    // Their display positions, ascending.
    const QList<int> &breaks() const { return soft_; }

private:
    void changed(int from, int removed, int added);
    bool intended(int at) const;

    QTextDocument *document_;
    QList<int> soft_;   // display positions, ascending
    QList<int> starts_; // block starts to look at again
};

// Replaces the selection by `text`, which may hold line breaks, without
// splitting or joining blocks: the breaks it inserts are hard, and the break
// before it keeps its kind.
void ReplaceSelection(QTextCursor &cursor, const QString &text);
// Inserts `text` (which may hold lines longer than MaxBlockChars) at the
// cursor as display blocks. For loading: it adds no undo step only when the
// document's undo is off.
void InsertHeld(QTextCursor &cursor, QStringView text);
// ReplaceSelection, then the lines it touched split and joined again, as one
// undo step.
void InsertText(QTextCursor &cursor, const QString &text);
// After an insertion of [from, to): the breaks in it are hard.
void ClearCopiedFlags(QTextDocument &document, int from, int to);
// Splits the blocks of the lines touching [from, to] that are longer than
// MaxBlockChars, and joins a line of at most MaxBlockChars into one block.
// Returns whether it changed the document.
bool Rebalance(QTextDocument &document, int from, int to);
// Whether a block in [from, to] is longer than MaxBlockChars or a line there
// could be one block again.
bool NeedsRebalance(const QTextDocument &document, int from, int to);

} // namespace DisplayBlocks
