#include "literal_lines.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace FolderSearch {

namespace detail {

namespace {

bool IsBreak(char b)
{
    return b == '\r' || b == '\n';
}

// The line breaks in `bytes`: CR LF, CR and LF one each. One branchless pass,
// which the compiler vectorises.
qsizetype Breaks(QByteArrayView bytes)
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

qsizetype FindLiteral(QByteArrayView bytes, const TextTools::LineLiteral &literal, qsizetype from)
{
    const std::string_view hay(bytes.data() + from, std::size_t(bytes.size() - from));
    const std::string_view needle(literal.ascii.constData(), std::size_t(literal.ascii.size()));
    if (!literal.foldCase) {
        // glibc's memmem is much quicker than a search for the first byte and a compare.
        const void *at = memmem(hay.data(), hay.size(), needle.data(), needle.size());
        return at == nullptr ? -1 : qsizetype(static_cast<const char *>(at) - bytes.data());
    }
    // Horspool's search with both cases of a letter in the shift table.
    const qsizetype m = literal.ascii.size();
    if (m == 0 || bytes.size() - from < m)
        return m == 0 ? from : -1;
    std::array<qsizetype, 256> shift;
    shift.fill(m);
    const auto *n = reinterpret_cast<const unsigned char *>(literal.ascii.constData());
    for (qsizetype k = 0; k + 1 < m; ++k) {
        shift[detail::Lower(n[k])] = m - 1 - k;
        shift[detail::Upper(n[k])] = m - 1 - k;
    }
    const auto *h = reinterpret_cast<const unsigned char *>(bytes.data());
    for (qsizetype at = from; at + m <= bytes.size(); at += shift[h[at + m - 1]]) {
        qsizetype k = m - 1;
        while (k >= 0 && detail::Lower(h[at + k]) == detail::Lower(n[k]))
            --k;
        if (k < 0)
            return at;
    }
    return -1;
}

TextMatches MatchLiteralLines(QByteArrayView bytes, const TextDecoder &decoder,
                              const TextTools::SearchPattern &pattern, qsizetype maxRows)
{
    TextMatches result;
    const TextTools::LineLiteral &literal = *pattern.lineLiteral();
    qsizetype line = 0, counted = 0; // the line breaks before `counted`
    for (qsizetype from = 0, hit; (hit = FindLiteral(bytes, literal, from)) >= 0;) {
        qsizetype start = hit;
        while (start > from && !detail::IsBreak(bytes[start - 1]))
            --start;
        qsizetype end = hit + literal.ascii.size();
        while (end < bytes.size() && !detail::IsBreak(bytes[end]))
            ++end;
        line += detail::Breaks(bytes.sliced(counted, start - counted));
        counted = start;
        const DecodedText text = decoder.decode(bytes.sliced(start, end - start));
        TextMatches found =
            MatchLines(text.text, pattern, std::max<qsizetype>(0, maxRows - result.matches.size()));
        for (LineMatch &row : found.matches)
            row.line += line;
        result.matches.append(std::move(found.matches));
        result.count += found.count;
        from = end;
    }
    return result;
}

} // namespace FolderSearch
