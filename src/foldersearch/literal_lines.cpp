#include "literal_lines.h"

#include "sole_encoding.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace FolderSearch {

namespace detail {

namespace {

bool IsBreak(char b)
{
    return b == '\r' || b == '\n';
}

// The line breaks in `bytes`: CR LF, CR and LF one each. One branchless pass,
// which the compiler vectorises.
#if defined(__GNUC__) && defined(__x86_64__) && defined(__ELF__)
// The vector loop is twice as wide where the processor has AVX2.
__attribute__((target_clones("avx2", "default")))
#endif
qsizetype
Breaks(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    if (size == 0)
        return 0;
    qsizetype breaks = p[0] == '\r' || p[0] == '\n';
    // A byte counter a block: wider ones would cost the vector loop its speed.
    for (qsizetype i = 1; i < size;) {
        const qsizetype end = std::min(size, i + 255);
        unsigned char block = 0;
        for (; i < end; ++i)
            block += (p[i] == '\r') | ((p[i] == '\n') & (p[i - 1] != '\r'));
        breaks += block;
    }
    return breaks;
}

#if defined(__GNUC__) && defined(__x86_64__) && defined(__ELF__)
// Where `needle` (two bytes or more) first stands in `hay`: thirty-two places a
// step are tested for its first and last byte at once, and only a place with
// both is compared whole. In Japanese text the pair is rare where a single
// byte is not (ASCII letters are also trail bytes of Shift_JIS).
__attribute__((target_clones("avx2", "default"))) qsizetype FindPair(std::string_view hay,
                                                                     std::string_view needle)
{
    typedef unsigned char Block __attribute__((vector_size(32)));
    const std::size_t m = needle.size();
    const auto *h = reinterpret_cast<const unsigned char *>(hay.data());
    const auto first = static_cast<unsigned char>(needle.front());
    const auto last = static_cast<unsigned char>(needle.back());
    std::size_t at = 0;
    for (; at + m - 1 + sizeof(Block) <= hay.size(); at += sizeof(Block)) {
        Block a, b;
        std::memcpy(&a, h + at, sizeof a);
        std::memcpy(&b, h + at + m - 1, sizeof b);
        const Block both = (a == first) & (b == last);
        std::uint64_t words[4];
        std::memcpy(words, &both, sizeof words);
        if ((words[0] | words[1] | words[2] | words[3]) == 0)
            continue;
        for (std::size_t k = 0; k < sizeof(Block); ++k) {
            if (both[k] != 0 && std::memcmp(h + at + k, needle.data(), m) == 0)
                return qsizetype(at + k);
        }
    }
    const std::size_t rest = hay.substr(at).find(needle);
    return rest == std::string_view::npos ? -1 : qsizetype(at + rest);
}
#endif

qsizetype FindExact(std::string_view hay, std::string_view needle)
{
#if defined(__GNUC__) && defined(__x86_64__) && defined(__ELF__)
    if (needle.size() >= 2)
        return FindPair(hay, needle);
#endif
    const std::size_t at = hay.find(needle);
    return at == std::string_view::npos ? -1 : qsizetype(at);
}

unsigned char Lower(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

unsigned char Upper(unsigned char c)
{
    return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c;
}

} // namespace

} // namespace detail

bool LinesDecodeAlone(DocumentCode code)
{
    // JIS carries its shift state over line ends; UTF-16's ASCII is two bytes.
    return code == DocumentCode::Sjis || code == DocumentCode::Euc || code == DocumentCode::Utf8;
}

std::optional<QByteArray> LiteralBytes(const TextTools::LineLiteral &literal, DocumentCode code)
{
    // ASCII is itself in each of these codes, and no other bytes read as it.
    const bool ascii =
        std::all_of(literal.text.begin(), literal.text.end(), [](QChar c) { return c.unicode() < 0x80; });
    return ascii ? std::optional(literal.text.toLatin1()) : SoleEncoding(literal.text, code);
}

LiteralFinder::LiteralFinder(QByteArrayView needle, bool foldCase)
    : needle_(needle.toByteArray()), foldCase_(foldCase)
{
    Q_ASSERT(!needle_.isEmpty());
    const qsizetype m = needle_.size();
    shift_.fill(m);
    const auto *n = reinterpret_cast<const unsigned char *>(needle_.constData());
    for (qsizetype k = 0; k + 1 < m; ++k) {
        shift_[detail::Lower(n[k])] = m - 1 - k;
        shift_[detail::Upper(n[k])] = m - 1 - k;
    }
}

qsizetype LiteralFinder::find(QByteArrayView bytes, qsizetype from) const
{
    const qsizetype m = needle_.size();
    if (m == 0 || bytes.size() - from < m)
        return -1;
    if (!foldCase_) {
        const qsizetype at = detail::FindExact({bytes.data() + from, std::size_t(bytes.size() - from)},
                                               {needle_.constData(), std::size_t(m)});
        return at < 0 ? -1 : from + at;
    }
    const auto *n = reinterpret_cast<const unsigned char *>(needle_.constData());
    const auto *h = reinterpret_cast<const unsigned char *>(bytes.data());
    for (qsizetype at = from; at + m <= bytes.size(); at += shift_[h[at + m - 1]]) {
        qsizetype k = m - 1;
        while (k >= 0 && detail::Lower(h[at + k]) == detail::Lower(n[k]))
            --k;
        if (k < 0)
            return at;
    }
    return -1;
}

TextMatches MatchLiteralLines(QByteArrayView bytes, const TextDecoder &decoder, const LiteralFinder &needle,
                              const TextTools::SearchPattern &pattern, qsizetype maxRows)
{
    // The lines that hold the literal, joined by LF, are decoded and matched
    // at once: a match takes no line break, and a line decodes alone.
    QByteArray held;
    std::vector<qsizetype> lineOf;   // the file's line of each held line
    qsizetype line = 0, counted = 0; // the line breaks before `counted`
    for (qsizetype from = 0, hit; (hit = needle.find(bytes, from)) >= 0;) {
        qsizetype start = hit;
        while (start > from && !detail::IsBreak(bytes[start - 1]))
            --start;
        qsizetype end = hit + needle.size();
        while (end < bytes.size() && !detail::IsBreak(bytes[end]))
            ++end;
        line += detail::Breaks(bytes.sliced(counted, start - counted));
        counted = start;
        if (!lineOf.empty())
            held.append('\n');
        held.append(bytes.sliced(start, end - start));
        lineOf.push_back(line);
        from = end;
    }
    if (lineOf.empty())
        return {};
    TextMatches result = MatchLines(decoder.decode(held).text, pattern, maxRows);
    for (LineMatch &row : result.matches)
        row.line = lineOf[std::size_t(row.line)];
    return result;
}

} // namespace FolderSearch
