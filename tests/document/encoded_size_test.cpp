#include "encoded_size.h"

#include <QString>
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace {

using Jconvert::ReturnCode;

TEST(EncodedSize, CharacterBytesInEachCode)
{
    const struct
    {
        const char *character;
        DocumentCode code;
        ReturnCode lineEnd;
        const char *hex; // "" when the code lacks it
    } cases[] = {
        {"あ", DocumentCode::Sjis, ReturnCode::CrLf, "82a0"},
        {"あ", DocumentCode::Euc, ReturnCode::CrLf, "a4a2"},
        {"あ", DocumentCode::Jis, ReturnCode::CrLf, "2422"}, // without the shifts
        {"あ", DocumentCode::Utf8, ReturnCode::CrLf, "e38182"},
        {"あ", DocumentCode::Utf16Le, ReturnCode::CrLf, "4230"},
        {"あ", DocumentCode::Utf16Be, ReturnCode::CrLf, "3042"},
        {"ｱ", DocumentCode::Euc, ReturnCode::CrLf, "8eb1"},
        {"丂", DocumentCode::Euc, ReturnCode::CrLf, "8fb0a1"}, // JIS X 0212
        {"丂", DocumentCode::Sjis, ReturnCode::CrLf, ""},
        {"😀", DocumentCode::Sjis, ReturnCode::CrLf, ""},
        {"😀", DocumentCode::Utf16Be, ReturnCode::CrLf, "d83dde00"},
        {"\n", DocumentCode::Sjis, ReturnCode::CrLf, "0d0a"},
        {"\n", DocumentCode::Jis, ReturnCode::Cr, "0d"},
        {"\n", DocumentCode::Utf16Le, ReturnCode::CrLf, "0d000a00"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CharacterBytes(QString::fromUtf8(c.character), c.code, c.lineEnd).toHex(),
                  QByteArray(c.hex))
            << c.character << " " << int(c.code);
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

TEST(EncodedSize, AgreesWithIconvAcrossPieces)
{
    // Longer than one encoding piece; lines ending in kanji and in ASCII.
    QString text;
    while (text.size() < 300'000)
        text += QStringLiteral("日本語の文章です\nASCII line\n漢字ｶﾅ");
    const QByteArray lf = text.toUtf8();
    const QByteArray crlf = QString(text).replace(u'\n', QStringLiteral("\r\n")).toUtf8();
    const struct
    {
        DocumentCode code;
        const char *iconvName;
    } cases[] = {{DocumentCode::Sjis, "CP932"},
                 {DocumentCode::Euc, "EUC-JP"},
                 {DocumentCode::Utf8, "UTF-8"},
                 {DocumentCode::Utf16Le, "UTF-16LE"}};
    for (const auto &c : cases) {
        EXPECT_EQ(EncodedSize(text, c.code, ReturnCode::Lf), qsizetype(Iconv(c.iconvName, lf).size()))
            << c.iconvName;
        EXPECT_EQ(EncodedSize(text, c.code, ReturnCode::CrLf), qsizetype(Iconv(c.iconvName, crlf).size()))
            << c.iconvName;
    }
    // A character the code lacks is the one '?' written for it; a kept byte itself.
    EXPECT_EQ(EncodedSize(QStringLiteral("a😀\n"), DocumentCode::Sjis, ReturnCode::CrLf), 4);
    EXPECT_EQ(EncodedSize(QString(QChar(0xDC81)), DocumentCode::Utf8, ReturnCode::Lf), 1);
    EXPECT_EQ(EncodedSize(QString(), DocumentCode::Jis, ReturnCode::Lf), 0);
}

} // namespace
