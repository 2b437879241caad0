#include "cp932.h"
#include "document.h"
#include "editor_options.h"
#include "test_files.h"

#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

class DocumentTest : public ::testing::Test
{
protected:
    DocumentTest() { document.attach(&text); }
    QString path(const QString &name) const { return dir.filePath(name); }
    DocumentResult Save(const QString &name, bool agree = true)
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
        DocumentResult::Outcome outcome;
        QByteArray written;
    } cases[] = {
        {{},
         QStringLiteral("a.txt"),
         QStringLiteral("漢\n字"),
         true,
         DocumentResult::Done,
         Cp932::Encode(QStringLiteral("漢\n字"))},
        {jis, QStringLiteral("b.html"), QStringLiteral("漢\n字"), true, DocumentResult::Done,
         QByteArray("\x1B$B4A\x1B(B\n\x1B$B;z")},
        {jis, QStringLiteral("c.txt"), QStringLiteral("漢"), true, DocumentResult::Done,
         Cp932::Encode(QStringLiteral("漢"))},
        {{}, QStringLiteral("d.txt"), QStringLiteral("é"), false, DocumentResult::Declined, QByteArray()},
        {jis, QStringLiteral("e.html"), QStringLiteral("é"), false, DocumentResult::Declined, QByteArray()},
        {{}, QStringLiteral("f.txt"), QStringLiteral("é"), true, DocumentResult::Done, "?"},
    };
    for (const auto &c : cases) {
        options.set(c.options);
        text.setPlainText(c.content);
        questions = 0;
        EXPECT_EQ(Save(c.name, c.agree).outcome, c.outcome) << c.name.toStdString();
        EXPECT_EQ(ReadFileBytes(path(c.name)), c.written) << c.name.toStdString();
        EXPECT_EQ(questions, c.content == QStringLiteral("é") ? 1 : 0) << c.name.toStdString();
    }
    const DocumentResult failed = Save(QStringLiteral("no/folder/x.txt"));
    EXPECT_EQ(failed.outcome, DocumentResult::Failed);
    EXPECT_FALSE(failed.message.isEmpty());
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

    const DocumentResult missing = document.load(path(QStringLiteral("gone.txt")));
    EXPECT_EQ(missing.outcome, DocumentResult::Failed);
    EXPECT_EQ(document.path, path(QStringLiteral("doc.txt"))) << "a failed load changes nothing";
}

} // namespace
