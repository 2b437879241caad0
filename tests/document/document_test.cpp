#include "../codeconv/iconv_oracle.h"
#include "cp932.h"
#include "display_blocks.h"
#include "document.h"
#include "document_loader.h"
#include "editor_options.h"
#include "jconvert.h"
#include "test_files.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>

#include <QTemporaryDir>
#include <QTextDocument>
#include <functional>
#include <gtest/gtest.h>

namespace {

class DocumentTest : public ::testing::Test
{
protected:
    DocumentTest() { document.attach(&text); }
    QString path(const QString &name) const { return dir.filePath(name); }
    Outcome Save(const QString &name, bool agree = true)
    {
        return document.save(path(name), [&](QStringView, qsizetype) {
            ++questions;
            return agree;
        });
    }

    // Writes `bytes` as the file `name` and loads it.
    void Load(const QString &name, const QByteArray &bytes)
    {
        WriteFileBytes(path(name), bytes);
        auto r = document.load(path(name));
        ASSERT_TRUE(r.done()) << r.message.toStdString();
    }
    QString Format() const { return FormatName(document.format(), document.mixedLineEnds()); }

    QTemporaryDir dir;
    QTextDocument text;
    FixedOptions options;
    Document document{&options};
    int questions = 0;
};

TEST_F(DocumentTest, SaveFollowsTheOptionsCodeAndAsksBeforeLosingCharacters)
{
    DialogOptions jis;
    jis.charCode = 1;
    jis.retCode = 2;
    const struct
    {
        DialogOptions options;
        QString name;
        QString content;
        bool agree;
        Outcome::Kind outcome;
        QByteArray written;
    } cases[] = {
        {{},
         QStringLiteral("a.txt"),
         QStringLiteral("漢\n字"),
         true,
         Outcome::Done,
         Cp932::Encode(QStringLiteral("漢\n字"))},
        {jis, QStringLiteral("b.html"), QStringLiteral("漢\n字"), true, Outcome::Done,
         QByteArray("\x1B$B4A\x1B(B\n\x1B$B;z\x1B(B")},
        {jis, QStringLiteral("c.txt"), QStringLiteral("漢"), true, Outcome::Done,
         Cp932::Encode(QStringLiteral("漢"))},
        {{}, QStringLiteral("d.txt"), QStringLiteral("é"), false, Outcome::Declined, QByteArray()},
        {jis, QStringLiteral("e.html"), QStringLiteral("é"), false, Outcome::Declined, QByteArray()},
        {{}, QStringLiteral("f.txt"), QStringLiteral("é"), true, Outcome::Done, "?"},
    };
    for (const auto &c : cases) {
        options.set(c.options);
        text.setPlainText(c.content);
        questions = 0;
        EXPECT_EQ(Save(c.name, c.agree).kind, c.outcome) << c.name.toStdString();
        EXPECT_EQ(ReadFileBytes(path(c.name)), c.written) << c.name.toStdString();
        EXPECT_EQ(questions, c.content == QStringLiteral("é") ? 1 : 0) << c.name.toStdString();
    }
    const Outcome failed = Save(QStringLiteral("no/folder/x.txt"));
    EXPECT_EQ(failed.kind, Outcome::Failed);
    EXPECT_FALSE(failed.message.isEmpty());
}

// Lines in a code (iconv's name), each followed by its end ("" for none).
QByteArray FileOf(const QStringList &lines, const QList<QByteArray> &ends, const char *code)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto line = Iconv("UTF-8", code, (lines[i].toUtf8() + ends.value(i)).toStdString());
        EXPECT_TRUE(line.has_value()) << code;
        bytes += QByteArray::fromStdString(line.value_or(std::string()));
    }
    return bytes;
}

