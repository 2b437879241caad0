#include "caret_character.h"
#include "code_bytes.h"
#include "cp932.h"
#include "printers.h"
#include "text_counts.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace {

using namespace TextTools;
using CharCode = TextTools::ByteCode;
using Jconvert::ReturnCode;

TEST(TextCounts, CharactersAsTheReaderSeesThem)
{
    const struct
    {
        const char *text;
        qsizetype characters, visible, lines;
    } cases[] = {
        {"", 0, 0, 0},
        {"か\u3099ｶﾞe\u0301", 3, 3, 1},                  // combining marks, half-width voiced mark
        {"😀👨‍👩‍👧🇯🇵𠮷", 4, 4, 1}, // pairs, a ZWJ sequence, a flag
        {"a b\n　c\t\n", 8, 3, 2},                       // a last line break starts no line
        {"\n\n", 2, 0, 2},
        {"x\n\ny", 4, 2, 3},
    };
    for (const auto &c : cases) {
        const TextCounts counts = *CountText(QString::fromUtf8(c.text), CharCode::Sjis, ReturnCode::CrLf);
        EXPECT_EQ(counts.characters, c.characters) << c.text;
        EXPECT_EQ(counts.visible, c.visible) << c.text;
        EXPECT_EQ(counts.lines, c.lines) << c.text;
    }
    EXPECT_EQ(CountText(QStringLiteral("ab\n\nｶﾞ字\n"), CharCode::Sjis, ReturnCode::Lf)->lineLengths,
              QList<qsizetype>({2, 0, 2}));
}

TEST(TextCounts, BytesInTheDocumentsCodeAndLineEnd)
{
    const QString text = QStringLiteral("あ\nｱ😀");
    const struct
    {
        CharCode code;
        ReturnCode lineEnd;
        qsizetype bytes;
    } cases[] = {
        {CharCode::Sjis, ReturnCode::CrLf, 2 + 2 + 1 + 1}, // the emoji is written as '?'
        {CharCode::Sjis, ReturnCode::Lf, 2 + 1 + 1 + 1},   {CharCode::Euc, ReturnCode::Cr, 2 + 1 + 2 + 1},
        {CharCode::Utf8, ReturnCode::CrLf, 3 + 2 + 3 + 4}, {CharCode::Utf8, ReturnCode::Lf, 3 + 1 + 3 + 4},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CountText(text, c.code, c.lineEnd)->bytes, c.bytes) << int(c.code) << int(c.lineEnd);
    EXPECT_EQ(EncodedSize(QString(QChar(0xDC81)) + u'a', CharCode::Utf8, ReturnCode::Lf), 2); // a kept byte
}

