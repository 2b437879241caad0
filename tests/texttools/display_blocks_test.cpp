#include "display_blocks.h"
#include "stored_text.h"

#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

using namespace DisplayBlocks;

// Letters and digits, so that a misplaced position shows.
QString Line(qsizetype length, qsizetype seed = 0)
{
    QString text;
    text.reserve(length);
    for (qsizetype i = 0; i < length; ++i)
        text += QChar(char16_t(u'0' + (seed + i) % 43));
    return text;
}

// What must hold of every document: no block past the bound, no pair split,
// a line of at most the bound in one block, and positions that map both ways.
void ExpectSound(const QTextDocument &document, const QString &stored)
{
    ASSERT_EQ(TextTools::StoredText(document), stored);
    EXPECT_EQ(LineCount(document), stored.count(u'\n') + 1);
    const QString raw = document.toRawText();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        EXPECT_LE(block.length() - 1, MaxBlockChars) << "block " << block.blockNumber();
        if (ContinuesLine(block)) {
            EXPECT_FALSE(block.previous().text().endsWith(QChar(0xD83D))) << "a pair split";
            EXPECT_GT(LineText(block).size(), MaxBlockChars) << "a short line in pieces";
        }
    }
    const SoftBreaks breaks(document);
    for (qsizetype at = 0; at < stored.size(); ++at) {
        const qsizetype display = breaks.displayStart(at);
        ASSERT_EQ(raw[display] == QChar::ParagraphSeparator ? u'\n' : raw[display], stored[at]) << at;
        ASSERT_EQ(breaks.stored(display), at);
        ASSERT_EQ(breaks.stored(breaks.display(at)), at);
    }
}

QTextDocument *Loaded(const QString &text)
{
    auto *document = new QTextDocument;
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document);
    InsertHeld(cursor, text);
    document->setUndoRedoEnabled(true);
    return document;
}