// Each code opens as itself whatever the options say. Open and save with no
// edit: the same bytes. One line edited: only that line's bytes differ, its
// end included.
TEST_F(DocumentTest, EveryCodeAndLineEndComesBackAsItWas)
{
    const QStringList japanese = {QStringLiteral("日本語 abc"), QStringLiteral("ｱｲｳ ~\\"),
                                  QStringLiteral("\tend")};
    const struct
    {
        const char *iconvName;
        QByteArray mark;
        const char *name; // as the status bar shows it
        QStringList lines;
    } codes[] = {
        {"CP932", {}, "SJIS", japanese},
        {"EUC-JP", {}, "EUC", japanese},
        // JIS X 0212, which browsers read and iconv agrees on.
        {"EUC-JP",
         {},
         "EUC",
         {QStringLiteral("Tōkaidō and 東海道"), QStringLiteral("丂¦ ok"), QStringLiteral("ǎ")}},
        {"ISO-2022-JP",
         {},
         "JIS",
         {QStringLiteral("日本語 abc"), QStringLiteral("漢字 ~\\"), QStringLiteral("\tend")}},
        {"UTF-16LE",
         "\xFF\xFE",
         "UTF-16LE",
         {QStringLiteral("日本語 abc"), QStringLiteral("😀é"), QStringLiteral("ō")}},
        {"UTF-16BE",
         "\xFE\xFF",
         "UTF-16BE",
         {QStringLiteral("日本語 abc"), QStringLiteral("😀é"), QStringLiteral("ō")}},
    };
    const struct
    {
        const char *name;
        QList<QByteArray> ends;
        const char *status; // the line end the status bar names
    } endings[] = {
        {"CR LF", {"\r\n", "\r\n", "\r\n"}, "CRLF"},
        {"LF", {"\n", "\n", "\n"}, "LF"},
        {"CR", {"\r", "\r", "\r"}, "CR"},
        {"mixed", {"\r\n", "\n", "\r"}, "混在"},
        {"no final end", {"\n", "\n", ""}, "LF"},
    };
    for (const auto &code : codes) {
        for (const auto &ending : endings) {
            SCOPED_TRACE(std::string(code.name) + " " + ending.name + " " + code.lines[0].toStdString());
            const QByteArray bytes = code.mark + FileOf(code.lines, ending.ends, code.iconvName);
            Load(QStringLiteral("a.txt"), bytes);
            EXPECT_EQ(Format(), QString::fromUtf8(code.name) + u' ' + QString::fromUtf8(ending.status));
            EXPECT_EQ(text.toPlainText(),
                      code.lines.join(u'\n') + (ending.ends.last().isEmpty() ? "" : "\n"));
            ASSERT_TRUE(Save(QStringLiteral("a.txt")).done());
            EXPECT_EQ(ReadFileBytes(path(QStringLiteral("a.txt"))), bytes);

            QTextCursor line(text.findBlockByNumber(1));
            line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            line.insertText(QStringLiteral("編集"));
            ASSERT_TRUE(Save(QStringLiteral("a.txt")).done());
            QStringList edited = code.lines;
            edited[1] = QStringLiteral("編集");
            EXPECT_EQ(ReadFileBytes(path(QStringLiteral("a.txt"))),
                      code.mark + FileOf(edited, ending.ends, code.iconvName));
        }
    }
}

TEST_F(DocumentTest, BinaryAndNewLinesKeepTheirBytes)
{
    QByteArray binary(3000, Qt::Uninitialized);
    QRandomGenerator random(20);
    for (char &byte : binary)
        byte = char(random.bounded(256));
    const QString file = path(QStringLiteral("a.out"));
    WriteFileBytes(file, binary);
    ASSERT_TRUE(document.load(file).done());
    ASSERT_TRUE(Save(QStringLiteral("a.out")).done());
    EXPECT_EQ(ReadFileBytes(file), binary);

    // A line added to a file of mixed ends takes the most common one; a new
    // document's lines end in CR LF.
    WriteFileBytes(file, "a\nb\nc\r\n");
    ASSERT_TRUE(document.load(file).done());
    QTextCursor(&text).insertText(QStringLiteral("new\n"));
    ASSERT_TRUE(Save(QStringLiteral("a.out")).done());
    EXPECT_EQ(ReadFileBytes(file), "new\na\nb\nc\r\n");
    document.startNew(path(QStringLiteral("new.txt")));
    text.setPlainText(QStringLiteral("x\ny"));
    ASSERT_TRUE(Save(QStringLiteral("new.txt")).done());
    EXPECT_EQ(ReadFileBytes(path(QStringLiteral("new.txt"))), "x\r\ny");
}

