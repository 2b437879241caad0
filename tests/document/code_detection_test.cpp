#include "code_detection.h"

#include <gtest/gtest.h>

namespace {

TEST(CodeDetection, EachCodeIsFoundAsItIs)
{
    using C = DocumentCode;
    const struct
    {
        const char *what;
        QByteArray bytes;
        bool undecidedIsEuc;
        DocumentCode code;
        bool bom = false;
    } rows[] = {
        {"UTF-16LE with its mark",
         QByteArray("\xFF\xFE"
                    "a\0",
                    4),
         false, C::Utf16Le, true},
        {"UTF-16BE with its mark", QByteArray("\xFE\xFF\0a", 4), false, C::Utf16Be, true},
        {"UTF-16 without a mark is not guessed", QByteArray("a\0b\0\r\0\n\0", 8), true, C::Sjis},
        {"UTF-8", "日本語", false, C::Utf8},
        {"UTF-8's mark",
         "\xEF\xBB\xBF"
         "abc",
         false, C::Utf8, true},
        {"JIS", "abc\x1B$B4A\x1B(B", false, C::Jis},
        {"old JIS", "\x1B$@4A", false, C::Jis},
        {"EUC-JP that says so", "\xC6\xFC\xCB\xDC", false, C::Euc},
        {"EUC-JP or Shift_JIS, AutoDecode off", "\xA4\xA2\xA4\xA4", false, C::Sjis},
        {"EUC-JP or Shift_JIS, AutoDecode on", "\xA4\xA2\xA4\xA4", true, C::Euc},
        {"Shift_JIS", "\x93\xFA\x96\x7B", true, C::Sjis},
        // InCodeCheck takes 0x8F for Shift_JIS.
        {"EUC-JP whose only Japanese is JIS X 0212", "T\x8F\xAB\xD7kaid\x8F\xAB\xD7", false, C::Euc},
        {"Shift_JIS 0x8F with a kana after it", "\x8F\xAB\xD7\x82\xA0", false, C::Sjis},
        {"binary", QByteArray("\x01\x02\xFF\xFE", 4), true, C::Sjis},
        {"ASCII", "plain", true, C::Sjis},
    };
    for (const auto &row : rows) {
        const DetectedCode found = DetectCode(row.bytes, row.undecidedIsEuc);
        EXPECT_EQ(found.code, row.code) << row.what;
        EXPECT_EQ(found.bom, row.bom) << row.what;
    }
}

// A code named for reading: its own mark is skipped; for UTF-16 the mark,
// when there is one, says the byte order.
TEST(CodeDetection, ANamedCodeTakesItsMark)
{
    using C = DocumentCode;
    const struct
    {
        QByteArray bytes;
        DocumentCode named, code;
        bool bom;
    } rows[] = {
        {QByteArray("\xFE\xFF\0a", 4), C::Utf16Le, C::Utf16Be, true},
        {QByteArray("\0a", 2), C::Utf16Be, C::Utf16Be, false},
        {"\xEF\xBB\xBFx", C::Utf8, C::Utf8, true},
        {"\xEF\xBB\xBFx", C::Sjis, C::Sjis, false},
    };
    for (const auto &row : rows) {
        const DetectedCode read = ReadAs(row.bytes, row.named);
        EXPECT_EQ(read.code, row.code) << row.bytes.toHex().constData();
        EXPECT_EQ(read.bom, row.bom) << row.bytes.toHex().constData();
    }
}

} // namespace
