// The file commands' questions and dialogs over a bare editor: what each
// answer does to the file and the document.
#include "cp932.h"
#include "document.h"
#include "document_files.h"
#include "document_format.h"
#include "editor_options.h"
#include "modal_answers.h"
#include "test_files.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class DocumentFilesTest : public ::testing::Test
{
protected:
    DocumentFilesTest()
    {
        document.attach(editor->document());
        files.setOptions(&options);
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    QByteArray Read(const QString &name) const { return ReadFileBytes(path(name)); }
    void Write(const QString &name, const QByteArray &bytes) const { WriteFileBytes(path(name), bytes); }
    void Type(const QString &text) { editor->insertPlainText(text); }
    bool Modified() const { return editor->document()->isModified(); }
    // Accepts the save dialog with `name` typed after choosing the filter
    // numbered `filter` from 1 (0: the one offered).
    void ThenSaveAs(const QString &name, int filter = 0)
    {
        modals.Then([name, filter](QWidget *w) {
            auto *dialog = static_cast<QFileDialog *>(w);
            if (filter > 0)
                AcceptFileNameWithFilter(dialog, name, filter);
            else
                AcceptFileName(dialog, name);
        });
    }

    // Save as `name` with the code and line end at the given rows of the
    // boxes, answering a question that follows with `answer`.
    Outcome SaveAsIn(const QString &name, SaveCodeRow code, SaveLineEndRow lineEnd,
                     QMessageBox::StandardButton answer = QMessageBox::NoButton)
    {
        modals.Then([=](QWidget *w) { AcceptSaveAs(static_cast<QFileDialog *>(w), name, code, lineEnd); });
        if (answer != QMessageBox::NoButton)
            modals.ThenClick(answer);
        return files.saveAs();
    }
    // What the save dialog offers, then cancelled.
    QString Offered()
    {
        QString offered;
        modals.Then([&](QWidget *w) {
            offered = w->findChild<QComboBox *>(QStringLiteral("SaveCodeBox"))->currentText() + u' ' +
                      w->findChild<QComboBox *>(QStringLiteral("SaveLineEndBox"))->currentText();
            static_cast<QDialog *>(w)->reject();
        });
        EXPECT_EQ(files.saveAs().kind, Outcome::Declined);
        return offered;
    }
    void Load(const QString &name, const QByteArray &bytes)
    {
        Write(name, bytes);
        ASSERT_TRUE(document.load(path(name)).done());
        editor->moveCursor(QTextCursor::Start);
    }
    QString Format() const { return FormatName(document.format(), document.mixedLineEnds()); }

    QTemporaryDir dir;
    QWidget window;
    QPlainTextEdit *editor = new QPlainTextEdit(&window);
    FixedOptions options;
    Document document{&options};
    DocumentFiles files{document, editor, &window};
    ModalAnswers modals;
    QSignalSpy renamed{&files, &DocumentFiles::renamed};
};

TEST_F(DocumentFilesTest, SaveChangesQuestion)
{
    const struct
    {
        const char *name;
        bool modified;
        QMessageBox::StandardButton answer; // NoButton: no question
        bool goesOn;
        QByteArray written; // null: no file
    } cases[] = {
        {"unmodified", false, QMessageBox::NoButton, true, {}},
        {"cancel", true, QMessageBox::Cancel, false, {}},
        {"no", true, QMessageBox::No, true, {}},
        {"yes", true, QMessageBox::Yes, true, "text"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        modals.Reset();
        QFile::remove(path(QStringLiteral("doc.txt")));
        document.setPath(path(QStringLiteral("doc.txt")));
        editor->setPlainText(QStringLiteral("text"));
        editor->document()->setModified(c.modified);
        if (c.answer != QMessageBox::NoButton)
            modals.ThenClick(c.answer);
        EXPECT_EQ(files.confirmSaveChanges(), c.goesOn);
        ASSERT_EQ(modals.seen().size(), c.answer == QMessageBox::NoButton ? 0u : 1u);
        if (!modals.seen().empty()) {
            EXPECT_EQ(modals.seen()[0].title, QStringLiteral("QUMOEDIT確認"));
            EXPECT_EQ(modals.seen()[0].text, document.path() + QStringLiteral(" への変更を保存しますか？"));
        }
        EXPECT_EQ(QFile::exists(document.path()), !c.written.isNull());
        EXPECT_EQ(Read(QStringLiteral("doc.txt")), c.written);
    }
}

TEST_F(DocumentFilesTest, CharactersShiftJisLacksAreNamedBeforeSaving)
{
    document.setPath(path(QStringLiteral("emoji.txt")));
    Type(QStringLiteral("一\n二\n三😀と é"));
    modals.ThenClick(QMessageBox::No);
    EXPECT_EQ(files.saveInPlace(false).kind, Outcome::Declined);
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].objectName, QStringLiteral("UnencodableQuestion"));
    EXPECT_TRUE(
        modals.seen()[0].text.contains(QStringLiteral("3 行目の「😀」(U+1F600) などShift_JISで表せない")))
        << modals.seen()[0].text.toStdString();
    EXPECT_FALSE(QFile::exists(document.path())) << "nothing written without agreement";
    EXPECT_TRUE(Modified());

    modals.ThenClick(QMessageBox::Yes);
    EXPECT_TRUE(files.saveInPlace(false).done());
    EXPECT_EQ(Read(QStringLiteral("emoji.txt")), Cp932::Encode(QStringLiteral("一\n二\n三?と ?")));
    EXPECT_FALSE(Modified());
}