// EUC-JP and JIS are converted from the editor's text, never detected
// again: half-width kana alone look like another code to detection.
TEST_F(DocumentTest, StrictConversionOnSave)
{
    DialogOptions euc;
    euc.charCode = 2;
    euc.retCode = 2;
    options.set(euc);
    const QString kana = QStringLiteral("<p>ｱｲｳｴ</p>\n");
    text.setPlainText(kana);
    ASSERT_TRUE(Save(QStringLiteral("kana.html")).done());
    const QByteArray sjis = Cp932::Encode(kana);
    EXPECT_EQ(ReadFileBytes(path(QStringLiteral("kana.html"))),
              QByteArray::fromStdString(*Iconv("CP932", "EUC-JP", sjis.toStdString())).replace("\r\n", "\n"));
}

TEST_F(DocumentTest, KnowsWhetherItsFileChangedOutside)
{
    WriteFileBytes(path(QStringLiteral("doc.txt")), "first");
    ASSERT_TRUE(document.load(path(QStringLiteral("doc.txt"))).done());
    EXPECT_TRUE(document.holdsFile());
    EXPECT_FALSE(document.fileDiffers());
    EXPECT_FALSE(document.takeNewOutsideChange());
    WriteFileBytes(path(QStringLiteral("doc.txt")), "changed outside");
    EXPECT_TRUE(document.fileDiffers());
    EXPECT_TRUE(document.takeNewOutsideChange());
    EXPECT_FALSE(document.takeNewOutsideChange()) << "each change is reported once";
    ASSERT_TRUE(Save(QStringLiteral("doc.txt")).done());
    EXPECT_FALSE(document.fileDiffers()) << "our own save";

    ASSERT_TRUE(Save(QStringLiteral("copy.txt")).done());
    EXPECT_EQ(document.path(), path(QStringLiteral("doc.txt"))) << "saving elsewhere is not renaming";
    document.rename(path(QStringLiteral("copy.txt")));
    EXPECT_FALSE(document.fileDiffers());

    document.startNew(path(QStringLiteral("doc.txt")));
    EXPECT_FALSE(document.holdsFile());
    EXPECT_TRUE(document.fileDiffers()) << "a new document's name is taken";
    EXPECT_TRUE(text.isEmpty());

    const Outcome missing = document.load(path(QStringLiteral("gone.txt")));
    EXPECT_EQ(missing.kind, Outcome::Failed);
    EXPECT_EQ(document.path(), path(QStringLiteral("doc.txt"))) << "a failed load changes nothing";
}

QString Kept(unsigned char byte)
{
    return QString(QChar(char16_t(Cp932::EscapeBase + byte)));
}

QString Sjis(const QByteArray &bytes)
{
    return Cp932::Decode(bytes);
}

void TypeAt(QTextDocument &text, int position, const QString &typed)
{
    QTextCursor cursor(&text);
    cursor.setPosition(position);
    cursor.insertText(typed);
}

void TypeAtEnd(QTextDocument &text, const QString &typed)
{
    TypeAt(text, text.characterCount() - 1, typed);
}

