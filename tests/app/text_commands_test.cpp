// A palette button's template expanded and put into the editor: what replaces
// the selection and what ends up selected.
#include "document_editor.h"
#include "stored_text.h"
#include "template_expansion.h"
#include "text_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace {

void Select(QPlainTextEdit &editor, int from, int to)
{
    QTextCursor cursor = editor.textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
}

// Expands `content` over the editor's selection and inserts it, selecting as the record says.
void InsertTemplate(QPlainTextEdit &editor, const QString &content, int selectStart, int selectLength,
                    int caseMode = 0)
{
    Palettes::TemplateRequest request;
    request.content = content;
    request.selectStart = selectStart;
    request.selectLength = selectLength;
    request.caseMode = caseMode;
    request.selection = TextTools::StoredSelection(editor.textCursor());
    const Palettes::Expansion expansion = Palettes::InsertTemplate(request, [](const QString &) {
        ADD_FAILURE() << "no file is asked for";
        return QString();
    });
    TextCommands::InsertAndSelect(&editor, expansion.text, expansion.selectStart, expansion.selectLength);
}

TEST(InsertAndSelect, ReplacesTheSelectionAndPlacesTheCaret)
{
    const struct
    {
        const char16_t *content;
        int selectStart, selectLength; // editor units
        int caseMode;
        const char16_t *expected;
        int caret, selected; // characters in the editor
    } cases[] = {
        // "前" is two units: the caret lands after "<b>" in the document.
        {u"<b>*text*</b>", 3, 0, 0, u"前<b>日本語</b>後", 4, 0},
        {u"日本<i></i>", 7, 0, 0, u"前日本<i></i>後", 6, 0},
        {u"<p>\n</p>", 5, 4, 0, u"前<p>\n</p>後", 5, 4},
        {u"<B>*text*</B>", 3, 6, 1, u"前<b>日本語</b>後", 4, 3},
        {u"短い", 40, 0, 0, u"前短い後", 3, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.selectStart);
        DocumentEditor editor;
        editor.setPlainText(QStringLiteral("前日本語後"));
        Select(editor, 1, 4);
        InsertTemplate(editor, QString::fromUtf16(c.content), c.selectStart, c.selectLength, c.caseMode);
        const QTextCursor cursor = editor.textCursor();
        EXPECT_EQ(editor.toPlainText(), QString::fromUtf16(c.expected));
        EXPECT_EQ(cursor.selectionStart(), c.caret);
        EXPECT_EQ(cursor.selectionEnd() - cursor.selectionStart(), c.selected);
    }
}

// What the user had open or on the clipboard is neither lost nor reordered.
TEST(TextCommands, PreeditGoesInFirstAndPasteLeavesTheClipboard)
{
    const struct
    {
        QString preedit, expected;
    } cases[] = {
        {QStringLiteral("にほん"), QStringLiteral("前にほん<b></b>後")},
        {QString(), QStringLiteral("前<b></b>後")},
    };
    for (const auto &c : cases) {
        DocumentEditor editor;
        editor.setPlainText(QStringLiteral("前後"));
        Select(editor, 1, 1);
        QInputMethodEvent open(c.preedit, {});
        QCoreApplication::sendEvent(&editor, &open);
        TextCommands::CommitPreedit(&editor);
        EXPECT_TRUE(editor.textCursor().block().layout()->preeditAreaText().isEmpty());
        InsertTemplate(editor, QStringLiteral("<b>*text*</b>"), 3, 0);
        EXPECT_EQ(editor.toPlainText(), c.expected);
    }

    auto *copied = new QMimeData;
    copied->setText(QStringLiteral("x"));
    copied->setHtml(QStringLiteral("<b>x</b>"));
    QApplication::clipboard()->setMimeData(copied);
    DocumentEditor editor;
    TextCommands::PastePlain(&editor);
    EXPECT_EQ(editor.toPlainText(), QStringLiteral("x"));
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasHtml()) << "the clipboard keeps what was copied";
}

} // namespace