TEST_F(DocumentFilesTest, FileChangedByAnotherProgramIsNotOverwrittenWithoutAsking)
{
    Load(QStringLiteral("doc.txt"), "mine");
    Type(QStringLiteral("edited "));
    Write(QStringLiteral("doc.txt"), "theirs!");

    modals.ThenClick(QMessageBox::No);
    EXPECT_EQ(files.saveInPlace(false).kind, Outcome::Declined);
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].objectName, QStringLiteral("ChangedOnDiskQuestion"));
    EXPECT_EQ(Read(QStringLiteral("doc.txt")), "theirs!");
    EXPECT_TRUE(Modified());

    modals.ThenClick(QMessageBox::Yes);
    EXPECT_TRUE(files.saveInPlace(false).done());
    EXPECT_EQ(Read(QStringLiteral("doc.txt")), "edited mine");
    EXPECT_TRUE(files.saveInPlace(false).done());
    EXPECT_EQ(modals.seen().size(), 2u) << "our own save is no change by another program";

    // A new document's name that is already taken is not overwritten silently either.
    Write(QStringLiteral("newtext.txt"), "someone's notes");
    document.startNew(path(QStringLiteral("newtext.txt")));
    Type(QStringLiteral("x"));
    modals.ThenClick(QMessageBox::No);
    EXPECT_EQ(files.saveInPlace(false).kind, Outcome::Declined);
    EXPECT_EQ(modals.seen().back().objectName, QStringLiteral("OverwriteQuestion"));
    EXPECT_EQ(Read(QStringLiteral("newtext.txt")), "someone's notes");
}