TEST(DisplayBlocks, LinesAtBelowAndAcrossTheBoundAreHeldWhole)
{
    const QString pair = QStringLiteral("\U0001F600");
    const struct
    {
        const char *name;
        QString text;
        int blocks;
    } cases[] = {
        {"empty", QString(), 1},
        {"below", Line(MaxBlockChars - 1), 1},
        {"at", Line(MaxBlockChars), 1},
        {"one past", Line(MaxBlockChars + 1), 2},
        {"long among short", QStringLiteral("ab\n") + Line(3 * PieceChars + 5) + QStringLiteral("\ncd\n"), 6},
        {"two long lines", Line(MaxBlockChars + 2) + u'\n' + Line(MaxBlockChars + 3, 7), 4},
        {"a pair at the split", Line(PieceChars - 1) + pair + Line(MaxBlockChars), 3},
        {"no final break", QStringLiteral("x\n") + Line(2 * MaxBlockChars + 1), 5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QTextDocument> document(Loaded(c.text));
        EXPECT_EQ(document->blockCount(), c.blocks);
        ExpectSound(*document, c.text);
        EXPECT_FALSE(document->isUndoAvailable());
    }
}

TEST(DisplayBlocks, EditsThatJoinAndSplitBlocksKeepTheTextAndUndoInOneStep)
{
    const QString start =
        QStringLiteral("top\n") + Line(MaxBlockChars + PieceChars) + QStringLiteral("\nend");
    const qsizetype longStart = 4;
    const struct
    {
        const char *name;
        qsizetype from; // stored positions
        qsizetype removed;
        QString inserted;
    } cases[] = {
        {"typed at the end of the line", longStart + MaxBlockChars + PieceChars, 0, Line(PieceChars + 3)},
        {"typed across a soft break", longStart + PieceChars - 1, 2, QStringLiteral("xyz")},
        {"a break typed in a continued block", longStart + PieceChars + 10, 0, QStringLiteral("\n")},
        {"breaks pasted in a continued block", longStart + PieceChars + 10, 5, QStringLiteral("a\nb\n\nc")},
        {"the line shrunk below the bound", longStart + 100, PieceChars + 200, QString()},
        {"the line split into two long lines", longStart + MaxBlockChars + 7, 0, QStringLiteral("\n")},
        {"two lines joined into one long line", 3, 1, QString()},
        {"the long line replaced by a short one", longStart, MaxBlockChars + PieceChars, QStringLiteral("s")},
        {"everything replaced", 0, -1, Line(MaxBlockChars + 1) + u'\n' + Line(10)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QTextDocument> document(Loaded(start));
        const SoftBreaks breaks(*document);
        const qsizetype removed = c.removed < 0 ? start.size() : c.removed;
        QTextCursor cursor(document.get());
        cursor.setPosition(int(breaks.displayStart(c.from)));
        cursor.setPosition(int(breaks.display(c.from + removed)), QTextCursor::KeepAnchor);
        InsertText(cursor, c.inserted);
        const QString edited = QString(start).replace(c.from, removed, c.inserted);
        ExpectSound(*document, edited);
        document->undo();
        ExpectSound(*document, start);
        document->redo();
        ExpectSound(*document, edited);
    }
}

TEST(DisplayBlocks, QtsOwnEditsOverABlockStartAreRepaired)
{
    const QString start =
        QStringLiteral("top\nmid\n") + Line(MaxBlockChars + PieceChars) + QStringLiteral("\nend");
    const qsizetype longStart = 8;
    const struct
    {
        const char *name;
        qsizetype from;
        qsizetype to;
        QString typed;
    } cases[] = {
        {"a short line's start into a continued block", 4, longStart + PieceChars + 5, QString()},
        {"the document's start into a continued block", 0, longStart + PieceChars + 5, QStringLiteral("x")},
        {"a continued block's start into the next line", longStart + PieceChars, start.size() - 1, QString()},
        {"a continued block's start into the line's end", longStart + PieceChars,
         longStart + MaxBlockChars + PieceChars, QStringLiteral("yz")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<QTextDocument> document(Loaded(start));
        auto *keeper = new BreakKeeper(document.get());
        const SoftBreaks breaks(*document);
        QTextCursor cursor(document.get());
        cursor.setPosition(int(breaks.displayStart(c.from)));
        cursor.setPosition(int(breaks.display(c.to)), QTextCursor::KeepAnchor);
        cursor.insertText(c.typed);
        cursor.joinPreviousEditBlock();
        keeper->repair();
        Rebalance(*document, 0, document->characterCount() - 1);
        cursor.endEditBlock();
        QString edited = QString(start).replace(c.from, c.to - c.from, c.typed);
        ExpectSound(*document, edited);
        document->undo();
        ExpectSound(*document, start);
    }
}

TEST(DisplayBlocks, LineStateAndMeasuresFollowTheLine)
{
    std::unique_ptr<QTextDocument> document(
        Loaded(QStringLiteral("a\n") + Line(2 * MaxBlockChars) + QStringLiteral("\nb")));
    const QTextBlock line = LineBlock(*document, 1);
    SetLineState(line, 2);
    const QTextBlock last = LineBlock(*document, 2).previous();
    EXPECT_TRUE(ContinuesLine(last));
    EXPECT_EQ(LineNumber(last), 1);
    EXPECT_EQ(LineNumber(LineBlock(*document, 2)), 2);

    // Joined into one block the line keeps its mark.
    QTextCursor cursor(document.get());
    cursor.setPosition(last.position() + 1);
    cursor.setPosition(LineBlock(*document, 2).position() - 1, QTextCursor::KeepAnchor);
    InsertText(cursor, QString());
    cursor.setPosition(line.position() + 10);
    cursor.setPosition(line.position() + 10 + PieceChars, QTextCursor::KeepAnchor);
    InsertText(cursor, QString());
    EXPECT_FALSE(ContinuesLine(LineBlock(*document, 1).next()));
    EXPECT_EQ(LineState(LineBlock(*document, 1)), 2);

    // A measure of a line remembers blocks, yet sees an edit of an earlier one.
    std::unique_ptr<QTextDocument> wide(Loaded(Line(3 * PieceChars)));
    LineMeasure measure([](QStringView text) { return text.size() + text.count(u'7'); });
    const int end = wide->characterCount() - 1;
    const qsizetype before = measure.before(*wide, end);
    EXPECT_EQ(before, Line(3 * PieceChars).size() + Line(3 * PieceChars).count(u'7'));
    QTextCursor(wide->begin()).insertText(QStringLiteral("77"));
    EXPECT_EQ(measure.before(*wide, end + 2), before + 4);
    EXPECT_EQ(LineTextBefore(*wide, end + 2), QStringLiteral("77") + Line(3 * PieceChars));
}

} // namespace
