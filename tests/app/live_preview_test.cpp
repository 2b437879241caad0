// The live preview pane with its real engine (Chromium in its own process,
// software rendering), read back through the page's own DOM.
#include "document.h"
#include "editor_options.h"
#include "preview_environment.h"
#include "preview_pane.h"
#include "test_files.h"

#include <QApplication>
#include <QDesktopServices>
#include <QImage>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QSplitter>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Before the application object, as the program's entry point does it.
const bool prepared = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PrepareForPreviewEngine();
    return true;
}();

constexpr int EngineWaitMs = 30000;

// Takes the URLs the desktop would open, in place of the user's browser.
class BrowserStandIn : public QObject
{
    Q_OBJECT

public:
    BrowserStandIn()
    {
        for (const char *scheme : {"file", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "open");
    }
    ~BrowserStandIn() override
    {
        for (const char *scheme : {"file", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }
};

class LivePreviewTest : public ::testing::Test
{
protected:
    LivePreviewTest()
    {
        editor = new QPlainTextEdit(&splitter);
        pane = new PreviewPane(editor, &document, &splitter);
        splitter.addWidget(editor);
        splitter.addWidget(pane);
        document.attach(editor->document());
        splitter.resize(1000, 700);
        splitter.show();
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    void open(const QString &name, const QByteArray &bytes)
    {
        WriteFileBytes(path(name), bytes);
        ASSERT_TRUE(document.load(path(name)).done()) << name.toStdString();
    }
    // Runs `change` and waits for the page it leads to.
    bool refreshedAfter(const std::function<void()> &change)
    {
        QSignalSpy refreshed(pane, &PreviewPane::refreshed);
        change();
        return refreshed.wait(EngineWaitMs);
    }
    bool showPane()
    {
        return refreshedAfter([this] { pane->showAction()->setChecked(true); });
    }
    QVariant evaluate(const QString &script)
    {
        auto answer = std::make_shared<std::optional<QVariant>>();
        pane->engine()->evaluate(script, [answer](const QVariant &value) { *answer = value; });
        EXPECT_TRUE(QTest::qWaitFor([&] { return answer->has_value(); }, EngineWaitMs))
            << script.toStdString();
        return answer->value_or(QVariant());
    }
    QString bodyText() { return evaluate(QStringLiteral("document.body.innerText")).toString(); }
    // Types `text` as key presses into the editor.
    void type(const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(editor, &press);
            QApplication::sendEvent(editor, &release);
        }
    }
    // Moves the caret to `column` of `line`.
    void caretTo(int line, int column = 0)
    {
        QTextCursor cursor(editor->document()->findBlockByNumber(line));
        cursor.setPosition(cursor.position() + column);
        editor->setTextCursor(cursor);
    }

    QTemporaryDir dir;
    FixedOptions options;
    Document document{&options};
    QSplitter splitter;
    QPlainTextEdit *editor;
    PreviewPane *pane;
};

QByteArray Page(const QString &head, const QString &body, const char *code)
{
    return QStringEncoder(code).encode(
        QStringLiteral("<!DOCTYPE html>\n<html><head>%1<title>t</title></head>\n"
                       "<body>\n%2\n</body></html>\n")
            .arg(head, body));
}

// Shown as a browser shows the saved file: the code it names, else the
// document's own; a page whose bytes and charset disagree in mojibake.
TEST_F(LivePreviewTest, PageShowsInItsOwnCode)
{
    const struct
    {
        const char *name;
        const char *meta;
        const char *code;
        const char16_t *text;
        bool readable;
    } rows[] = {
        {"sjis.html", "<meta charset=\"Shift_JIS\">", "Shift_JIS", u"日本語のページ、ｶﾀｶﾅ", true},
        {"euc.html", "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=EUC-JP\">", "EUC-JP",
         u"漢字かな交じり文", true},
        {"utf8.html", "<meta charset=\"utf-8\">", "UTF-8", u"ユニコード😀", true},
        {"undeclared.html", "", "Shift_JIS", u"宣言のないページ", true},
        {"wrong.html", "<meta charset=\"utf-8\">", "Shift_JIS", u"文字化けする", false},
    };
    bool first = true;
    for (const auto &row : rows) {
        const QString text = QString::fromUtf16(row.text);
        open(QString::fromLatin1(row.name), Page(QString::fromLatin1(row.meta), text, row.code));
        ASSERT_TRUE(first ? showPane() : refreshedAfter([] {})) << row.name;
        first = false;
        const QString shown = bodyText().trimmed();
        if (row.readable) {
            EXPECT_EQ(shown, text) << row.name;
        } else {
            EXPECT_NE(shown, text);
            EXPECT_TRUE(shown.contains(QChar::ReplacementCharacter)) << shown.toStdString();
        }
    }
}

// Relative references resolve beside the document; a new one is in the last folder.
TEST_F(LivePreviewTest, RelativeImageLoadsFromTheDocumentsFolder)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("img"));
    QImage image(37, 23, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(path("img/red.png")));
    const QString body = QStringLiteral("<p>画像</p><img id=\"i\" src=\"img/red.png\">");
    const auto width = [this] {
        return evaluate(QStringLiteral("document.getElementById('i').naturalWidth")).toInt();
    };
    open("page.html", Page("", body, "UTF-8"));
    ASSERT_TRUE(showPane());
    EXPECT_EQ(width(), 37);

    ASSERT_TRUE(refreshedAfter([&] {
        document.startNew(path("newhtml.html"));
        editor->setPlainText(QString::fromUtf8(Page("", body + "<p>新規</p>", "UTF-8")));
    }));
    EXPECT_EQ(width(), 37);
}

// Typing changes the pane's copy a moment later, never the document; text
// typed inside an element changes that part of the page, without a reload.
TEST_F(LivePreviewTest, TypingRefreshesTheCopyNotTheDocument)
{
    const struct
    {
        const char16_t *typed;
        const char16_t *shown;
        bool reloaded;
    } rows[] = {
        {u"二三", u"一二三", false},
        {u"</p><p>二", u"一\n\n二", false},
        {u"<div>", u"一", true},
    };
    const QByteArray bytes = Page("<meta charset=\"Shift_JIS\">", "<p>一</p>", "Shift_JIS");
    bool first = true;
    for (const auto &row : rows) {
        open("typed.html", bytes);
        ASSERT_TRUE(first ? showPane() : refreshedAfter([] {}));
        first = false;
        evaluate(QStringLiteral("window.kept = true"));
        caretTo(3, QStringLiteral("<p>一").size());
        ASSERT_TRUE(refreshedAfter([&] { type(QString::fromUtf16(row.typed)); }));
        EXPECT_EQ(bodyText().trimmed(), QString::fromUtf16(row.shown));
        EXPECT_EQ(evaluate(QStringLiteral("window.kept === true")).toBool(), !row.reloaded);
        EXPECT_EQ(ReadFileBytes(path("typed.html")), bytes);
        EXPECT_FALSE(editor->toPlainText().contains(QStringLiteral("qumo-line")));
    }
}

// The preview keeps its place across refreshes and goes where the caret goes.
TEST_F(LivePreviewTest, ScrollStaysAndFollowsTheCaret)
{
    QString body;
    for (int i = 0; i < 400; ++i)
        body += QStringLiteral("<p>行%1</p>\n").arg(i);
    open("long.html", Page("<meta charset=\"utf-8\">", body, "UTF-8"));
    ASSERT_TRUE(showPane());
    EXPECT_EQ(evaluate(QStringLiteral("scrollY")).toInt(), 0);
    // Line 3 of the file holds <p>行0</p>.
    const auto inView = [this](int paragraph) {
        return evaluate(QStringLiteral(
                            "(function(){var r=document.querySelectorAll('p')[%1].getBoundingClientRect();"
                            "return r.top>=0&&r.bottom<=innerHeight;})()")
                            .arg(paragraph))
            .toBool();
    };
    caretTo(3 + 300, 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return inView(300); }, EngineWaitMs));
    const int scrolled = evaluate(QStringLiteral("scrollY")).toInt();
    EXPECT_GT(scrolled, 0);
    ASSERT_TRUE(refreshedAfter([this] { type(QStringLiteral("追記")); }));
    EXPECT_TRUE(bodyText().contains(QStringLiteral("追記行300")));
    EXPECT_EQ(evaluate(QStringLiteral("scrollY")).toInt(), scrolled);
}