// A save that fails comes back failed and is reported once, through failed(), with the same message;
// the window shows it, the files show nothing themselves.
TEST_F(DocumentFilesTest, FailedSaveIsReportedOnce)
{
    const QString missing = path(QStringLiteral("gone/doc.txt"));
    QSignalSpy failures(&files, &DocumentFiles::failed);
    QSignalSpy written(&files, &DocumentFiles::written);
    Type(QStringLiteral("text"));
    const struct
    {
        const char *name;
        std::function<Outcome()> save;
    } cases[] = {
        {"save", [&] { return files.save(missing); }},
        {"plain save",
         [&] {
             document.setPath(missing);
             return files.saveInPlace(true);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        failures.clear();
        const Outcome saved = c.save();
        EXPECT_EQ(saved.kind, Outcome::Failed);
        EXPECT_TRUE(saved.message.contains(missing)) << saved.message.toStdString();
        ASSERT_EQ(failures.size(), 1);
        EXPECT_EQ(failures[0][0].toString(), saved.message);
    }
    EXPECT_TRUE(modals.seen().empty());
    EXPECT_EQ(written.size(), 0);
    EXPECT_TRUE(Modified());
}

// Enter on a question whose yes throws text away keeps the text.
TEST_F(DocumentFilesTest, QuestionsThatLoseTextDefaultToNo)
{
    Write(QStringLiteral("doc.txt"), "mine");
    Write(QStringLiteral("other.txt"), "other");
    ASSERT_TRUE(document.load(path(QStringLiteral("doc.txt"))).done());
    const struct
    {
        const char *name;
        QByteArray outside; // written to doc.txt first, when not null
        const char *typed;  // typed first, when not null
        std::function<bool()> act;
        const char *question;
        QMessageBox::StandardButton expected;
    } cases[] = {
        {"reload, unsaved edits", "theirs 1", "x", [&] { return files.agreeToReload(); }, "ReloadQuestion",
         QMessageBox::No},
        {"changed on disk", "theirs 2", nullptr, [&] { return files.saveInPlace(false).done(); },
         "ChangedOnDiskQuestion", QMessageBox::No},
        {"save as onto another file", QByteArray(), nullptr, [&] { return files.saveAs().done(); },
         "OverwriteQuestion", QMessageBox::No},
        {"reload, nothing unsaved", "theirs 3", nullptr,
         [&] {
             editor->document()->setModified(false);
             return files.agreeToReload();
         },
         "ReloadQuestion", QMessageBox::Yes},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.outside.isNull())
            Write(QStringLiteral("doc.txt"), c.outside);
        if (c.typed != nullptr)
            Type(QString::fromUtf8(c.typed));
        if (QLatin1String(c.question) == QLatin1String("OverwriteQuestion"))
            ThenSaveAs(QStringLiteral("other.txt"));
        QMessageBox::StandardButton pressed = QMessageBox::NoButton;
        modals.ThenDefault(&pressed);
        EXPECT_EQ(c.act(), c.expected == QMessageBox::Yes);
        ASSERT_TRUE(modals.allAnswered());
        EXPECT_EQ(modals.seen().back().objectName, QLatin1String(c.question));
        EXPECT_EQ(pressed, c.expected);
    }
    EXPECT_EQ(Read(QStringLiteral("other.txt")), "other");
}

TEST_F(DocumentFilesTest, SaveAsAddsTheFiltersExtension)
{
    document.setPath(path(QStringLiteral("old.txt")));
    Type(QStringLiteral("x"));
    const struct
    {
        const char *typed;
        int filter;
        bool saveAsHtm;
        const char *saved;
    } cases[] = {
        {"index", 3, false, "index.html"},
        {"index2", 3, true, "index2.htm"},
        {"settings", 4, true, "settings"},
        {"notes", 2, true, "notes.txt"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        DialogOptions htm;
        htm.saveAsHtm = c.saveAsHtm;
        options.set(htm);
        const qsizetype renames = renamed.size();
        ThenSaveAs(QString::fromLatin1(c.typed), c.filter);
        EXPECT_TRUE(files.saveAs().done());
        EXPECT_EQ(document.path(), path(QString::fromLatin1(c.saved)));
        EXPECT_EQ(Read(QString::fromLatin1(c.saved)), "x");
        EXPECT_EQ(renamed.size(), renames + 1);
    }
    ASSERT_EQ(modals.seen().size(), 4u);
    EXPECT_EQ(modals.seen()[0].objectName, QStringLiteral("SaveDialog1"));
}

TEST_F(DocumentFilesTest, SaveAsStartsWithTheFilterOfTheOldExtension)
{
    document.setPath(path(QStringLiteral("page.html")));
    QString startFilter, startName;
    modals.Then([&](QWidget *w) {
        auto *dialog = static_cast<QFileDialog *>(w);
        startFilter = dialog->selectedNameFilter();
        startName = QFileInfo(dialog->selectedFiles().value(0)).fileName();
        dialog->reject();
    });
    EXPECT_EQ(files.saveAs().kind, Outcome::Declined);
    EXPECT_TRUE(startFilter.startsWith(QStringLiteral("HTML ﾌｧｲﾙ(*html)")));
    // Not the filter's first extension: saving as offered must not make page.htm.
    EXPECT_EQ(startName, QStringLiteral("page.html"));
    EXPECT_EQ(document.path(), path(QStringLiteral("page.html"))) << "cancel changes nothing";
    EXPECT_EQ(renamed.size(), 0);
}

TEST_F(DocumentFilesTest, PlainSaveOfAFolderAsksForAName)
{
    document.setPath(dir.path()); // as after a "/setup" start
    Type(QStringLiteral("x"));
    QString startFolder;
    modals.Then([&](QWidget *w) {
        auto *dialog = static_cast<QFileDialog *>(w);
        startFolder = dialog->directory().absolutePath();
        AcceptFileName(dialog, QStringLiteral("named.txt"));
    });
    EXPECT_TRUE(files.saveInPlace(false).done());
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].objectName, QStringLiteral("SaveDialog1"));
    EXPECT_EQ(startFolder, dir.path());
    EXPECT_EQ(document.path(), path(QStringLiteral("named.txt")));
    EXPECT_EQ(Read(QStringLiteral("named.txt")), "x");
}

