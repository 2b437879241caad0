#include "cp932.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace Cp932 {
namespace {

constexpr std::uint16_t NoEncoding = 0xFFFF;

constexpr bool IsLeadByte(unsigned b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// What `cd` makes of `item` alone; empty when it does not convert whole.
std::string ConvertOne(iconv_t cd, std::string_view item)
{
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char *in = const_cast<char *>(item.data());
    std::size_t inLeft = item.size();
    char out[16];
    char *outPtr = out;
    std::size_t outLeft = sizeof out;
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == std::size_t(-1) || inLeft != 0)
        return {};
    return std::string(out, outPtr);
}

// What `cd` makes of each of `items` (`itemSize` bytes each), as ConvertOne
// would, in one pass: tens of thousands of calls cost more than the rest of
// start-up. Each item is followed by a line feed (`feedIn`, `feedOut` once
// converted), which nothing but a line feed converts to, to tell the results
// apart.
std::vector<std::string> ConvertEach(iconv_t cd, std::string_view items, std::size_t itemSize,
                                     std::string_view feedIn, std::string_view feedOut)
{
    const std::size_t count = items.size() / itemSize;
    const std::size_t stride = itemSize + feedIn.size();
    std::string input(count * stride, '\0');
    for (std::size_t i = 0, to = 0; i < count; ++i) {
        for (std::size_t k = 0; k < itemSize; ++k)
            input[to++] = items[i * itemSize + k];
        for (const char c : feedIn)
            input[to++] = c;
    }
    std::string output(input.size() * 4 + 16, '\0');
    std::vector<bool> failed(count);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char *in = input.data();
    std::size_t inLeft = input.size();
    char *out = output.data();
    std::size_t outLeft = output.size();
    while (inLeft > 0 && iconv(cd, &in, &inLeft, &out, &outLeft) == std::size_t(-1) && errno != E2BIG) {
        // The item that stopped it gives nothing; what it gave so far is closed off.
        const std::size_t item = std::size_t(in - input.data()) / stride;
        failed[item] = true;
        if (outLeft < feedOut.size())
            break;
        out = std::copy(feedOut.begin(), feedOut.end(), out);
        outLeft -= feedOut.size();
        in = input.data() + (item + 1) * stride;
        inLeft = input.size() - (item + 1) * stride;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    std::vector<std::string> results;
    results.reserve(count);
    const std::string_view written(output.data(), std::size_t(out - output.data()));
    std::size_t from = 0;
    const auto feedAt = [&](std::size_t at) {
        for (std::size_t k = 0; k < feedOut.size(); ++k)
            if (written[at + k] != feedOut[k])
                return false;
        return true;
    };
    for (std::size_t at = 0; inLeft == 0 && at + feedOut.size() <= written.size(); at += feedOut.size()) {
        if (!feedAt(at))
            continue;
        results.emplace_back(failed[results.size()] ? std::string_view() : written.substr(from, at - from));
        from = at + feedOut.size();
        if (results.size() == count)
            break;
    }
    // Not told apart after all: one call each.
    if (results.size() != count || from != written.size()) {
        results.clear();
        for (std::size_t i = 0; i < count; ++i)
            results.push_back(ConvertOne(cd, items.substr(i * itemSize, itemSize)));
    }
    return results;
}

// The line feed that follows each item handed to ConvertEach, in CP932 and in UTF-16LE.
constexpr std::string_view LfCp932("\n", 1);
constexpr std::string_view LfUtf16("\n\0", 2);

iconv_t OpenConverter(const char *to, const char *from)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        qFatal("CP932 conversion is not available");
    return cd;
}

// The one UTF-16 code unit a decoding gave; 0 for anything else.
char16_t Unit(const std::string &utf16)
{
    return utf16.size() == 2 ? static_cast<char16_t>(std::uint8_t(utf16[0]) | std::uint8_t(utf16[1]) << 8)
                             : char16_t(0);
}

// Reading, built once from glibc's CP932. Reading alone (palette sets, a
// document's first look) does not wait for the encoder's tables.
struct DecodeTables
{
    std::array<char16_t, 256> single{}; // 0: no character
    std::array<char16_t, 65536> pair{}; // index lead << 8 | trail