// 縦書き changes only the preview: vertical lines right to left, ruby beside them.
TEST_F(LivePreviewTest, VerticalWritingOnAndOff)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
    } rows[] = {
        {"ruby.html",
         Page("<meta charset=\"utf-8\">", "<p><ruby id=\"r\">漢<rt>かん</rt></ruby>字の本文</p>", "UTF-8")},
        {"novel.txt", QByteArray("吾輩は猫である。\n名前はまだ無い。\n")},
    };
    const QString mode = QStringLiteral("getComputedStyle(document.body).writingMode");
    // The reading beside its base in vertical writing, above it across.
    const QString rubyPlace = QStringLiteral(
        "(function(){var r=document.getElementById('r');var rt=r.querySelector('rt').getBoundingClientRect();"
        "var base=document.createRange();base.setStart(r.firstChild,0);base.setEnd(r.firstChild,1);"
        "var b=base.getBoundingClientRect();return "
        "rt.left>=b.right-1?'beside':rt.bottom<=b.top+1?'above':'?';})()");
    bool first = true;
    for (const auto &row : rows) {
        open(QString::fromLatin1(row.name), row.bytes);
        const QString text = editor->toPlainText();
        ASSERT_TRUE(first ? showPane() : refreshedAfter([] {})) << row.name;
        first = false;
        const bool page = QString::fromLatin1(row.name).endsWith(".html");
        if (!page) {
            EXPECT_EQ(bodyText(), text);
            EXPECT_TRUE(evaluate(QStringLiteral("getComputedStyle(document.body).fontFamily"))
                            .toString()
                            .contains(QFontInfo(editor->font()).family()));
        }
        for (const bool vertical : {true, false}) {
            ASSERT_TRUE(refreshedAfter([&] { pane->verticalAction()->setChecked(vertical); })) << row.name;
            EXPECT_EQ(evaluate(mode).toString(), vertical ? "vertical-rl" : "horizontal-tb") << row.name;
            if (page) {
                EXPECT_EQ(evaluate(rubyPlace).toString(), vertical ? "beside" : "above");
            }
        }
        EXPECT_EQ(editor->toPlainText(), text);
        EXPECT_EQ(ReadFileBytes(path(QString::fromLatin1(row.name))), row.bytes);
    }
}

