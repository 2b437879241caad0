#include "../codeconv/iconv_oracle.h"
#include "line_end_marks.h"
#include "utf8_document.h"

#include "jconvert.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

using Jconvert::ReturnCode;

// Read, put in an editor's document, taken out and written: what an unchanged
// UTF-8 file goes through.
QByteArray ThroughTheEditor(const QByteArray &file)
{
    const std::string_view bytes(file.constData(), std::size_t(file.size()));
    const Utf8Text read = DecodeUtf8Document(file, Jconvert::IsUtf8Document(bytes) &&
                                                       Iconv("UTF-8", "UTF-8", bytes).has_value());
    QTextDocument document;
    document.setPlainText(read.text);
    MarkLineEnds(document, read.lineEnds);
    const LineEnds ends =
        read.lineEnds.mixed() ? MarkedLineEnds(document, read.lineEnds.main) : read.lineEnds;
    return EncodeUtf8Document(document.toRawText(), ends, read.bom);
}

TEST(Utf8Document, FilesComeBackByteForByte)
{
    const struct
    {
        const char *what;
        QByteArray file;
        ReturnCode main;
        bool mixed;
    } cases[] = {
        {"LF", "<p>日本語</p>\n二行目\n", ReturnCode::Lf, false},
        {"CR LF", "一\r\n二\r\n", ReturnCode::CrLf, false},
        {"CR only", "一\r二\r三", ReturnCode::Cr, false},
        {"no line end", "ひとこと", ReturnCode::Lf, false},
        {"mixed", "a\r\nb\nc\rd\r\n\r\né\n", ReturnCode::CrLf, true},
        {"mixed, CR then LF is two ends", "一\r\n二\r\r\n", ReturnCode::CrLf, true},
        {"the mark with CR LF", "\xEF\xBB\xBF一\r\n", ReturnCode::CrLf, false},
        {"the mark alone", "\xEF\xBB\xBF", ReturnCode::Lf, false},
        {"a second mark is text", "\xEF\xBB\xBF\xEF\xBB\xBFx", ReturnCode::Lf, false},
        {"emoji", "😀 and 👍🏽\n", ReturnCode::Lf, false},
        {"U+2028 stays a character",
         "a\xE2\x80\xA8"
         "b\n",
         ReturnCode::Lf, false},
        {"U+2029 and U+FDD0 are no line breaks",
         "a\xE2\x80\xA9"
         "b\xEF\xB7\x90"
         "c\xEF\xB7\x91\n",
         ReturnCode::Lf, false},
        {"the mark before Shift_JIS bytes",
         "\xEF\xBB\xBF"
         "a\x82\xA0\r\n",
         ReturnCode::CrLf, false},
        {"the mark before NUL, an overlong form and a surrogate",
         QByteArray("\xEF\xBB\xBF\0\xC0\x80\xED\xA0\x80\xE3\x81", 12), ReturnCode::Lf, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(ThroughTheEditor(c.file), c.file) << c.what;
        const Utf8Text read =
            DecodeUtf8Document(c.file, Iconv("UTF-8", "UTF-8", c.file.toStdString()).has_value());
        EXPECT_EQ(read.lineEnds.main, c.main) << c.what;
        EXPECT_EQ(read.lineEnds.mixed(), c.mixed) << c.what;
        EXPECT_FALSE(read.text.contains(u'\r')) << c.what;
    }
}

TEST(Utf8Document, ValidTextReadsAsIconvDecodesIt)
{
    const QByteArray file = "<html>\r\n<p>日本語ｶﾀｶﾅ①Ⅱ～∥－￢ é 😀</p>\r\n";
    const std::optional<std::string> utf16 = Iconv("UTF-8", "UTF-16LE", file.toStdString());
    ASSERT_TRUE(utf16.has_value());
    QString expected(reinterpret_cast<const QChar *>(utf16->data()), qsizetype(utf16->size() / 2));
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(DecodeUtf8Document(file, true).text, expected);
}

TEST(Utf8Document, LinesKeepTheirEndsWhereverTheyMove)
{
    const Utf8Text read = DecodeUtf8Document("one\r\ntwo\nthree\rfour", true);
    QTextDocument document;
    document.setPlainText(read.text);
    MarkLineEnds(document, read.lineEnds);
    // Lines added after "two" and at the end take the most common end.
    QTextCursor after(document.findBlockByNumber(1));
    after.movePosition(QTextCursor::EndOfBlock);
    after.insertText(QStringLiteral("\nnew"));
    QTextCursor end(&document);
    end.movePosition(QTextCursor::End);
    end.insertText(QStringLiteral("\nlast"));
    EXPECT_EQ(EncodeUtf8Document(document.toRawText(), MarkedLineEnds(document, read.lineEnds.main), false),
              "one\r\ntwo\nnew\r\nthree\rfour\r\nlast");
}

TEST(Utf8Document, PiecesEncodeAsTheWholeText)
{
    const QString text = QStringLiteral("ab\ncd😀\u2029ef\nghé");
    const LineEnds ends{ReturnCode::Lf, {ReturnCode::CrLf, ReturnCode::Cr, ReturnCode::Lf}};
    const QByteArray whole = EncodeUtf8Document(text, ends, false);
    EXPECT_EQ(whole, QByteArray("ab\r\ncd😀\ref\ngh\xC3\xA9"));
    for (qsizetype cut = 0; cut <= text.size(); ++cut) {
        if (cut > 0 && cut < text.size() && text[cut - 1].isHighSurrogate())
            continue; // pieces never split a pair
        Utf8Encoder encoder(ends);
        QByteArray out(Utf8Encoder::MaxBytes(text.size()), '\0');
        qsizetype size = encoder.EncodeTo(QStringView(text).first(cut), out.data());
        size += encoder.EncodeTo(QStringView(text).sliced(cut), out.data() + size);
        out.truncate(size);
        EXPECT_EQ(out, whole) << cut;
    }
}

// ASCII runs of every length around the eight-at-a-time step, broken by line breaks and wider
// characters at every offset, encode as Qt's own UTF-8 does.
TEST(Utf8Document, AsciiRunsOfEveryLengthAndOffset)
{
    const QString breakers[] = {QStringLiteral("\n"), QStringLiteral("é"), QStringLiteral("日"),
                                QStringLiteral("😀"), QStringLiteral("\u007f")};
    for (const QString &breaker : breakers) {
        for (int run = 0; run <= 20; ++run) {
            QString text;
            for (int offset = 0; offset < 10; ++offset)
                text += QString(run, QChar(u'a' + offset)) + breaker;
            // CR LF: a line break taken for ASCII would come out as a bare LF.
            const LineEnds ends{ReturnCode::CrLf, {}};
            EXPECT_EQ(EncodeUtf8Document(text, ends, false), text.toUtf8().replace("\n", "\r\n")) << run;
        }
    }
}

} // namespace