TEST_F(DocumentFilesTest, MixedLineEndsAreKeptOrUnifiedOnSaveAs)
{
    Load(QStringLiteral("mixed.txt"), "一\r\n二\n三\n");
    // Offered first: keeping each line's end.
    EXPECT_EQ(Offered(), QStringLiteral("UTF-8 混在のまま"));
    // One end chosen, then the replace question declined: the lines keep their own ends.
    Write(QStringLiteral("taken.txt"), "someone else's");
    EXPECT_EQ(SaveAsIn(QStringLiteral("taken.txt"), Utf8, Lf, QMessageBox::No).kind, Outcome::Declined);
    EXPECT_EQ(Read(QStringLiteral("taken.txt")), "someone else's");
    EXPECT_EQ(Format(), QStringLiteral("UTF-8 混在"));
    EXPECT_TRUE(SaveAsIn(QStringLiteral("kept.txt"), Utf8, KeepMixed).done());
    EXPECT_EQ(Read(QStringLiteral("kept.txt")), "一\r\n二\n三\n");
    EXPECT_EQ(Format(), QStringLiteral("UTF-8 混在"));
    // LF is already the most common end: chosen by name, it still goes to every line.
    EXPECT_TRUE(SaveAsIn(QStringLiteral("unified.txt"), Utf8, Lf).done());
    EXPECT_EQ(Read(QStringLiteral("unified.txt")), "一\n二\n三\n");
    EXPECT_EQ(Format(), QStringLiteral("UTF-8 LF"));
}

TEST_F(DocumentFilesTest, SaveAsOffersTheDocumentsCodeAndChangesIt)
{
    Load(QStringLiteral("page.html"), "一\n二😀\n");
    EXPECT_EQ(Offered(), QStringLiteral("UTF-8 LF"));

    // To Shift_JIS: the emoji is asked about, as for any Shift_JIS save.
    EXPECT_EQ(SaveAsIn(QStringLiteral("sjis.html"), Sjis, CrLf, QMessageBox::No).kind, Outcome::Declined);
    EXPECT_EQ(modals.seen().back().objectName, QStringLiteral("UnencodableQuestion"));
    EXPECT_TRUE(modals.seen().back().text.contains(QStringLiteral("Shift_JISで表せない")));
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("sjis.html"))));
    EXPECT_EQ(Format(), QStringLiteral("UTF-8 LF")) << "a declined save changes nothing";
    EXPECT_TRUE(SaveAsIn(QStringLiteral("sjis.html"), Sjis, CrLf, QMessageBox::Yes).done());
    EXPECT_EQ(Read(QStringLiteral("sjis.html")), Cp932::Encode(QStringLiteral("一\n二?\n")));
    EXPECT_EQ(Format(), QStringLiteral("SJIS CRLF"));

    // The editor still holds the emoji: back to UTF-8 with the mark and CR
    // LF, then EUC-JP with LF, which asks again, on save as and on save.
    Type(QStringLiteral("é"));
    EXPECT_TRUE(SaveAsIn(QStringLiteral("bom.html"), Utf8Bom, CrLf).done());
    EXPECT_EQ(Read(QStringLiteral("bom.html")), "\xEF\xBB\xBF"
                                                "é一\r\n二😀\r\n");
    EXPECT_EQ(Format(), QStringLiteral("UTF-8 BOM CRLF"));
    editor->textCursor().deletePreviousChar();
    EXPECT_TRUE(SaveAsIn(QStringLiteral("euc.txt"), Euc, Lf, QMessageBox::Yes).done());
    EXPECT_TRUE(modals.seen().back().text.contains(QStringLiteral("EUC-JPで表せない")))
        << "the code saved in";
    EXPECT_EQ(Read(QStringLiteral("euc.txt")), "\xB0\xEC\n\xC6\xF3?\n");
    EXPECT_EQ(Format(), QStringLiteral("EUC LF"));
    QFile::remove(path(QStringLiteral("euc.txt")));
    modals.ThenClick(QMessageBox::Yes);
    EXPECT_TRUE(files.saveInPlace(false).done());
    EXPECT_EQ(Read(QStringLiteral("euc.txt")), "\xB0\xEC\n\xC6\xF3?\n") << "plain save keeps the choice";
    EXPECT_TRUE(modals.allAnswered());
}

