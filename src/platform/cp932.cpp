#include "cp932.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <iconv.h>
#include <memory>

namespace Cp932 {
namespace {

constexpr std::uint16_t NoEncoding = 0xFFFF;

constexpr bool IsLeadByte(unsigned b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Built once from glibc's CP932, whose encoder picks one form of each
// duplicated character (NEC and IBM extensions); that form is ours too.
struct Tables
{
    std::array<char16_t, 256> single{};     // 0: no character
    std::array<char16_t, 65536> pair{};     // index lead << 8 | trail
    std::array<std::uint16_t, 65536> enc{}; // byte, or lead << 8 | trail; NoEncoding: none
    // What Encode writes for a code unit: first byte, second byte and length
    // (bits 16 up); 0 when the code page lacks it.
    std::array<std::uint32_t, 65536> packed{};
    // Every code unit below 0x80 but '\n' encodes to its own byte.
    bool asciiIsItself = false;

    Tables()
    {
        enc.fill(NoEncoding);
        enc[0] = 0;
        // Kept bytes encode to the byte they stand for.
        for (unsigned b = 0; b < 0x100; ++b)
            enc[EscapeBase + b] = static_cast<std::uint16_t>(b);
        iconv_t toUtf16 = iconv_open("UTF-16LE", "CP932");
        iconv_t fromUtf16 = iconv_open("CP932", "UTF-16LE");
        if (toUtf16 == iconv_t(-1) || fromUtf16 == iconv_t(-1))
            qFatal("CP932 conversion is not available");
        for (unsigned b = 1; b < 0x100; ++b) {
            const unsigned char in[1] = {static_cast<unsigned char>(b)};
            single[b] = DecodeOne(toUtf16, in, 1);
        }
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLeadByte(lead))
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F)
                    continue;
                const unsigned char in[2] = {static_cast<unsigned char>(lead),
                                             static_cast<unsigned char>(trail)};
                pair[lead << 8 | trail] = DecodeOne(toUtf16, in, 2);
            }
        }
        for (unsigned b = 1; b < 0x100; ++b)
            AddEncoding(fromUtf16, single[b]);
        for (char16_t u : pair)
            AddEncoding(fromUtf16, u);
        iconv_close(toUtf16);
        iconv_close(fromUtf16);
        for (std::size_t u = 0; u < enc.size(); ++u) {
            const std::uint16_t e = enc[u];
            if (e == NoEncoding)
                continue;
            packed[u] = e < 0x100 ? (e | 1u << 16) : ((e >> 8) | (e & 0xFFu) << 8 | 2u << 16);
        }
        packed[u'\n'] = packed[0x2028] = packed[0x2029] = '\r' | '\n' << 8 | 2u << 16;
        asciiIsItself = true;
        for (unsigned u = 0; u < 0x80; ++u)
            asciiIsItself = asciiIsItself && (u == '\n' || packed[u] == (u | 1u << 16));
    }

    static char16_t DecodeOne(iconv_t cd, const unsigned char *bytes, std::size_t size)
    {
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        char *in = const_cast<char *>(reinterpret_cast<const char *>(bytes));
        std::size_t inLeft = size;
        unsigned char out[8];
        char *outPtr = reinterpret_cast<char *>(out);
        std::size_t outLeft = sizeof out;
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == std::size_t(-1) || inLeft != 0 || outLeft != 6)
            return 0;
        return static_cast<char16_t>(out[0] | out[1] << 8);
    }

    void AddEncoding(iconv_t cd, char16_t u)
    {
        if (u == 0 || enc[u] != NoEncoding)
            return;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        unsigned char in[2] = {static_cast<unsigned char>(u & 0xFF), static_cast<unsigned char>(u >> 8)};
        char *inPtr = reinterpret_cast<char *>(in);
        std::size_t inLeft = 2;
        unsigned char out[4];
        char *outPtr = reinterpret_cast<char *>(out);
        std::size_t outLeft = sizeof out;
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == std::size_t(-1))
            return;
        const std::size_t written = sizeof out - outLeft;
        if (written == 1)
            enc[u] = out[0];
        else if (written == 2)
            enc[u] = static_cast<std::uint16_t>(out[0] << 8 | out[1]);
    }
};

const Tables &Table()
{
    static const std::unique_ptr<Tables> tables = std::make_unique<Tables>();
    return *tables;
}

} // namespace

