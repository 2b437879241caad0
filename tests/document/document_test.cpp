#include "../codeconv/iconv_oracle.h"
#include "cp932.h"
#include "document.h"
#include "editor_options.h"
#include "test_files.h"

#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>

#include <QTemporaryDir>
#include <QTextDocument>
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
         QByteArray("\x1B$B4A\x1B(B\n\x1B$B;z")},
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
        const QByteArray sjis = Cp932::Encode(lines[i]);
        const auto line = Iconv("CP932", code, std::string_view(sjis.constData(), std::size_t(sjis.size())));
        EXPECT_TRUE(line.has_value()) << code;
        bytes += QByteArray::fromStdString(line.value_or(std::string())) + ends.value(i);
    }
    return bytes;
}

// Open and save with no edit: the same bytes. One line edited: only that
// line's bytes differ, its end included.
TEST_F(DocumentTest, EveryCodeAndLineEndComesBackAsItWas)
{
    DialogOptions euc;
    euc.autoDecode = euc.decodeAll = true;
    euc.charCode = 2;
    DialogOptions jis = euc;
    jis.charCode = 1;
    const struct
    {
        const char *iconvName;
        DialogOptions options;
        QStringList lines; // JIS has no half-width kana
    } codes[] = {
        {"CP932", {}, {QStringLiteral("日本語 abc"), QStringLiteral("ｱｲｳ ~\\"), QStringLiteral("\tend")}},
        {"EUC-JP", euc, {QStringLiteral("日本語 abc"), QStringLiteral("ｱｲｳ ~\\"), QStringLiteral("\tend")}},
        {"ISO-2022-JP",
         jis,
         {QStringLiteral("日本語 abc"), QStringLiteral("漢字 ~\\"), QStringLiteral("\tend")}},
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
        options.set(code.options);
        for (const auto &ending : endings) {
            const std::string label = std::string(code.iconvName) + " " + ending.name;
            const QByteArray bytes = FileOf(code.lines, ending.ends, code.iconvName);
            WriteFileBytes(path(QStringLiteral("a.txt")), bytes);
            ASSERT_TRUE(document.load(path(QStringLiteral("a.txt"))).done()) << label;
            EXPECT_EQ(FormatName(document.format(), document.mixedLineEnds()).section(u' ', -1),
                      QString::fromUtf8(ending.status))
                << label;
            ASSERT_TRUE(Save(QStringLiteral("a.txt")).done()) << label;
            EXPECT_EQ(ReadFileBytes(path(QStringLiteral("a.txt"))), bytes) << label;

            QTextCursor line(text.findBlockByNumber(1));
            line.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
            line.insertText(QStringLiteral("編集"));
            ASSERT_TRUE(Save(QStringLiteral("a.txt")).done()) << label;
            QStringList edited = code.lines;
            edited[1] = QStringLiteral("編集");
            EXPECT_EQ(ReadFileBytes(path(QStringLiteral("a.txt"))),
                      FileOf(edited, ending.ends, code.iconvName))
                << label;
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
    EXPECT_EQ(document.path, path(QStringLiteral("doc.txt"))) << "saving elsewhere is not renaming";
    document.rename(path(QStringLiteral("copy.txt")));
    EXPECT_FALSE(document.fileDiffers());

    document.startNew(path(QStringLiteral("doc.txt")));
    EXPECT_FALSE(document.holdsFile());
    EXPECT_TRUE(document.fileDiffers()) << "a new document's name is taken";
    EXPECT_TRUE(text.isEmpty());

    const Outcome missing = document.load(path(QStringLiteral("gone.txt")));
    EXPECT_EQ(missing.kind, Outcome::Failed);
    EXPECT_EQ(document.path, path(QStringLiteral("doc.txt"))) << "a failed load changes nothing";
}

} // namespace