// Bytes that are no characters, and characters code page 932 has twice
// (ED40 and 8790, which the encoder writes as FA5C and 81E0), come back as
// the file had them on every line the user did not touch.
TEST_F(DocumentTest, UntouchedLinesKeepTheirBytes)
{
    const QByteArray dup("\xED\x40\r\n\x87\x90\r\nz\xED\x40", 11);
    const QByteArray nec("\xED\x40\x87\x90\r\nabc\r\n", 11);
    const QByteArray raw("a\x80"
                         "b\xFD\r\n",
                         6);
    const QByteArray page =
        Cp932::Encode(QStringLiteral("<HTML>\n日本語　テキスト\nｶﾅ①Ⅱ～\n")) + QByteArray("\x80\xFD", 2);
    const auto nothing = [](QTextDocument &) {};
    const struct
    {
        const char *edit;
        QByteArray file;
        std::function<void(QTextDocument &)> apply;
        QByteArray saved;
        int questions = 0; // each declined
    } cases[] = {
        {"a page, nothing", page, nothing, page},
        {"nothing", dup, nothing, dup},
        {"a line added above", dup, [](QTextDocument &t) { TypeAt(t, 0, QStringLiteral("top\n")); },
         QByteArray("top\r\n", 5) + dup},
        {"the middle line edited", dup,
         [](QTextDocument &t) { QTextCursor(t.findBlockByNumber(1)).insertText(QStringLiteral("m")); },
         QByteArray("\xED\x40\r\nm\x81\xE0\r\nz\xED\x40", 12)},
        {"two lines joined", dup,
         [](QTextDocument &t) { QTextCursor(t.findBlockByNumber(1)).deletePreviousChar(); },
         QByteArray("\xFA\x5C\x81\xE0\r\nz\xED\x40", 9)},
        {"an edit undone", dup,
         [](QTextDocument &t) {
             QTextCursor(t.findBlockByNumber(2)).insertText(QStringLiteral("u"));
             t.undo();
         },
         dup},
        {"typed on a new last line", nec, [](QTextDocument &t) { TypeAtEnd(t, QStringLiteral("d")); },
         QByteArray("\xED\x40\x87\x90\r\nabc\r\nd", 12)},
        {"typed on the first line too", nec,
         [](QTextDocument &t) {
             TypeAtEnd(t, QStringLiteral("d"));
             TypeAt(t, 0, QStringLiteral("e"));
         },
         QByteArray("e\xFA\x5C\x81\xE0\r\nabc\r\nd", 13)},
        // A private-use character the user brings in (icon fonts use them)
        // is no kept byte: asked about like any character Shift_JIS lacks.
        {"a private-use character typed", raw, [](QTextDocument &t) { TypeAtEnd(t, QString(QChar(0xF70A))); },
         raw, 1},
        {"another private-use character typed", raw,
         [](QTextDocument &t) { TypeAtEnd(t, QString(QChar(0xF73C))); }, raw, 1},
        {"a typed character deleted", raw,
         [](QTextDocument &t) {
             TypeAtEnd(t, QString(QChar(0xF70A)));
             QTextCursor cursor(&t);
             cursor.movePosition(QTextCursor::End);
             cursor.deletePreviousChar();
         },
         raw},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.edit);
        Load(QStringLiteral("doc.txt"), c.file);
        EXPECT_FALSE(text.isModified());
        c.apply(text);
        questions = 0;
        auto r = Save(QStringLiteral("doc.txt"), false);
        EXPECT_EQ(r.done(), c.questions == 0);
        EXPECT_EQ(questions, c.questions);
        EXPECT_EQ(ReadFileBytes(path(QStringLiteral("doc.txt"))).toHex(' '), c.saved.toHex(' '));
    }
    Load(QStringLiteral("nec.txt"), nec);
    EXPECT_EQ(text.toPlainText(), QStringLiteral("纊≒\nabc\n"));
}

