#include "line_ends.h"

#include <cstring>

using Jconvert::ReturnCode;

void SettleLineEnds(LineEnds &ends, const qsizetype (&counts)[3], ReturnCode none)
{
    std::size_t most = 0;
    for (std::size_t k = 1; k < 3; ++k) {
        if (counts[k] > counts[most])
            most = k;
    }
    const qsizetype total = counts[0] + counts[1] + counts[2];
    ends.main = total == 0 ? none : ReturnCode(most);
    if (counts[most] == total)
        ends.each = {}; // frees what a large file's lines took
}

LineEnds ScanLineEnds(QByteArrayView bytes, ReturnCode none)
{
    LineEnds ends;
    qsizetype counts[3] = {};
    const char *const begin = bytes.data();
    const char *const end = begin + bytes.size();
    // The next CR and LF at or after p, each searched again only once passed:
    // a file without CRs is then scanned for them once, not once a line.
    const auto next = [end](const char *from, char byte) {
        const void *at = std::memchr(from, byte, std::size_t(end - from));
        return at == nullptr ? end : static_cast<const char *>(at);
    };
    const char *cr = next(begin, '\r');
    const char *lf = next(begin, '\n');
    for (const char *p = begin; p < end;) {
        if (cr < p)
            cr = next(p, '\r');
        if (lf < p)
            lf = next(p, '\n');
        const char *at = std::min(cr, lf);
        if (at == end)
            break;
        ReturnCode kind = ReturnCode::Lf;
        if (*at == '\r')
            kind = at + 1 < end && at[1] == '\n' ? ReturnCode::CrLf : ReturnCode::Cr;
        ends.each.push_back(kind);
        ++counts[std::size_t(kind)];
        p = at + (kind == ReturnCode::CrLf ? 2 : 1);
    }
    SettleLineEnds(ends, counts, none);
    return ends;
}

qsizetype ApplyLineEnds(char *data, qsizetype size, const LineEnds &ends, std::size_t *breaks)
{
    // CR LF everywhere: nothing to rewrite, and no later break needs the count.
    if (ends.allAre(ReturnCode::CrLf))
        return size;
    char *out = data;
    const char *p = data;
    const char *const end = data + size;
    while (p < end) {
        const char *cr = static_cast<const char *>(std::memchr(p, '\r', std::size_t(end - p)));
        if (cr == nullptr || cr + 1 >= end || cr[1] != '\n') {
            const char *to = cr == nullptr ? end : cr + 1;
            std::memmove(out, p, std::size_t(to - p));
            out += to - p;
            p = to;
            continue;
        }
        std::memmove(out, p, std::size_t(cr - p));
        out += cr - p;
        const std::string_view lineEnd = Jconvert::LineEndBytes(ends.at((*breaks)++));
        std::memcpy(out, lineEnd.data(), lineEnd.size());
        out += lineEnd.size();
        p = cr + 2;
    }
    return out - data;
}

LineEnds TakeLineEnds(QString &text, ReturnCode none)
{
    LineEnds ends;
    if (!text.contains(u'\r')) {
        ends.main = text.contains(u'\n') ? ReturnCode::Lf : none;
        return ends;
    }
    char16_t *d = reinterpret_cast<char16_t *>(text.data());
    const qsizetype n = text.size();
    qsizetype counts[3] = {};
    qsizetype w = 0;
    for (qsizetype r = 0; r < n; ++r) {
        const char16_t c = d[r];
        if (c != u'\r' && c != u'\n') {
            d[w++] = c;
            continue;
        }
        ReturnCode kind = ReturnCode::Lf;
        if (c == u'\r') {
            const bool crLf = r + 1 < n && d[r + 1] == u'\n';
            kind = crLf ? ReturnCode::CrLf : ReturnCode::Cr;
            r += crLf ? 1 : 0;
        }
        d[w++] = u'\n';
        ends.each.push_back(kind);
        ++counts[std::size_t(kind)];
    }
    text.truncate(w);
    SettleLineEnds(ends, counts, none);
    return ends;
}
