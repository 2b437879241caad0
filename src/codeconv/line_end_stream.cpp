// Line ends of every kind rewritten to one: unlike ConvertReturnCode, which
// rewrites only the kind of the first line end, for a text of mixed ends.
#include "fast_tables.h"
#include "jconvert.h"
#include "jconvert_stream.h"
#include "line_end_kinds.h"

namespace Jconvert {

using namespace detail;

namespace {

// The first CR or LF at or after p, or end.
const char *FindLineEnd(const char *p, const char *end)
{
    for (; end - p >= 8; p += 8) {
        const std::uint64_t w = Load64(reinterpret_cast<const unsigned char *>(p));
        const std::uint64_t hits = BytesEqual(w, '\r') | BytesEqual(w, '\n');
        if (hits != 0)
            return p + std::countr_zero(HighBitMask(hits));
    }
    while (p < end && *p != '\r' && *p != '\n')
        ++p;
    return p;
}

} // namespace

ReturnCodeStream::ReturnCodeStream(int target) : to_(LineEndSequence(target)) {}

std::size_t ReturnCodeStream::Convert(const char *input, std::size_t n, char *output)
{
    const char *p = input;
    const char *const end = input + n;
    char *o = output;
    if (to_.empty()) {
        std::memcpy(o, p, n);
        return n;
    }
    if (p < end && afterCR_) {
        p += *p == '\n'; // the LF of a CR LF whose CR ended the previous piece
        afterCR_ = false;
    }
    while (p < end) {
        const char *const q = FindLineEnd(p, end);
        std::memcpy(o, p, q - p);
        o += q - p;
        if (q == end)
            break;
        std::memcpy(o, to_.data(), to_.size());
        o += to_.size();
        p = q + 1;
        if (*q == '\r') {
            if (p == end)
                afterCR_ = true;
            else
                p += *p == '\n';
        }
    }
    return static_cast<std::size_t>(o - output);
}

std::string NormalizeReturnCode(std::string_view text, int target)
{
    ReturnCodeStream stream(target);
    return InPieces(
        text, 2, text.size(), [&](const unsigned char *&p, const unsigned char *stop, unsigned char *o) {
            const std::size_t written =
                stream.Convert(reinterpret_cast<const char *>(p), stop - p, reinterpret_cast<char *>(o));
            p = stop;
            return o + written;
        });
}

} // namespace Jconvert