// glibc's converters, for the bytes of a text as another program writes them.
std::string Iconv(const char *to, const QByteArray &utf8)
{
    iconv_t cd = iconv_open(to, "UTF-8");
    std::string out(std::size_t(utf8.size()) * 4 + 16, '\0');
    char *in = const_cast<char *>(utf8.constData());
    std::size_t inLeft = std::size_t(utf8.size());
    char *o = out.data();
    std::size_t outLeft = out.size();
    iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv(cd, nullptr, nullptr, &o, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return inLeft == 0 ? out : std::string();
}

TEST(TextCounts, BytesAgreeWithIconvAcrossPieces)
{
    // Longer than one encoding piece, lines ending in kanji and in ASCII.
    QString text;
    while (text.size() < 3'000'000)
        text += QStringLiteral("日本語の文章です\nASCII line\n漢字");
    const QByteArray lf = text.toUtf8();
    const QByteArray crlf = QString(text).replace(u'\n', QStringLiteral("\r\n")).toUtf8();
    const struct
    {
        CharCode code;
        const char *iconvName;
    } cases[] = {{CharCode::Sjis, "CP932"}, {CharCode::Euc, "EUC-JP"}, {CharCode::Utf8, "UTF-8"}};
    for (const auto &c : cases) {
        EXPECT_EQ(EncodedSize(text, c.code, ReturnCode::Lf), qsizetype(Iconv(c.iconvName, lf).size()))
            << c.iconvName;
        EXPECT_EQ(EncodedSize(text, c.code, ReturnCode::CrLf), qsizetype(Iconv(c.iconvName, crlf).size()))
            << c.iconvName;
    }
    // JIS shifts back to ASCII before each line end, as the whole-text converter writes it.
    const QByteArray sjis = Cp932::Encode(text);
    EXPECT_EQ(EncodedSize(text, CharCode::Jis, ReturnCode::CrLf),
              qsizetype(Jconvert::StrictConvertJCode({sjis.constData(), std::size_t(sjis.size())},
                                                     Jconvert::JC_SJIS, Jconvert::JC_JIS_NEW)
                            .size()));
}

TEST(TextCounts, ManuscriptPages)
{
    const struct
    {
        QList<qsizetype> lines;
        int columns, rows;
        qsizetype pages;
    } cases[] = {
        {{}, 20, 20, 0},
        {{0}, 20, 20, 1},
        {{400}, 20, 20, 1},
        {{401}, 20, 20, 2},
        {QList<qsizetype>(20, 1), 20, 20, 1}, // twenty short lines: twenty rows
        {QList<qsizetype>(21, 1), 20, 20, 2},
        {{0, 20, 21, 45}, 20, 3, 3}, // 1 + 1 + 2 + 3 rows
        {{10}, 0, 20, 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ManuscriptPages(c.lines, c.columns, c.rows), c.pages) << c.lines.size() << " " << c.columns;
}

TEST(CaretCharacter, CodeBytesAndName)
{
    const struct
    {
        const char *text;
        qsizetype index;
        CharCode code;
        ReturnCode lineEnd;
        const char *shown;
        const char *name;
    } cases[] = {
        {"あ", 0, CharCode::Sjis, ReturnCode::CrLf, "U+3042 82A0", "HIRAGANA LETTER A"},
        {"あ", 0, CharCode::Euc, ReturnCode::CrLf, "U+3042 A4A2", "HIRAGANA LETTER A"},
        {"あ", 0, CharCode::Jis, ReturnCode::CrLf, "U+3042 2422", "HIRAGANA LETTER A"},
        {"あ", 0, CharCode::Utf8, ReturnCode::Lf, "U+3042 E38182", "HIRAGANA LETTER A"},
        {"xｱ", 1, CharCode::Sjis, ReturnCode::CrLf, "U+FF71 B1", "HALFWIDTH KATAKANA LETTER A"},
        {"ｱ", 0, CharCode::Euc, ReturnCode::CrLf, "U+FF71 8EB1", "HALFWIDTH KATAKANA LETTER A"},
        {"①", 0, CharCode::Sjis, ReturnCode::CrLf, "U+2460 8740", "CIRCLED DIGIT ONE"},
        {"漢", 0, CharCode::Sjis, ReturnCode::CrLf, "U+6F22 8ABF", "CJK UNIFIED IDEOGRAPH-6F22"},
        {"😀", 0, CharCode::Sjis, ReturnCode::CrLf, "U+1F600 ―", "GRINNING FACE"},
        {"😀", 0, CharCode::Utf8, ReturnCode::CrLf, "U+1F600 F09F9880", "GRINNING FACE"},
        {"a\n", 1, CharCode::Sjis, ReturnCode::CrLf, "U+000A 0D0A", ""},
        {"a\n", 1, CharCode::Utf8, ReturnCode::Lf, "U+000A 0A", ""},
        {"a\n", 1, CharCode::Utf16Le, ReturnCode::CrLf, "U+000A 0D000A00", ""},
        {"😀", 0, CharCode::Utf16Be, ReturnCode::CrLf, "U+1F600 D83DDE00", "GRINNING FACE"},
        {"あ", 0, CharCode::Utf16Le, ReturnCode::CrLf, "U+3042 4230", "HIRAGANA LETTER A"},
        {"\t", 0, CharCode::Sjis, ReturnCode::CrLf, "U+0009 09", ""},
        {"a", 1, CharCode::Sjis, ReturnCode::CrLf, "", ""},
    };
    for (const auto &c : cases) {
        const CaretCharacter shown = DescribeCharacter(QString::fromUtf8(c.text), c.index, c.code, c.lineEnd);
        EXPECT_EQ(shown.code, QString::fromUtf8(c.shown)) << c.text << int(c.code);
        EXPECT_EQ(shown.name, QString::fromUtf8(c.name)) << c.text;
    }
    EXPECT_EQ(DescribeCharacter(QString(QChar(0xDC81)), 0, CharCode::Sjis, ReturnCode::CrLf).code,
              QStringLiteral("バイト 81"));
}

} // namespace