// A link clicked in the pane opens in the browser; the pane keeps the page.
TEST_F(LivePreviewTest, LinksGoToTheBrowser)
{
    BrowserStandIn browser;
    open("links.html",
         Page("<meta charset=\"utf-8\">",
              "<p><a id=\"file\" href=\"other.html#x\">別のページ</a></p>"
              "<p><a id=\"web\" href=\"https://example.com/a\">外のページ</a></p>"
              "<p><a id=\"blank\" target=\"_blank\" href=\"https://example.com/b\">新しい窓</a></p>"
              "<p><a id=\"here\" href=\"#end\">ページの中</a></p><p id=\"end\">終わり</p>",
              "UTF-8"));
    ASSERT_TRUE(showPane());
    const struct
    {
        const char *id;
        QUrl opened; // empty: stays in the page
    } rows[] = {
        {"file",
         [this] {
             QUrl url = QUrl::fromLocalFile(path("other.html"));
             url.setFragment("x");
             return url;
         }()},
        {"web", QUrl("https://example.com/a")},
        {"blank", QUrl("https://example.com/b")},
        {"here", QUrl()},
    };
    QWidget *view = pane->engine()->widget()->focusProxy();
    ASSERT_NE(view, nullptr);
    for (const auto &row : rows) {
        browser.opened.clear();
        const QVariantList point =
            evaluate(QStringLiteral("(function(){var r=document.getElementById('%1').getBoundingClientRect();"
                                    "return [r.left+r.width/2,r.top+r.height/2];})()")
                         .arg(QLatin1String(row.id)))
                .toList();
        QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(point.value(0).toInt(), point.value(1).toInt()));
        if (row.opened.isEmpty()) {
            QTest::qWait(1000);
            EXPECT_TRUE(browser.opened.isEmpty()) << row.id;
            EXPECT_TRUE(evaluate(QStringLiteral("location.hash")).toString() == "#end");
        } else {
            ASSERT_TRUE(QTest::qWaitFor([&] { return !browser.opened.isEmpty(); }, EngineWaitMs)) << row.id;
            EXPECT_EQ(browser.opened, QList<QUrl>{row.opened}) << row.id;
        }
        EXPECT_EQ(bodyText().left(5), QStringLiteral("別のページ"));
    }
}

// A page whose script never ends stops only the pane: the window's thread
// goes on, the pane says why it stopped, and the next text shows again.
TEST_F(LivePreviewTest, LoopingScriptLeavesTheEditorAnswering)
{
    open("loop.html", Page("<meta charset=\"utf-8\">", "<p>前</p><script>for (;;) {}</script>", "UTF-8"));
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(50);
    pane->showAction()->setChecked(true);
    // A page given while the last one hangs waits behind it.
    QTest::qWait(1000);
    editor->moveCursor(QTextCursor::End);
    type(QStringLiteral("後"));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return pane->message().contains(QStringLiteral("応答しない")); }, EngineWaitMs))
        << pane->message().toStdString();
    QTest::qWait(1000);
    EXPECT_TRUE(pane->message().contains(QStringLiteral("応答しない"))) << pane->message().toStdString();
    EXPECT_GT(ticks, 40);
    ASSERT_TRUE(refreshedAfter(
        [this] { editor->setPlainText(QString::fromUtf8(Page("", "<p>直した</p>", "UTF-8"))); }));
    EXPECT_EQ(bodyText().trimmed(), QStringLiteral("直した"));
    EXPECT_TRUE(pane->message().isEmpty());
}

// Without its module or the engine's files the pane says what is missing.
TEST_F(LivePreviewTest, MissingEngineIsToldInWords)
{
    QTemporaryDir empty;
    const struct
    {
        QStringList folders;
        const char *variable;
        const char *told;
    } rows[] = {
        {{empty.path()}, nullptr, "qumo_preview"},
        {{QCoreApplication::applicationDirPath()}, "QTWEBENGINE_RESOURCES_PATH", "libqt6webengine6-data"},
    };
    for (const auto &row : rows) {
        PreviewPane missing(editor, &document, nullptr);
        missing.setEngineFolders(row.folders);
        if (row.variable != nullptr)
            qputenv(row.variable, empty.path().toUtf8());
        missing.showAction()->setChecked(true);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return missing.message().contains(QLatin1String(row.told)); }, 5000))
            << missing.message().toStdString();
        if (row.variable != nullptr)
            qunsetenv(row.variable);
        EXPECT_EQ(missing.engine(), nullptr);
    }
}

} // namespace

#include "live_preview_test.moc"
