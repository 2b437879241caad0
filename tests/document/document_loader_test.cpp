#include "document_loader.h"

#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

// Pieces of whole lines give the text setPlainText gives, replace the old
// text and leave nothing to undo.
TEST(SetTextInPieces, GivesWhatSetPlainTextGives)
{
    const struct
    {
        QString text;
        qsizetype pieceChars;
        int pauses; // between the pieces
    } rows[] = {
        {QString(), 4, 0},
        {QStringLiteral("one line"), 1, 0},
        {QStringLiteral("a\nb\nc\n"), 1, 2},
        {QStringLiteral("a\nb\nc"), 2, 1},
        {QStringLiteral("\n\n\n"), 1, 1},
        {QStringLiteral("long line\nx\n"), 3, 1}, // a line longer than a piece stays whole
        {QStringLiteral("😀\n😀😀\n日本\n"), 2, 2},  // pairs are never split
        {QStringLiteral("ab\ncd\n"), 100, 0},
    };
    for (const auto &row : rows) {
        QTextDocument expected;
        expected.setPlainText(row.text);
        QTextDocument document;
        document.setPlainText(QStringLiteral("old\ntext"));
        QTextCursor(&document).insertText(QStringLiteral("edit "));
        int pauses = 0;
        SetTextInPieces(document, row.text, row.pieceChars, [&pauses] { ++pauses; });
        const std::string label = row.text.toStdString() + " / " + std::to_string(row.pieceChars);
        EXPECT_EQ(document.toRawText(), expected.toRawText()) << label;
        EXPECT_EQ(document.blockCount(), expected.blockCount()) << label;
        EXPECT_EQ(pauses, row.pauses) << label;
        EXPECT_FALSE(document.isUndoAvailable()) << label;
        EXPECT_TRUE(document.isUndoRedoEnabled()) << label;
    }
}

} // namespace
