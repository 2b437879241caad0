#include "cp932.h"
#include "editor_units.h"

#include <gtest/gtest.h>
#include <random>

namespace {

QByteArray Bytes(std::initializer_list<unsigned char> list)
{
    QByteArray out;
    for (unsigned char b : list)
        out.append(static_cast<char>(b));
    return out;
}

TEST(Cp932Decode, JapaneseAndHalfWidthKatakana)
{
    // "日本語" + half-width "ｱ" + ASCII
    const QByteArray sjis = Bytes({0x93, 0xFA, 0x96, 0x7B, 0x8C, 0xEA, 0xB1, 'a'});
    EXPECT_EQ(Cp932::Decode(sjis), QStringLiteral("日本語ｱa"));
    EXPECT_EQ(Cp932::Encode(QStringLiteral("日本語ｱa")), sjis);
}

TEST(Cp932Decode, LineEndsOfEveryKindBecomeOneBreak)
{
    EXPECT_EQ(Cp932::Decode("a\r\nb\rc\nd\r"), QStringLiteral("a\nb\nc\nd\n"));
    EXPECT_EQ(Cp932::Decode("\r\r\n\n"), QStringLiteral("\n\n\n"));
    EXPECT_EQ(Cp932::Encode(u"a\nb"), QByteArray("a\r\nb"));
    EXPECT_EQ(Cp932::Encode(u"a\u2029b"), QByteArray("a\r\nb"));
}

TEST(Cp932Decode, ReportsDuplicateFormsAndLineEnds)
{
    Cp932::DecodeInfo info;
    Cp932::Decode(Bytes({0x88, 0x9F, '\r', '\n', 0xFA, 0x5C}), &info);
    EXPECT_TRUE(info.canonical);
    EXPECT_TRUE(info.crLfOnly);
    Cp932::Decode(Bytes({0xED, 0x40, '\r', '\n'}), &info);
    EXPECT_FALSE(info.canonical);
    EXPECT_TRUE(info.crLfOnly);
    Cp932::Decode("a\nb\r\n", &info);
    EXPECT_FALSE(info.crLfOnly);
    Cp932::Decode("a\rb", &info);
    EXPECT_FALSE(info.crLfOnly);
}

TEST(Cp932Decode, InvalidBytesRoundTrip)
{
    // 0x80, 0xA0, 0xFD-0xFF, a lead byte before an invalid trail, a lead byte
    // at the end, an unassigned pair, and NUL bytes.
    const QByteArray bad =
        Bytes({0x80, 'x', 0xA0, 0xFD, 0xFE, 0xFF, 0x81, 0x20, 0x00, 'y', 0x00, 0x85, 0x40, 0x82});
    const QString text = Cp932::Decode(bad);
    EXPECT_EQ(Cp932::Encode(text), bad);
    EXPECT_TRUE(Cp932::IsKeptByte(text, 0));
    EXPECT_EQ(text[1], u'x');
    EXPECT_FALSE(text.contains(QChar(0))) << "NUL must not reach the editor";
    EXPECT_FALSE(Cp932::FirstUnencodable(text).has_value());
}

TEST(Cp932Decode, EveryByteAndPairRoundTripsOrIsADuplicateCharacter)
{
    for (int b = 0; b < 256; ++b) {
        if (b == '\r' || b == '\n')
            continue;
        const QByteArray single(1, static_cast<char>(b));
        EXPECT_EQ(Cp932::Encode(Cp932::Decode(single)), single) << b;
    }
    // Pairs that code page 932 holds twice (NEC and IBM extensions) come back
    // in the form Windows writes; they are the same character.
    int duplicates = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            const QByteArray pair =
                Bytes({static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)});
            const QString decoded = Cp932::Decode(pair);
            const QByteArray encoded = Cp932::Encode(decoded);
            if (encoded == pair)
                continue;
            ++duplicates;
            EXPECT_EQ(decoded.size(), 1) << pair.toHex().constData();
            EXPECT_EQ(Cp932::Decode(encoded), decoded) << pair.toHex().constData();
        }
    }
    EXPECT_EQ(duplicates, 398);
    // Canonical pairs map one to one; every character decodes to one code unit.
    const QByteArray kanji = Bytes({0x88, 0x9F, 0xEA, 0xA4, 0xFA, 0x5C, 0x87, 0x54, 0xF0, 0x40});
    const QString decoded = Cp932::Decode(kanji);
    EXPECT_EQ(decoded.size(), 5);
    EXPECT_EQ(Cp932::Encode(decoded), kanji);
    EXPECT_FALSE(Cp932::IsKeptByte(decoded, 4))
        << "user-defined area decodes to private use, not to a kept byte";
}

