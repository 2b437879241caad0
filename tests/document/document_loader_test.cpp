#include "document_loader.h"

#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <vector>

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
        std::vector<qsizetype> taken;
        SetTextInPieces(
            document, row.text, row.pieceChars, [&pauses] { ++pauses; },
            [&taken](qsizetype chars) { taken.push_back(chars); });
        const std::string label = row.text.toStdString() + " / " + std::to_string(row.pieceChars);
        EXPECT_EQ(document.toRawText(), expected.toRawText()) << label;
        EXPECT_EQ(document.blockCount(), expected.blockCount()) << label;
        EXPECT_EQ(pauses, row.pauses) << label;
        // What is reported taken is in the editor: the caller may drop it.
        EXPECT_EQ(taken.size(), row.text.isEmpty() ? 0u : std::size_t(row.pauses) + 1) << label;
        for (std::size_t i = 0; i < taken.size(); ++i)
            EXPECT_EQ(taken[i],
                      i + 1 < taken.size() ? row.text.indexOf(u'\n', taken[i] - 1) + 1 : row.text.size())
                << label;
        EXPECT_FALSE(document.isUndoAvailable()) << label;
        EXPECT_TRUE(document.isUndoRedoEnabled()) << label;
    }
}

} // namespace