// Every code is offered, starting at the one the file was read in.
TEST_F(DocumentFilesTest, SaveAsOffersEveryCodeFromTheFilesOwn)
{
    const struct
    {
        QByteArray file;
        const char *offered;
        SaveCodeRow to;
        QByteArray written;
        const char *format;
    } rows[] = {
        {"T\x8F\xAB\xD7\n", "EUC-JP LF", Utf16Be, QByteArray("\xFE\xFF\0T\x01\x4D\0\n", 8), "UTF-16BE LF"},
        {QByteArray("\xFF\xFE\x00\x4E\r\0\n\0", 8), "UTF-16LE (BOM付き) CRLF", Jis, "\x1B$B0l\x1B(B\n",
         "JIS LF"},
        {"\x1B$B0l\x1B(B\r\n", "JIS CRLF", Utf16Le, QByteArray("\xFF\xFE\x00\x4E\n\0", 6), "UTF-16LE LF"},
    };
    for (const auto &row : rows) {
        const QString to = QStringLiteral("to%1.txt").arg(row.to);
        Load(QStringLiteral("from.txt"), row.file);
        EXPECT_EQ(Offered(), QString::fromUtf8(row.offered));
        EXPECT_TRUE(SaveAsIn(to, row.to, Lf).done());
        EXPECT_EQ(Read(to).toHex(' '), row.written.toHex(' '));
        EXPECT_EQ(Format(), QString::fromUtf8(row.format));
    }
}

// A page saved in another code is offered a declaration that names it, as one undo step.
TEST_F(DocumentFilesTest, SaveAsInAnotherCodeOffersToUpdateTheCharsetDeclaration)
{
    const struct
    {
        const char *name;
        QByteArray file;
        QMessageBox::StandardButton answer; // NoButton: nothing asked
        QByteArray written;
    } rows[] = {
        {"page.html", "<meta charset=\"Shift_JIS\">\n\x96\x7B\n", QMessageBox::Yes,
         "<meta charset=\"EUC-JP\">\n\xCB\xDC\n"},
        {"page.html", "<meta charset=\"Shift_JIS\">\n\x96\x7B\n", QMessageBox::No,
         "<meta charset=\"Shift_JIS\">\n\xCB\xDC\n"},
        {"x.htm", "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=x-sjis\">\n",
         QMessageBox::Yes, "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=EUC-JP\">\n"},
        // Another code declared, or no page: nothing is asked.
        {"other.html", "<meta charset=\"UTF-8\">\n", QMessageBox::NoButton, "<meta charset=\"UTF-8\">\n"},
        {"notes.txt", "<meta charset=\"Shift_JIS\">\n", QMessageBox::NoButton,
         "<meta charset=\"Shift_JIS\">\n"},
    };
    int n = 0;
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        Load(QString::fromLatin1(row.name), row.file);
        const QString to = QStringLiteral("euc%1_").arg(++n) + QString::fromLatin1(row.name);
        const std::size_t asked = modals.seen().size();
        EXPECT_TRUE(SaveAsIn(to, Euc, Lf, row.answer).done());
        EXPECT_EQ(modals.seen().size(), asked + 1 + (row.answer != QMessageBox::NoButton));
        EXPECT_EQ(Read(to), row.written);
        if (row.answer == QMessageBox::Yes) {
            EXPECT_EQ(modals.seen().back().objectName, QStringLiteral("CharsetQuestion"));
            editor->document()->undo();
            EXPECT_TRUE(editor->toPlainText().contains(QStringLiteral("Shift_JIS")) ||
                        editor->toPlainText().contains(QStringLiteral("x-sjis")))
                << "one undo step takes the declaration back";
        }
    }
    EXPECT_TRUE(modals.allAnswered());
}

TEST_F(DocumentFilesTest, OpenDialogShowsEachPatternOnceAndLeavesNoCompletionBehind)
{
    Write(QStringLiteral("typed.txt"), "typed");
    document.setPath(path(QStringLiteral("doc.txt")));
    QStringList shown;
    QAbstractItemView *popup = nullptr;
    modals.Then([&](QWidget *w) {
        auto *dialog = static_cast<QFileDialog *>(w);
        auto *filters = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        for (int i = 0; i < filters->count(); ++i)
            shown << filters->itemText(i);
        auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        name->setText(QStringLiteral("typ"));
        name->completer()->complete();
        popup = name->completer()->popup();
        // Shown once the folder is listed: only then can it be left behind.
        EXPECT_TRUE(QTest::qWaitFor([&] { return popup->isVisible(); }, 5000));
        AcceptFileName(dialog, QStringLiteral("typed.txt"));
    });
    EXPECT_EQ(files.chooseFileToOpen(), path(QStringLiteral("typed.txt")));
    ASSERT_EQ(shown.size(), 6);
    EXPECT_EQ(shown[1], QStringLiteral("ﾃｷｽﾄ ﾌｧｲﾙ(*.txt)"));
    ASSERT_NE(popup, nullptr);
    EXPECT_FALSE(popup->isVisible());
}

} // namespace
