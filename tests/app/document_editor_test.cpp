// The editing area's text control alone: its tab stops, its size limit and
// the wrapping of very long lines.
#include "document.h"
#include "document_codec.h"
#include "document_editor.h"
#include "editor_options.h"
#include "long_lines.h"
#include "test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(DocumentEditor, TabIsEightHalfWidthColumnsInEveryFontSize)
{
    DocumentEditor editor;
    for (const int points : {9, 12, 20}) {
        QFont font = editor.font();
        font.setPointSize(points);
        editor.setFont(font);
        EXPECT_DOUBLE_EQ(editor.tabStopDistance(), 8 * QFontMetricsF(font).horizontalAdvance(u' ')) << points;
    }
}

TEST(DocumentEditor, NoEditPassesTheDocumentLimit)
{
    DocumentEditor editor;
    editor.setPlainText(QStringLiteral("ab"));
    EXPECT_TRUE(editor.fits(MaxDocumentChars - 2));
    EXPECT_FALSE(editor.fits(MaxDocumentChars - 1));
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(0);
    cursor.setPosition(2, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
    EXPECT_TRUE(editor.fits(MaxDocumentChars)) << "the selection goes away";
}

TEST(LongLineWrap, VeryLongLinesWrapAnywhere)
{
    QTemporaryDir dir;
    DocumentEditor editor;
    new LongLineWrap(&editor);
    FixedOptions options;
    Document document(&options);
    document.attach(editor.document());
    WriteFileBytes(dir.filePath(QStringLiteral("long.txt")), QByteArray(LongLineChars + 10, 'a'));
    WriteFileBytes(dir.filePath(QStringLiteral("short.txt")), "words and words\r\n");
    ASSERT_TRUE(document.load(dir.filePath(QStringLiteral("long.txt"))).done());
    EXPECT_EQ(editor.wordWrapMode(), QTextOption::WrapAnywhere);
    ASSERT_TRUE(document.load(dir.filePath(QStringLiteral("short.txt"))).done());
    EXPECT_EQ(editor.wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere);
    editor.insertPlainText(QString(LongLineChars, u'b'));
    EXPECT_EQ(editor.wordWrapMode(), QTextOption::WrapAnywhere) << "a pasted long line";
}

} // namespace