QString Decode(QByteArrayView bytes, DecodeInfo *info)
{
    DecodeInfo seen;
    const Tables &t = Table();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    char16_t *const start = out;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const auto *const end = p + bytes.size();
    while (p < end) {
        const unsigned b = *p;
        if (b >= 0x20 && b < 0x80) {
            *out++ = static_cast<char16_t>(b);
            ++p;
        } else if (b == '\r') {
            *out++ = u'\n';
            const bool crLf = p + 1 < end && p[1] == '\n';
            seen.crLfOnly = seen.crLfOnly && crLf;
            p += crLf ? 2 : 1;
        } else if (b == 0) {
            *out++ = EscapeBase;
            ++p;
        } else if (IsLeadByte(b) && p + 1 < end && t.pair[b << 8 | p[1]] != 0) {
            const char16_t u = t.pair[b << 8 | p[1]];
            seen.canonical = seen.canonical && t.enc[u] == (b << 8 | p[1]);
            *out++ = u;
            p += 2;
        } else {
            seen.crLfOnly = seen.crLfOnly && b != '\n';
            *out++ = t.single[b] != 0 ? t.single[b] : static_cast<char16_t>(EscapeBase + b);
            ++p;
        }
    }
    text.truncate(out - start);
    if (info != nullptr)
        *info = seen;
    return text;
}

namespace {

#if defined(__GNUC__)
typedef std::uint16_t Units __attribute__((vector_size(16)));
typedef std::uint8_t Bytes __attribute__((vector_size(8)));

// Eight code units that are all ASCII but '\n' go out as eight bytes at once:
// HTML and most line content are long runs of them.
bool EncodeEightAscii(const char16_t *p, char *out)
{
    Units v;
    std::memcpy(&v, p, sizeof v);
    const Units other = (v >= 0x80) | (v == Units{} + u'\n');
    std::uint64_t half[2];
    std::memcpy(half, &other, sizeof half);
    if ((half[0] | half[1]) != 0)
        return false;
    const Bytes bytes = __builtin_convertvector(v, Bytes);
    std::memcpy(out, &bytes, sizeof bytes);
    return true;
}
#else
bool EncodeEightAscii(const char16_t *, char *)
{
    return false;
}
#endif

} // namespace

qsizetype EncodeTo(QStringView text, char *out, qsizetype *firstUnencodable)
{
    const Tables &t = Table();
    const std::uint32_t *const packed = t.packed.data();
    char *const start = out;
    const char16_t *const begin = text.utf16();
    const char16_t *const end = begin + text.size();
    bool seenUnencodable = false;
    for (const char16_t *p = begin; p < end;) {
        if (*p < 0x80 && t.asciiIsItself && end - p >= 8 && EncodeEightAscii(p, out)) {
            p += 8;
            out += 8;
            continue;
        }
        const std::uint32_t e = packed[*p];
        if (e != 0) [[likely]] {
            out[0] = static_cast<char>(e);
            out[1] = static_cast<char>(e >> 8);
            out += e >> 16;
            ++p;
            continue;
        }
        if (firstUnencodable != nullptr && !seenUnencodable)
            *firstUnencodable = p - begin;
        seenUnencodable = true;
        *out++ = '?';
        if (QChar::isHighSurrogate(*p) && p + 1 < end && QChar::isLowSurrogate(p[1]))
            ++p;
        ++p;
    }
    return out - start;
}

QByteArray Encode(QStringView text, qsizetype *firstUnencodable)
{
    if (firstUnencodable != nullptr)
        *firstUnencodable = -1;
    // Every code unit takes at most two bytes, and two are always stored.
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    bytes.truncate(EncodeTo(text, bytes.data(), firstUnencodable));
    return bytes;
}

qsizetype PieceEnd(QStringView text, qsizetype from, qsizetype units)
{
    qsizetype to = std::min(text.size(), from + units);
    // Ends before the pair, or after it when the pair starts the piece.
    if (to < text.size() && text[to - 1].isHighSurrogate() && text[to].isLowSurrogate())
        to += to - 1 > from ? -1 : 1;
    return to;
}

char16_t DecodePair(unsigned char lead, unsigned char trail)
{
    return IsLeadByte(lead) ? Table().pair[lead << 8 | trail] : char16_t(0);
}

int EncodedLength(QChar c)
{
    return static_cast<int>(Table().packed[c.unicode()] >> 16);
}

Unencodable DescribeCharacterAt(QStringView text, qsizetype index)
{
    qsizetype line = 1;
    for (qsizetype i = 0; i < index; ++i) {
        if (text[i] == u'\n' || text[i] == QChar::LineSeparator || text[i] == QChar::ParagraphSeparator)
            ++line;
    }
    const bool pair =
        text[index].isHighSurrogate() && index + 1 < text.size() && text[index + 1].isLowSurrogate();
    return {text.mid(index, pair ? 2 : 1).toString(), line};
}

std::optional<Unencodable> FirstUnencodable(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool lineBreak = c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
        if (!lineBreak && EncodedLength(c) == 0)
            return DescribeCharacterAt(text, i);
    }
    return std::nullopt;
}

} // namespace Cp932
