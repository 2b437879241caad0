#include "cp932.h"
#include "text_codec.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

using Jconvert::ReturnCode;

QString Kept(std::initializer_list<unsigned char> bytes)
{
    QString kept;
    for (const unsigned char b : bytes)
        kept += QChar(char16_t(Cp932::EscapeBase + b));
    return kept;
}

bool HoldsKeptBytes(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (Cp932::IsKeptByte(text, i))
            return true;
    }
    return false;
}

EncodedText Encoded(DocumentCode code, QStringView text, const LineEnds &ends)
{
    const std::unique_ptr<TextEncoder> encoder = EncoderFor(code, ends);
    QByteArray bytes(text.size() * TextEncoder::MaxBytesPerUnit + TextEncoder::MaxFinishBytes, '\0');
    const EncodedPiece piece = encoder->encode(text, bytes.data());
    bytes.truncate(piece.bytes + encoder->finish(bytes.data() + piece.bytes));
    return {bytes, piece.firstUnencodable};
}

// Errors as the Encoding Standard's decoders find them, each byte they take
// kept; the places where this differs from the standard (a line end always
// breaks the line) or from ICU (which Node's TextDecoder is) are marked.
TEST(TextDecoders, ReadWhatBrowsersReadAndKeepTheRest)
{
    const struct
    {
        const char *what;
        DocumentCode code;
        QByteArray bytes;
        QString text;
        bool exact;
    } rows[] = {
        {"EUC-JP kanji, kana and JIS X 0212", DocumentCode::Euc, "\xC6\xFC\x8E\xB1T\x8F\xAB\xD7k",
         QStringLiteral("日ｱTōk"), true},
        {"EUC-JP's Windows forms", DocumentCode::Euc, "\xA1\xC1\xA1\xC2\xA1\xDD", QStringLiteral("～∥－"),
         true},
        {"a JIS X 0212 form of a JIS X 0208 character", DocumentCode::Euc, "\x8F\xA2\xB7",
         QStringLiteral("～"), false},
        {"NEC's row 13 form of ≒", DocumentCode::Euc, "\xAD\xF0", QStringLiteral("≒"), false},
        {"a lead takes a non-ASCII byte with it (ICU: U+00A2)", DocumentCode::Euc, "\x8E\xE0\xA1\xA1",
         Kept({0x8E, 0xE0}) + u'\u3000', true},
        {"but not an ASCII one, nor a line end", DocumentCode::Euc,
         "\xA4"
         "a\xA4\n",
         Kept({0xA4}) + u'a' + Kept({0xA4}) + u'\n', true},
        {"an unassigned JIS X 0212 cell, and row 83 (ICU: Roman numerals)", DocumentCode::Euc,
         "\x8F\xA1\xA1\x8F\xF3\xA1", Kept({0x8F, 0xA1, 0xA1, 0x8F, 0xF3, 0xA1}), true},
        {"0x80 and NUL (ICU: U+0080)", DocumentCode::Euc, QByteArray("\x80\0", 2), Kept({0x80, 0x00}), true},
        {"a lead cut off", DocumentCode::Euc, "a\x8F\xA2", u'a' + Kept({0x8F, 0xA2}), true},
        {"JIS: each set, Roman's yen and overline", DocumentCode::Jis, "a\x1B$B$\"\x1B(I1\x1B(J\\~\x1B(B\\",
         QStringLiteral("aあｱ¥‾\\"), false},
        {"the old two-byte escape", DocumentCode::Jis, "\x1B$@4A", QStringLiteral("漢"), false},
        {"a set goes on after a line end (browsers: an error in place of it)", DocumentCode::Jis,
         "\x1B$B4A\n4A", QStringLiteral("漢\n漢"), false},
        {"a lead alone before a line end", DocumentCode::Jis, "\x1B$B4\r\nx",
         Kept({'4'}) + u'\n' + Kept({'x'}), false},
        {"two escapes in a row", DocumentCode::Jis, "\x1B$B\x1B(Ba", Kept({0x1B, '(', 'B'}) + u'a', false},
        {"an escape that names no set", DocumentCode::Jis, "\x1B(Za", Kept({0x1B}) + QStringLiteral("(Za"),
         false},
        {"8-bit bytes, shift-out", DocumentCode::Jis, "\xA4\x0E", Kept({0xA4, 0x0E}), true},
        {"Shift_JIS lead before ASCII (ICU takes the A)", DocumentCode::Sjis,
         "\x82"
         "A",
         Kept({0x82}) + u'A', true},
        {"Shift_JIS duplicate form", DocumentCode::Sjis, "\xED\x40", QStringLiteral("纊"), false},
        {"UTF-16LE, line ends, a pair", DocumentCode::Utf16Le, QByteArray("a\0\r\0\n\0=\xD8\0\xDE", 10),
         QStringLiteral("a\n😀"), true},
        {"UTF-16BE: NUL, a lone surrogate, U+2029, an odd byte", DocumentCode::Utf16Be,
         QByteArray("\0\0\xDC\x41\x20\x29\0a\0", 9), Kept({0, 0, 0xDC, 0x41, 0x20, 0x29}) + u'a' + Kept({0}),
         true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        const DecodedText decoded = DecoderFor(row.code)->decode(row.bytes);
        EXPECT_EQ(decoded.text, row.text);
        EXPECT_EQ(decoded.exact, row.exact);
        // Kept bytes and every form go back as they came when the text is
        // exact; otherwise the characters at least read the same again (a
        // kept byte of JIS means what the shift state around it makes it).
        const EncodedText encoded = Encoded(row.code, decoded.text, decoded.lineEnds);
        EXPECT_EQ(encoded.firstUnencodable, -1);
        const QByteArray &again = encoded.bytes;
        if (row.exact) {
            EXPECT_EQ(again.toHex(' '), row.bytes.toHex(' '));
        } else if (!HoldsKeptBytes(row.text)) {
            EXPECT_EQ(DecoderFor(row.code)->decode(again).text, row.text);
        }
    }
}

TEST(TextEncoders, WriteTheFormsBrowsersAndIconvRead)
{
    const struct
    {
        const char *what;
        DocumentCode code;
        QString text;
        QByteArray bytes;
        qsizetype unencodable;
    } rows[] = {
        {"JIS goes back to ASCII before a line end and at the end", DocumentCode::Jis,
         QStringLiteral("漢\n字"), "\x1B$B4A\x1B(B\r\n\x1B$B;z\x1B(B", -1},
        {"JIS Roman for yen, katakana for half-width kana", DocumentCode::Jis, QStringLiteral("¥a\\ｱ"),
         "\x1B(J\\a\x1B(B\\\x1B(I1\x1B(B", -1},
        {"JIS has no JIS X 0212", DocumentCode::Jis, QStringLiteral("aō"), "a?", 1},
        {"EUC-JP writes JIS X 0208's form first", DocumentCode::Euc, QStringLiteral("～ō纊"),
         "\xA1\xC1\x8F\xAB\xD7\xF9\xA1", -1},
        {"a pair EUC-JP lacks is one '?'", DocumentCode::Euc, QStringLiteral("a😀b"), "a?b", 1},
        {"Shift_JIS lacks JIS X 0212", DocumentCode::Sjis, QStringLiteral("Tōkyō"), "T?ky?", 1},
        {"UTF-16BE", DocumentCode::Utf16Be, QStringLiteral("a\n😀"), QByteArray("\0a\0\r\0\n\xD8=\xDE\0", 10),
         -1},
    };
    const LineEnds crLf{ReturnCode::CrLf, {}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        const EncodedText encoded = Encoded(row.code, row.text, crLf);
        EXPECT_EQ(encoded.bytes.toHex(' '), row.bytes.toHex(' '));
        EXPECT_EQ(encoded.firstUnencodable, row.unencodable);
    }
}

// Node's TextDecoder (ICU) on this machine, one line of text for each line
// of `bytes`; nothing when Node is not there.
std::optional<QStringList> NodeDecode(const char *label, const QByteArray &bytes)
{
    if (QStandardPaths::findExecutable(QStringLiteral("node")).isEmpty())
        return std::nullopt;
    QProcess node;
    node.start(
        QStringLiteral("node"),
        {QStringLiteral("-e"),
         QStringLiteral("const c=[];process.stdin.on('data',d=>c.push(d)).on('end',()=>process.stdout.write("
                        "Buffer.from(new TextDecoder(process.argv[1]).decode(Buffer.concat(c)),'utf16le')))"),
         QString::fromLatin1(label)});
    node.write(bytes);
    node.closeWriteChannel();
    if (!node.waitForFinished(60000) || node.exitCode() != 0)
        return std::nullopt;
    const QByteArray out = node.readAllStandardOutput();
    return QString(reinterpret_cast<const QChar *>(out.constData()), out.size() / 2).split(u'\n');
}

// Every two- and three-byte sequence that may be a character, on a line of
// its own: where Node reads a character ours is the same, where it finds an
// error ours keeps bytes; every character read is written in a form that
// reads as it again. ICU also reads 21 IBM characters after JIS X 0212's
// last row, which the Encoding Standard (and so browsers) leave out.
TEST(TextDecoders, AgreeWithNodesTextDecoder)
{
    const auto bytesOf = [](std::initializer_list<int> bytes) {
        QByteArray out;
        for (const int b : bytes)
            out += char(b);
        return out;
    };
    QList<QByteArray> euc, sjis, jis;
    for (int a = 0; a < 94; ++a) {
        for (int b = 0; b < 94; ++b) {
            euc << bytesOf({0xA1 + a, 0xA1 + b}) << bytesOf({0x8F, 0xA1 + a, 0xA1 + b});
            jis << "\x1B$B" + bytesOf({0x21 + a, 0x21 + b}) + "\x1B(B";
        }
    }
    for (int k = 0xA1; k <= 0xDF; ++k)
        euc << bytesOf({0x8E, k});
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC && (lead < 0xA0 || lead >= 0xE0); ++trail)
            sjis << bytesOf({lead, trail});
    }
    const struct
    {
        const char *label;
        DocumentCode code;
        QList<QByteArray> sequences;
    } codes[] = {
        {"euc-jp", DocumentCode::Euc, euc},
        {"shift_jis", DocumentCode::Sjis, sjis},
        {"iso-2022-jp", DocumentCode::Jis, jis},
    };
    for (const auto &code : codes) {
        SCOPED_TRACE(code.label);
        const QByteArray bytes = code.sequences.join('\n');
        const std::optional<QStringList> node = NodeDecode(code.label, bytes);
        if (!node)
            GTEST_SKIP() << "no node here";
        const QStringList ours = DecoderFor(code.code)->decode(bytes).text.split(u'\n');
        ASSERT_EQ(ours.size(), code.sequences.size());
        ASSERT_EQ(node->size(), ours.size());
        int differ = 0, ibmRow = 0, characters = 0;
        for (qsizetype i = 0; i < ours.size(); ++i) {
            const QString &theirs = node->at(i);
            const bool error = theirs.contains(QChar::ReplacementCharacter);
            const bool kept = !ours[i].isEmpty() && Cp932::IsKeptByte(ours[i], 0);
            const bool beyondIndex =
                code.sequences[i].startsWith('\x8F') && quint8(code.sequences[i][1]) >= 0xF3;
            if (!error && kept && beyondIndex) {
                ++ibmRow;
            } else if (error ? !kept : ours[i] != theirs) {
                if (++differ <= 5)
                    ADD_FAILURE() << code.sequences[i].toHex(' ').constData();
            } else if (!error) {
                ++characters;
                const QByteArray written = Encoded(code.code, ours[i], {}).bytes;
                EXPECT_EQ(DecoderFor(code.code)->decode(written).text, ours[i])
                    << code.sequences[i].toHex(' ').constData();
            }
        }
        EXPECT_EQ(differ, 0);
        EXPECT_EQ(ibmRow, code.code == DocumentCode::Euc ? 21 : 0);
        EXPECT_GT(characters, 6000);
    }
}

TEST(DocumentFormats, NamesForTheStatusBarAndHtml)
{
    const struct
    {
        DocumentFormat format;
        bool mixed;
        const char *name;
        const char *charset;
    } rows[] = {
        {{DocumentCode::Sjis, ReturnCode::CrLf, false}, false, "SJIS CRLF", "Shift_JIS"},
        {{DocumentCode::Euc, ReturnCode::Lf, false}, false, "EUC LF", "EUC-JP"},
        {{DocumentCode::Jis, ReturnCode::CrLf, false}, true, "JIS 混在", "ISO-2022-JP"},
        {{DocumentCode::Utf8, ReturnCode::CrLf, true}, false, "UTF-8 BOM CRLF", "UTF-8"},
        {{DocumentCode::Utf16Le, ReturnCode::CrLf, true}, false, "UTF-16LE CRLF", "UTF-16LE"},
        {{DocumentCode::Utf16Be, ReturnCode::Lf, true}, false, "UTF-16BE LF", "UTF-16BE"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(FormatName(row.format, row.mixed), QString::fromUtf8(row.name));
        EXPECT_EQ(CharsetName(row.format.code), QString::fromUtf8(row.charset));
    }
}

} // namespace