// Read on a worker and put into the text in pieces of lines with a pause
// between them, as the window reads: still the same bytes on save, each
// line's end and the bytes of duplicate character forms included.
TEST_F(DocumentTest, LargeFilesReadAsideComeBackByteIdentical)
{
    document.setReader(ReadDocumentAside);
    document.setPause([] { QCoreApplication::processEvents(); });
    const QByteArray kana = QStringLiteral("かなカナ漢字、。").toUtf8();
    QByteArray utf8Mixed("\xEF\xBB\xBF");
    for (int i = 0; i < 60000; ++i)
        utf8Mixed += kana.repeated(3) + (i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\n" : "\r");
    QByteArray sjisKept;
    for (int i = 0; i < 70000; ++i)
        sjisKept += Cp932::Encode(QStringLiteral("日本語の行　%1").arg(i)) + "\r\n";
    sjisKept += QByteArray("\xED\x40\x87\x90\r\nend", 9);
    const QByteArray longLine =
        QByteArray(1500000, 'a') + "\r\n" + Cp932::Encode(QStringLiteral("次の行")) + "\r\n";
    const struct
    {
        const char *name;
        QByteArray bytes;
    } files[] = {{"utf8 mixed", utf8Mixed}, {"sjis kept", sjisKept}, {"long line", longLine}};
    for (const auto &file : files) {
        SCOPED_TRACE(file.name);
        Load(QStringLiteral("big.txt"), file.bytes);
        EXPECT_FALSE(text.isModified());
        EXPECT_FALSE(text.isUndoAvailable());
        ASSERT_TRUE(Save(QStringLiteral("copy.txt")).done());
        EXPECT_TRUE(ReadFileBytes(path(QStringLiteral("copy.txt"))) == file.bytes);
    }
}

TEST_F(DocumentTest, JisIsWrittenForHtmlNamesOnly)
{
    DialogOptions jis;
    jis.charCode = 1;
    options.set(jis);
    const struct
    {
        const char *name;
        const char *content;
        QByteArray written;
    } cases[] = {
        {"page.html", "漢字", "\x1B$B4A;z\x1B(B"},
        {"notes.txt", "漢字", Cp932::Encode(QStringLiteral("漢字"))},
        {"PAGE.HTM", "漢字", Cp932::Encode(QStringLiteral("漢字"))},
        {"empty.html", "", ""},
    };
    for (const auto &c : cases) {
        const QString name = QString::fromLatin1(c.name);
        WriteFileBytes(path(name), "old");
        text.setPlainText(QString::fromUtf8(c.content));
        ASSERT_TRUE(Save(name).done()) << c.name;
        EXPECT_EQ(ReadFileBytes(path(name)), c.written) << c.name;
    }
}

// Opened and saved with no edit: the same bytes, in the code the format
// names, with no question; UTF-8 is read as it is whatever the options say.
TEST_F(DocumentTest, FilesComeBackInTheirOwnCode)
{
    DialogOptions decodeAll;
    decodeAll.autoDecode = decodeAll.decodeAll = true;
    // A binary is never converted, whatever the save code.
    DialogOptions eucAll = decodeAll;
    eucAll.charCode = 2;
    eucAll.retCode = 2;
    const QByteArray sjis = Cp932::Encode(QStringLiteral("日本語\n"));
    // Valid UTF-8 until its last line, which is Shift_JIS.
    const QByteArray lateSjis = QByteArray("é\r\n").repeated(2000) + sjis;
    const QByteArray cutShort = QByteArray("日本\r\n") + QByteArray("語").left(2);
    const struct
    {
        const char *name;
        QByteArray file;
        const char *format;
        QString text = {}; // checked when not null
        DialogOptions options = {};
    } cases[] = {
        {"lf.html", "<p>日本語のページ</p>\n", "UTF-8 LF"},
        {"crlf.txt", "一\r\n二\r\n", "UTF-8 CRLF"},
        {"cr.txt", "一\r二", "UTF-8 CR"},
        {"mixed.txt", "一\r\n二\n三\r\n四\r", "UTF-8 混在"},
        {"bom.html", "\xEF\xBB\xBF<p>é</p>\r\n", "UTF-8 BOM CRLF"},
        {"emoji.txt", "絵文字😀\n", "UTF-8 LF"},
        {"ascii-after-mark.txt", "\xEF\xBB\xBFplain\n", "UTF-8 BOM LF", QStringLiteral("plain\n")},
        {"decoded.html", "<p>日本語</p>", "UTF-8 LF", QStringLiteral("<p>日本語</p>"), decodeAll},
        {"sjis.html", sjis, "SJIS CRLF", Sjis(sjis)},
        {"late.html", lateSjis, "SJIS CRLF", Sjis(lateSjis)},
        {"cut.txt", cutShort, "SJIS CRLF", Sjis(cutShort)},
        {"ascii.txt", "plain\r\n", "SJIS CRLF", QStringLiteral("plain\n")},
        // Shift_JIS never goes through a conversion to Shift_JIS, whatever
        // the options: NEC and IBM forms, and binaries, stay as they are.
        {"nec-ibm.html", "\xED\x40\xFA\x5C\x87\x54\xFA\x4A\x81\xCA\xEE\xF9\r\n", "SJIS CRLF",
         QStringLiteral("纊纊ⅠⅠ￢￢\n"), decodeAll},
        {"binary.html", QByteArray("\x01\x02\xEE\x89\r\nzz", 8), "SJIS CRLF", {}, eucAll},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        options.set(c.options);
        const QString name = QString::fromLatin1(c.name);
        Load(name, c.file);
        EXPECT_EQ(Format(), QString::fromUtf8(c.format));
        if (!c.text.isNull()) {
            EXPECT_EQ(text.toPlainText(), c.text);
        }
        questions = 0;
        ASSERT_TRUE(Save(name).done());
        EXPECT_EQ(questions, 0);
        EXPECT_EQ(ReadFileBytes(path(name)), c.file);
    }
    // The options' conversion shows for the names it applies to.
    DialogOptions jis;
    jis.charCode = 1;
    options.set(jis);
    ASSERT_TRUE(document.load(path(QStringLiteral("sjis.html"))).done());
    EXPECT_EQ(Format(), QStringLiteral("JIS CRLF"));
    ASSERT_TRUE(document.load(path(QStringLiteral("ascii.txt"))).done());
    EXPECT_EQ(Format(), QStringLiteral("SJIS CRLF"));
}

// Only text that may be either EUC-JP or Shift_JIS follows AutoDecode, as
// it applies to the name; EUC-JP that says so opens as itself.
TEST_F(DocumentTest, AutoDecodeDecidesOnlyTheUndecidedCase)
{
    const QByteArray undecided("\xA4\xA2\xA4\xA4\xA4\xA6"); // あいう in EUC-JP, ､｢､､､ｦ in Shift_JIS
    const QByteArray decided("\xC6\xFC\xCB\xDC\xB8\xEC"); // 日本語
    DialogOptions htmlOnly;
    htmlOnly.autoDecode = true;
    DialogOptions all = htmlOnly;
    all.decodeAll = true;
    const QString kana = QStringLiteral("､｢､､､ｦ");
    const struct
    {
        const char *name;
        DialogOptions options;
        QByteArray file;
        const char *format;
        QString text;
    } cases[] = {
        {"a.html", {}, undecided, "SJIS CRLF", kana},
        {"a.html", htmlOnly, undecided, "EUC CRLF", QStringLiteral("あいう")},
        {"a.txt", htmlOnly, undecided, "SJIS CRLF", kana},
        {"a.txt", all, undecided, "EUC CRLF", QStringLiteral("あいう")},
        {"b.txt", {}, decided, "EUC CRLF", QStringLiteral("日本語")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        options.set(c.options);
        Load(QString::fromLatin1(c.name), c.file);
        EXPECT_EQ(Format(), QString::fromUtf8(c.format));
        EXPECT_EQ(text.toPlainText(), c.text);
        ASSERT_TRUE(Save(QString::fromLatin1(c.name)).done());
        EXPECT_EQ(ReadFileBytes(path(QString::fromLatin1(c.name))), c.file);
    }
}

// Lines added to a UTF-8 page take its most common end; the others keep theirs.
TEST_F(DocumentTest, EditedUtf8PageIsWrittenBackInUtf8)
{
    Load(QStringLiteral("page.html"), "<p>日本語</p>\n<p>二行目</p>\r\n<p>三</p>\n");
    EXPECT_EQ(text.firstBlock().text(), QStringLiteral("<p>日本語</p>"));
    TypeAt(text, int(text.firstBlock().length()) - 1, QStringLiteral("\n😀é"));
    ASSERT_TRUE(Save(QStringLiteral("page.html"), false).done()) << "UTF-8 holds every character";
    EXPECT_EQ(ReadFileBytes(path(QStringLiteral("page.html"))),
              "<p>日本語</p>\n😀é\n<p>二行目</p>\r\n<p>三</p>\n");
}

TEST_F(DocumentTest, NewDocumentsAreUtf8WhenChosen)
{
    document.startNew(path(QStringLiteral("a.txt")));
    EXPECT_EQ(Format(), QStringLiteral("SJIS CRLF"));
    DialogOptions utf8;
    utf8.newUtf8 = true;
    options.set(utf8);
    document.startNew(path(QStringLiteral("b.txt")));
    EXPECT_EQ(Format(), QStringLiteral("UTF-8 LF"));
    text.setPlainText(QStringLiteral("新規\n文書"));
    ASSERT_TRUE(Save(QStringLiteral("b.txt")).done());
    EXPECT_EQ(ReadFileBytes(path(QStringLiteral("b.txt"))), "新規\n文書");
}

// The code a page's template names is the one the document will be saved in.
TEST_F(DocumentTest, SavedCodeFollowsTheOptionsForTheDocumentsName)
{
    DialogOptions newUtf8;
    newUtf8.newUtf8 = true;
    DialogOptions jis;
    jis.charCode = 1;
    DialogOptions euc;
    euc.charCode = 2;
    DialogOptions eucAll = euc;
    eucAll.decodeAll = true;
    const struct
    {
        DialogOptions options;
        const char *document; // empty: a new document
        QByteArray bytes;
        DocumentCode code;
    } cases[] = {
        {{}, "", {}, DocumentCode::Sjis},
        {newUtf8, "", {}, DocumentCode::Utf8},
        {jis, "page.html", "<p>abc</p>\r\n", DocumentCode::Jis},
        {euc, "page.html", "<p>\x93\xfa\x96\x7b</p>\r\n", DocumentCode::Euc},
        {euc, "notes.txt", "abc\r\n", DocumentCode::Sjis},
        {eucAll, "notes.txt", "abc\r\n", DocumentCode::Euc},
        {euc, "utf8.html", "<p>\xe6\x97\xa5\xe6\x9c\xac</p>\n", DocumentCode::Utf8},
        // A file in another code keeps it unless the options name JIS or EUC-JP.
        {{}, "euc.html", "<p>\xc6\xfc\xcb\xdc</p>\n", DocumentCode::Euc},
        {jis, "euc.html", "<p>\xc6\xfc\xcb\xdc</p>\n", DocumentCode::Jis},
        {jis, "euc.txt", "<p>\xc6\xfc\xcb\xdc</p>\n", DocumentCode::Euc},
        {euc, "jis.html", "\x1b$B4A\x1b(B\n", DocumentCode::Euc},
        {jis, "utf16.html",
         QByteArray("\xff\xfe"
                    "a\0",
                    4),
         DocumentCode::Utf16Le},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.document);
        options.set(c.options);
        if (*c.document)
            Load(QString::fromLatin1(c.document), c.bytes);
        else
            document.startNew(path(QStringLiteral("newhtml.html")));
        EXPECT_EQ(document.format().code, c.code);
    }
}

} // namespace