// Only bytes that came from a file come back raw: characters a user can type
// or paste are written as themselves or asked about.
TEST(Cp932Encode, OnlyKeptBytesComeBackRaw)
{
    struct Case
    {
        QString text;
        QByteArray bytes;
        bool lossless;
    };
    const Case cases[] = {
        {QString(QChar(0xDC81)), QByteArray("\x81", 1), true},                     // kept byte
        {QStringLiteral("a") + QChar(0xDC00) + u'b', QByteArray("a\0b", 3), true}, // kept NUL
        {QString(QChar(0xF70A)), "?", false},                                      // icon-font private use
        {QString(QChar(0xF73C)), "?", false},
        {QString(QChar(0xDD41)), "?", false},                 // lone low surrogate out of range
        {QStringLiteral("\U0001F600"), "?", false},           // a character beyond the BMP
        {QString(QChar(0xD83D)) + QChar(0xDC81), "?", false}, // a pair ending in the kept range
        {QStringLiteral("a") + QChar(QChar::LineSeparator) + u'b', "a\r\nb", true},
    };
    for (const Case &c : cases) {
        qsizetype unencodable = -2;
        EXPECT_EQ(Cp932::Encode(c.text, &unencodable), c.bytes) << c.text.toStdU16String().size();
        EXPECT_EQ(unencodable < 0, c.lossless) << c.bytes.toHex().constData();
        EXPECT_EQ(!Cp932::FirstUnencodable(c.text).has_value(), c.lossless) << c.bytes.toHex().constData();
    }
}

TEST(Cp932Encode, UnencodableCharactersAreFoundWithTheirLine)
{
    const QString text = QStringLiteral("一行目\n二行目\n三行目 é 😀");
    const auto found = Cp932::FirstUnencodable(text);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->character, QStringLiteral("é"));
    EXPECT_EQ(found->line, 3);
    const auto emoji = Cp932::FirstUnencodable(QStringLiteral("a\n\nb😀"));
    ASSERT_TRUE(emoji.has_value());
    EXPECT_EQ(emoji->character, QStringLiteral("😀"));
    EXPECT_EQ(emoji->line, 3);
    EXPECT_EQ(Cp932::Encode(QStringLiteral("é😀x")), QByteArray("??x")) << "one ? per character";
    EXPECT_FALSE(Cp932::FirstUnencodable(QStringLiteral("～∥－￢")).has_value())
        << "Windows forms of the wave dash";
}

TEST(EditorUnits, WidthsFollowTheCodePage)
{
    EXPECT_EQ(EditorUnits::Length(u"abc"), 3);
    EXPECT_EQ(EditorUnits::Length(QStringLiteral("ｱｲｳ")), 3);
    EXPECT_EQ(EditorUnits::Length(QStringLiteral("日本")), 4);
    EXPECT_EQ(EditorUnits::Length(u"a\nb"), 4);
    EXPECT_EQ(EditorUnits::Length(QStringLiteral("é")), 2);
    EXPECT_EQ(EditorUnits::Length(QStringLiteral("😀")), 2);
    EXPECT_EQ(EditorUnits::Length(QStringLiteral("ō¦丂")), 6) << "JIS X 0212, which code page 932 lacks";
    const QByteArray escaped("\x80\xFF", 2);
    EXPECT_EQ(EditorUnits::Length(Cp932::Decode(escaped)), 2);
    // The length in units is the length of the encoded bytes.
    const QString mixed = QStringLiteral("漢字ｶﾅ abc\n\n全角　空白");
    EXPECT_EQ(EditorUnits::Length(mixed), Cp932::Encode(mixed).size());
}

TEST(EditorUnits, IndexAtMapsUnitsBackToCharacters)
{
    const QString text = QStringLiteral("a日b\nc");
    EXPECT_EQ(EditorUnits::IndexAt(text, 0), 0);
    EXPECT_EQ(EditorUnits::IndexAt(text, 1), 1);
    EXPECT_EQ(EditorUnits::IndexAt(text, 2), 2) << "inside a double-byte character moves past it";
    EXPECT_EQ(EditorUnits::IndexAt(text, 3), 2);
    EXPECT_EQ(EditorUnits::IndexAt(text, 6), 4);
    EXPECT_EQ(EditorUnits::IndexAt(text, 7), 5);
    EXPECT_EQ(EditorUnits::IndexAt(text, 100), text.size());
}

