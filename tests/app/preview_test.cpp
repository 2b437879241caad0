#include "form_fixture.h"
#include "shine_speed_button.h"

#include <QDesktopServices>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QUrl>

namespace {

// Records the files the desktop would open.
class OpenedFiles : public QObject
{
    Q_OBJECT

public:
    OpenedFiles() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~OpenedFiles() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QStringList files;

public slots:
    void open(const QUrl &url) { files << url.toLocalFile(); }
};

class Preview : public FormTest
{
protected:
    void SetUp() override
    {
        WriteIni("[Pre]\nPathName=" + dir_.path().toUtf8() + "\n");
        Start();
    }
    void Open(const QString &name, const QByteArray &text)
    {
        WriteFile(name, text);
        ASSERT_TRUE(form->LoadDocument(path(name)));
        Editor(form)->moveCursor(QTextCursor::End);
        Editor(form)->insertPlainText(QStringLiteral(" edited"));
    }
};

TEST_F(Preview, SavesInPlaceOrToTheTemporaryFileThenOpensTheBrowser)
{
    const struct
    {
        QString name;
        bool useTmp;
        QString opened; // empty: nothing happens
        QByteArray document;
        bool modified;
    } cases[] = {
        {QStringLiteral("page.html"), false, QStringLiteral("page.html"), "<p> edited", false},
        {QStringLiteral("PAGE.SHTML"), false, QStringLiteral("PAGE.SHTML"), "<p> edited", false},
        {QStringLiteral("page.html"), true, QStringLiteral("tmp.html"), "<p>", true},
        {QStringLiteral("notes.txt"), false, QString(), "<p>", true},
    };
    for (const auto &c : cases) {
        OpenedFiles opened;
        SetOptions([&c](DialogOptions &o) { o.useTmp = c.useTmp; });
        Open(c.name, "<p>");
        Part<TShineSpeedButton>(TagPaletteOf(form), "ShineSpeedButton1")->Click();
        EXPECT_EQ(opened.files, c.opened.isEmpty() ? QStringList() : QStringList{path(c.opened)})
            << c.name.toStdString();
        EXPECT_EQ(ReadFile(c.name), c.document) << c.name.toStdString();
        EXPECT_EQ(Editor(form)->document()->isModified(), c.modified) << c.name.toStdString();
        Editor(form)->document()->setModified(false);
    }
    EXPECT_EQ(ReadFile(QStringLiteral("tmp.html")), "<p> edited");
    // Only the text document was refused, with a word on how to preview it.
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].objectName, QStringLiteral("NotHtmlMessage"));
    EXPECT_TRUE(modals.seen()[0].text.contains(QStringLiteral(".html")));
}

// Saving in place for the browser asks what F4 asks of a file another
// program changed; no means no save and no browser.
TEST_F(Preview, AFileChangedOutsideIsNotOverwrittenUnasked)
{
    OpenedFiles opened;
    Open(QStringLiteral("page.html"), "<p>");
    WriteFile(QStringLiteral("page.html"), "<p>theirs");
    modals.ThenClick(QMessageBox::No);
    Part<TShineSpeedButton>(TagPaletteOf(form), "ShineSpeedButton1")->Click();
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_EQ(modals.seen()[0].objectName, QStringLiteral("ChangedOnDiskQuestion"));
    EXPECT_EQ(ReadFile(QStringLiteral("page.html")), "<p>theirs");
    EXPECT_TRUE(opened.files.isEmpty());
    EXPECT_TRUE(Editor(form)->document()->isModified());
}

TEST_F(Preview, TheBrowseButtonShowsAGlyph)
{
    TagPaletteOf(form)->setVisible(true);
    EXPECT_FALSE(Part<TShineSpeedButton>(TagPaletteOf(form), "ShineSpeedButton1")->Glyph().isNull());
}

TEST_F(Preview, SecondBrowserGetsThePathAsItsOneArgument)
{
    const QString browser = path(QStringLiteral("browser.sh"));
    WriteFile(QStringLiteral("browser.sh"),
              "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$1\" > \"$(dirname \"$0\")/args.txt\"\n");
    QFile::setPermissions(browser, QFile::permissions(browser) | QFileDevice::ExeOwner);
    SetOptions([&browser](DialogOptions &o) {
        o.secondBrowser = true;
        o.secondBrowserPath = browser;
    });
    const QString name = QStringLiteral("my page; \"quoted\" $(x).html");
    Open(name, "<p>");
    form->ShineSpeedButton1Click();
    QTRY_VERIFY_WITH_TIMEOUT(!ReadFile(QStringLiteral("args.txt")).isEmpty(), 5000);
    EXPECT_EQ(QString::fromUtf8(ReadFile(QStringLiteral("args.txt"))),
              QStringLiteral("1\n") + path(name) + u'\n');
}

TEST_F(Preview, AFailedSaveStartsNoBrowser)
{
    OpenedFiles opened;
    form->document().setPath(path(QStringLiteral("no/folder/page.html")));
    Editor(form)->insertPlainText(QStringLiteral("x"));
    modals.ThenClick(QMessageBox::Ok);
    form->ShineSpeedButton1Click();
    EXPECT_TRUE(opened.files.isEmpty());
    EXPECT_EQ(modals.seen().size(), 1u);
}

// A browser that cannot be started is reported, not silently skipped.
TEST_F(Preview, ABrowserThatCannotStartIsReported)
{
    SetOptions([this](DialogOptions &o) {
        o.secondBrowser = true;
        o.secondBrowserPath = path(QStringLiteral("no-such-browser"));
    });
    Open(QStringLiteral("page.html"), "<p>");
    modals.ThenClick(QMessageBox::Ok);
    form->ShineSpeedButton1Click();
    ASSERT_EQ(modals.seen().size(), 1u);
    EXPECT_TRUE(modals.seen()[0].text.contains(path(QStringLiteral("no-such-browser"))))
        << modals.seen()[0].text.toStdString();
    EXPECT_EQ(ReadFile(QStringLiteral("page.html")), "<p> edited");
}

} // namespace

#include "preview_test.moc"