namespace {

// JIS lines keep their escape sequences, also where a two-byte run goes on
// past a line end or a line ends in the Roman set (as the old program wrote
// JIS): unedited, the same bytes; one line edited, that line is written anew
// and a line after it that needs a set gets its escape; the file reads as
// the editor's text.
TEST_F(DocumentTest, JisLinesKeepTheirEscapesAndShiftState)
{
    const struct
    {
        const char *what;
        QByteArray file;
        int line; // edited
        QByteArray edited;
    } rows[] = {
        {"lines that end in Roman, the last read in it", "\x1B$B4A;z\x1B(J\r\n\x1B$B4A;z\x1B(J\r\nabc\\\r\n",
         1, "\x1B$B4A;z\x1B(J\r\n\x1B$B4A;zJT=8\x1B(B\r\n\x1B(Jabc\\\r\n"},
        {"a run across line ends", "\x1B$B4A\n;z\n\x1B(Bend\n", 0,
         "\x1B$B4AJT=8\x1B(B\n\x1B$B;z\n\x1B(Bend\n"},
        {"a line of an escape alone among empty ones, no end in ASCII", "\n\x1B(B\n\nx\x1B$B4A", 3,
         "\n\x1B(B\n\nx\x1B$B4AJT=8\x1B(B"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        Load(QStringLiteral("mail.txt"), row.file);
        EXPECT_TRUE(Format().startsWith(QStringLiteral("JIS")));
        ASSERT_TRUE(Save(QStringLiteral("mail.txt")).done());
        EXPECT_EQ(ReadFileBytes(path(QStringLiteral("mail.txt"))).toHex(' '), row.file.toHex(' '));

        QTextCursor end(text.findBlockByNumber(row.line));
        end.movePosition(QTextCursor::EndOfBlock);
        end.insertText(QStringLiteral("編集"));
        const QString edited = text.toPlainText();
        ASSERT_TRUE(Save(QStringLiteral("mail.txt")).done());
        const QByteArray saved = ReadFileBytes(path(QStringLiteral("mail.txt")));
        EXPECT_EQ(saved.toHex(' '), row.edited.toHex(' '));
        Load(QStringLiteral("mail.txt"), saved);
        EXPECT_EQ(text.toPlainText(), edited);
    }
}

// Read in a code the user names, the document keeps it: the options do not
// convert it, and the file is not touched.
TEST_F(DocumentTest, ReadInANamedCode)
{
    DialogOptions jis;
    jis.charCode = 1;
    options.set(jis);
    const QByteArray euc("\xA4\xA2\xA4\xA4\n");
    const struct
    {
        std::optional<DocumentCode> code;
        QString text;
        const char *format;
    } rows[] = {
        {{}, QStringLiteral("､｢､､\n"), "JIS LF"}, // Shift_JIS, converted by the options
        {DocumentCode::Euc, QStringLiteral("あい\n"), "EUC LF"},
        {DocumentCode::Utf16Be, QString(QChar(0xA4A2)) + QChar(0xA4A4) + Kept(0x0A), "UTF-16BE CRLF"},
    };
    for (const auto &row : rows) {
        WriteFileBytes(path(QStringLiteral("page.html")), euc);
        ASSERT_TRUE(document.load(path(QStringLiteral("page.html")), row.code).done());
        EXPECT_EQ(text.toPlainText(), row.text);
        EXPECT_EQ(Format(), QString::fromUtf8(row.format));
        ASSERT_TRUE(Save(QStringLiteral("page.html")).done());
        EXPECT_EQ(ReadFileBytes(path(QStringLiteral("page.html"))), row.code ? euc : "\x1B(I$\"$$\x1B(B\n");
    }
}

// What a recovery copy holds rebuilds a document that saves as the lost one.
TEST_F(DocumentTest, StateRestoresKeptLinesOfEveryCode)
{
    const QByteArray files[] = {
        "\x8F\xA2\xB7 kept\n\xC6\xFC edited\n", // EUC-JP's JIS X 0212 form of ～
        "\x1B$B4A\x1B(J\r\n\x1B$B;z\x1B(J\r\n", // JIS as the old program wrote it
    };
    for (const QByteArray &file : files) {
        Load(QStringLiteral("lost.txt"), file);
        QTextCursor(text.findBlockByNumber(1)).insertText(QStringLiteral("新"));
        ASSERT_TRUE(Save(QStringLiteral("lost.txt")).done());
        QTextDocument restoredText;
        Document restored(&options);
        restored.attach(&restoredText);
        restored.restore(document.state(), DisplayBlocks::RawText(text));
        ASSERT_TRUE(
            restored.save(path(QStringLiteral("restored.txt")), [](QStringView, qsizetype) { return false; })
                .done());
        EXPECT_EQ(ReadFileBytes(path(QStringLiteral("restored.txt"))),
                  ReadFileBytes(path(QStringLiteral("lost.txt"))));
        EXPECT_TRUE(ReadFileBytes(path(QStringLiteral("lost.txt"))).startsWith(file.first(5)));
    }
}

} // namespace

namespace {

// JIS X 0212 is EUC-JP's alone: saved in Shift_JIS it is asked about once,
// as any character code page 932 lacks.
TEST_F(DocumentTest, JisX0212IsAskedAboutOutsideEucJp)
{
    const QByteArray euc("T\x8F\xAB\xD7ky\x8F\xAB\xD7\n");
    Load(QStringLiteral("romaji.txt"), euc);
    const DocumentFormat sjis{DocumentCode::Sjis, Jconvert::ReturnCode::Lf, false};
    for (const bool agree : {false, true}) {
        questions = 0;
        const Outcome saved = document.save(
            path(QStringLiteral("romaji.txt")),
            [&](QStringView, qsizetype index) {
                ++questions;
                EXPECT_EQ(index, 1);
                return agree;
            },
            sjis);
        EXPECT_EQ(saved.kind, agree ? Outcome::Done : Outcome::Declined);
        EXPECT_EQ(questions, 1);
        EXPECT_EQ(ReadFileBytes(path(QStringLiteral("romaji.txt"))), agree ? QByteArray("T?ky?\n") : euc);
    }
}

} // namespace