// Texts mixing ASCII runs (line breaks and controls at every place inside
// an eight-unit block), kana, kanji, escapes, characters the code page lacks,
// surrogate pairs and lone surrogate halves.
QString MixedText(std::mt19937 &rng, qsizetype units)
{
    static const char16_t pool[] = {u'a',   u'Z',   u'<',   u'\\',  u'~',   u'\t',  u'\r',
                                    u'\n',  0x7F,   0,      0x3042, 0x6F22, 0xFF71, 0x2460,
                                    0xF780, 0xF7FF, 0x2029, 0xE9,   0x20AC, 0xD800, 0xDC00};
    QString text;
    while (text.size() < units) {
        const unsigned pick = rng() % 10;
        if (pick < 5) {
            // An ASCII run, now and then broken by one other unit.
            const int run = int(rng() % 24);
            for (int i = 0; i < run; ++i)
                text += QChar(char16_t(0x20 + rng() % 0x5F));
            if (rng() % 2)
                text += QChar(pool[rng() % std::size(pool)]);
        } else if (pick < 9) {
            text += QChar(pool[rng() % std::size(pool)]);
        } else {
            text += QStringLiteral("😀");
        }
    }
    return text;
}

// One code unit (or surrogate pair) at a time: too short for any block step.
QByteArray EncodeEachCharacter(QStringView text, qsizetype *first)
{
    QByteArray bytes;
    *first = -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        qsizetype here = -1;
        bytes += Cp932::Encode(text.sliced(i, length), &here);
        if (here >= 0 && *first < 0)
            *first = i;
        i += length - 1;
    }
    return bytes;
}

TEST(Cp932Encode, BlocksOfAsciiEncodeAsSingleCharactersDo)
{
    std::mt19937 rng(932);
    for (int round = 0; round < 400; ++round) {
        const QString text = MixedText(rng, 1 + rng() % 300);
        qsizetype expectedFirst = -1;
        const QByteArray expected = EncodeEachCharacter(text, &expectedFirst);
        qsizetype first = -1;
        ASSERT_EQ(Cp932::Encode(text, &first), expected) << round;
        EXPECT_EQ(first, expectedFirst) << round;
    }
    // A line break or a non-ASCII unit at each place of an eight-unit block.
    for (char16_t other : {u'\n', char16_t(0x80), char16_t(0x3042)}) {
        for (int at = 0; at < 16; ++at) {
            QString text(16, u'x');
            text[at] = QChar(other);
            qsizetype first = -1;
            EXPECT_EQ(Cp932::Encode(text), EncodeEachCharacter(text, &first)) << at;
        }
    }
}

TEST(Cp932Encode, PiecesNeverSplitASurrogatePair)
{
    std::mt19937 rng(2029);
    for (int round = 0; round < 200; ++round) {
        const QString text = MixedText(rng, 50 + rng() % 400);
        QByteArray joined;
        qsizetype first = -1;
        for (qsizetype from = 0; from < text.size();) {
            const qsizetype to = Cp932::PieceEnd(text, from, 1 + rng() % 16);
            ASSERT_GT(to, from);
            ASSERT_FALSE(to < text.size() && text[to - 1].isHighSurrogate() && text[to].isLowSurrogate());
            QByteArray piece(2 * (to - from), Qt::Uninitialized);
            qsizetype here = -1;
            piece.truncate(Cp932::EncodeTo(QStringView(text).sliced(from, to - from), piece.data(), &here));
            if (here >= 0 && first < 0)
                first = from + here;
            joined += piece;
            from = to;
        }
        qsizetype wholeFirst = -1;
        ASSERT_EQ(joined, Cp932::Encode(text, &wholeFirst)) << round;
        EXPECT_EQ(first, wholeFirst) << round;
    }
    EXPECT_EQ(Cp932::PieceEnd(QStringLiteral("😀"), 0, 1), 2) << "a pair longer than the piece is kept whole";
    EXPECT_EQ(Cp932::PieceEnd(QStringLiteral("ab😀"), 0, 3), 2);
}

} // namespace
