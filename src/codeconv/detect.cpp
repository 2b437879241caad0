// InCodeCheck as a scan that can stop at the end of a piece and go on with
// the next: a rule is applied only once all the bytes it reads are there,
// and the byte that may be the text's last waits, since that one never
// starts a rule.
#include "fast_tables.h"
#include "jconvert.h"
#include "jconvert_stream.h"

namespace Jconvert {

namespace {

// True when all eight bytes are in 0x08..0x7F and none is ESC: bytes on
// which the main scan sets nothing, so it may skip them as a block.
bool EightInert(const unsigned char *p)
{
    const std::uint64_t w = detail::Load64(p);
    return detail::AllAscii(w) && (detail::BytesBelow(w, 0x08) | detail::BytesEqual(w, 0x1B)) == 0;
}

bool IsBinaryByte(unsigned char c)
{
    return c < 0x08 || c == 0xFF;
}

bool Decisive(int r)
{
    return r != JC_ASCII && r != JC_EUC_OR_SJIS;
}

} // namespace

std::size_t CodeDetector::Scan(std::string_view piece, bool last)
{
    const unsigned char *p = detail::Bytes(piece);
    const std::size_t n = piece.size();
    seen_ = std::max(seen_, taken_ + n);

    // Binary pre-scan of the leading bytes; whether the last byte of the
    // text was among them is settled once the length is known.
    for (std::size_t at = taken_; at < std::min(STRICT_CHECK_LEN, taken_ + n); ++at) {
        if (at < firstBinary_ && IsBinaryByte(p[at - taken_])) {
            firstBinary_ = at;
            break;
        }
    }

    std::size_t i = 0;
    int r = result_;
    while (!Decisive(r)) {
        if (inRun_) {
            // A later Shift_JIS-only or EUC-only byte decides; the byte below 0x40 that ends the run is
            // skipped.
            while (i < n && p[i] >= 0x40 && r == JC_EUC_OR_SJIS) {
                const unsigned char b = p[i];
                if ((b >= 0x81 && b <= 0x8D) || (b >= 0x8F && b <= 0x9C))
                    r = JC_SJIS;
                else if (b == 0xFD || b == 0xFE)
                    r = JC_EUC;
                ++i;
            }
            if (r != JC_EUC_OR_SJIS)
                break;
            if (i == n) {
                inRun_ = !last;
                break;
            }
            inRun_ = false;
            ++i;
            continue;
        }
        if (i + 1 >= n)
            break;
        if (i + 8 <= n && EightInert(p + i)) {
            i += 8;
            continue;
        }
        const unsigned char c = p[i];
        const unsigned char c2 = p[i + 1];
        if (c == 0x1B) {
            if (c2 != '$') {
                i += 2;
                continue;
            }
            if (i + 2 >= n && !last)
                break; // the byte that says which escape it is has not come yet
            const unsigned char c3 = i + 2 < n ? p[i + 2] : 0;
            if (c3 == 'B')
                r = JC_JIS_NEW;
            else if (c3 == '@')
                r = JC_JIS_OLD;
            i += 3;
        } else if (IsBinaryByte(c)) {
            r = JC_BINARY;
        } else if (c <= 0x7F || c == 0x80 || c == 0xA0) {
            ++i;
        } else if ((c >= 0x81 && c <= 0x8D) || (c >= 0x8F && c <= 0x9F)) {
            r = JC_SJIS;
        } else if (c == 0x8E) {
            if ((c2 >= 0x40 && c2 <= 0x7E) || (c2 >= 0x80 && c2 <= 0xA0) || (c2 >= 0xE0 && c2 <= 0xFC))
                r = JC_SJIS;
            else if (c2 >= 0xA1 && c2 <= 0xDF)
                r = JC_EUC_OR_SJIS;
            i += 2;
        } else if (c >= 0xA1 && c <= 0xDF) {
            if (c2 >= 0xF0 && c2 <= 0xFE) {
                r = JC_EUC;
            } else if (c2 >= 0xA1 && c2 <= 0xDF) {
                r = JC_EUC_OR_SJIS;
            } else if (c2 >= 0xE0 && c2 <= 0xEF) {
                r = JC_EUC_OR_SJIS;
                inRun_ = true; // starting with c2 itself
                ++i;
                continue;
            } else if (c2 <= 0x9F) {
                r = JC_SJIS;
            }
            i += 2;
        } else if (c >= 0xF0 && c <= 0xFE) {
            r = JC_EUC;
        } else { // 0xE0..0xEF
            if ((c2 >= 0x40 && c2 <= 0x7E) || (c2 >= 0x80 && c2 <= 0xA0))
                r = JC_SJIS;
            else if (c2 == 0xFD || c2 == 0xFE)
                r = JC_EUC;
            else if (c2 >= 0xA1 && c2 <= 0xFC)
                r = JC_EUC_OR_SJIS;
            i += 2;
        }
    }
    result_ = r;
    const std::size_t took = std::min(i, n);
    taken_ += took;
    return took;
}

std::size_t CodeDetector::Feed(std::string_view piece)
{
    return Scan(piece, false);
}

int CodeDetector::Decided() const
{
    // A binary byte among the leading ones wins unless it is the text's last.
    if (firstBinary_ < STRICT_CHECK_LEN && seen_ > firstBinary_ + 1)
        return JC_BINARY;
    if (seen_ <= STRICT_CHECK_LEN)
        return -1;
    return Decisive(result_) ? result_ : -1;
}

int CodeDetector::Finish(std::string_view rest)
{
    const std::size_t length = taken_ + rest.size();
    Scan(rest, true);
    if (length == 0)
        return JC_ASCII;
    if (firstBinary_ < std::min(STRICT_CHECK_LEN, length - 1))
        return JC_BINARY;
    return result_;
}

int InCodeCheck(std::string_view text)
{
    return CodeDetector().Finish(text);
}

} // namespace Jconvert