    DecodeTables()
    {
        iconv_t toUtf16 = OpenConverter("UTF-16LE", "CP932");
        for (unsigned b = 1; b < 0x100; ++b) {
            const char in[1] = {static_cast<char>(b)};
            single[b] = Unit(ConvertOne(toUtf16, std::string_view(in, 1)));
        }
        std::string pairs;
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            for (unsigned trail = 0x40; IsLeadByte(lead) && trail <= 0xFC; ++trail) {
                if (trail != 0x7F)
                    pairs.append({static_cast<char>(lead), static_cast<char>(trail)});
            }
        }
        const std::vector<std::string> decoded = ConvertEach(toUtf16, pairs, 2, LfCp932, LfUtf16);
        for (std::size_t i = 0; i < decoded.size(); ++i)
            pair[std::uint8_t(pairs[2 * i]) << 8 | std::uint8_t(pairs[2 * i + 1])] = Unit(decoded[i]);
        iconv_close(toUtf16);
    }
};

const DecodeTables &Decoding()
{
    static const std::unique_ptr<DecodeTables> tables = std::make_unique<DecodeTables>();
    return *tables;
}

// Writing, built once from glibc's CP932 encoder, which picks one form of
// each duplicated character (NEC and IBM extensions); that form is ours too.
struct EncodeTables
{
    std::array<std::uint16_t, 65536> enc{}; // byte, or lead << 8 | trail; NoEncoding: none
    // What Encode writes for a code unit: first byte, second byte and length
    // (bits 16 up); 0 when the code page lacks it.
    std::array<std::uint32_t, 65536> packed{};
    // Every code unit below 0x80 but '\n' encodes to its own byte.
    bool asciiIsItself = false;

    explicit EncodeTables(const DecodeTables &decoding)
    {
        enc.fill(NoEncoding);
        enc[0] = 0;
        // Kept bytes encode to the byte they stand for.
        for (unsigned b = 0; b < 0x100; ++b)
            enc[EscapeBase + b] = static_cast<std::uint16_t>(b);
        // Each character read once; a line feed, which would be taken for the end of one, on its own.
        std::string units;
        std::vector<bool> listed(65536);
        const auto list = [&](char16_t u) {
            if (u == 0 || listed[u])
                return;
            listed[u] = true;
            if (u != u'\n')
                units.append({static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)});
        };
        for (char16_t u : decoding.single)
            list(u);
        for (char16_t u : decoding.pair)
            list(u);
        iconv_t fromUtf16 = OpenConverter("CP932", "UTF-16LE");
        const std::vector<std::string> encoded = ConvertEach(fromUtf16, units, 2, LfUtf16, LfCp932);
        for (std::size_t i = 0; i < encoded.size(); ++i)
            AddEncoding(std::uint8_t(units[2 * i]) | std::uint8_t(units[2 * i + 1]) << 8, encoded[i]);
        if (listed[u'\n'])
            AddEncoding(u'\n', ConvertOne(fromUtf16, LfUtf16));
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

    void AddEncoding(char16_t u, const std::string &bytes)
    {
        if (bytes.size() == 1)
            enc[u] = std::uint8_t(bytes[0]);
        else if (bytes.size() == 2)
            enc[u] = static_cast<std::uint16_t>(std::uint8_t(bytes[0]) << 8 | std::uint8_t(bytes[1]));
    }
};

const EncodeTables &Encoding()
{
    static const std::unique_ptr<EncodeTables> tables = std::make_unique<EncodeTables>(Decoding());
    return *tables;
}

// Whether each pair was in the form the encoder writes is asked only with
// the other facts; reading without it needs no encoder.
template <bool CheckForms> QString DecodeWith(QByteArrayView bytes, DecodeInfo &seen)
{
    const DecodeTables &t = Decoding();
    const std::uint16_t *const enc = CheckForms ? Encoding().enc.data() : nullptr;
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
            if constexpr (CheckForms)
                seen.canonical = seen.canonical && enc[u] == (b << 8 | p[1]);
            *out++ = u;
            p += 2;
        } else {
            seen.crLfOnly = seen.crLfOnly && b != '\n';
            *out++ = t.single[b] != 0 ? t.single[b] : static_cast<char16_t>(EscapeBase + b);
            ++p;
        }
    }
    text.truncate(out - start);
    return text;
}

} // namespace

QString Decode(QByteArrayView bytes, DecodeInfo *info)
{
    DecodeInfo seen;
    QString text = info != nullptr ? DecodeWith<true>(bytes, seen) : DecodeWith<false>(bytes, seen);
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
    const EncodeTables &t = Encoding();
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
    return IsLeadByte(lead) ? Decoding().pair[lead << 8 | trail] : char16_t(0);
}

int EncodedLength(QChar c)
{
    return static_cast<int>(Encoding().packed[c.unicode()] >> 16);
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
