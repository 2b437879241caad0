#include "utf8_convert.h"

#include "cli.h"
#include "jconvert.h"

#include <cerrno>
#include <cstdio>
#include <iconv.h>

namespace qumoconv {

using namespace Jconvert;

namespace {

struct IconvResult
{
    std::string out;
    std::size_t failedAt = std::string::npos; // offset of the first byte not converted
};

IconvResult IconvWhole(const char *from, const char *to, std::string_view in)
{
    IconvResult result;
    const iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        throw Failure{2, std::string("no ") + from + " to " + to + " conversion on this system"};
    // A half-width kana byte becomes three UTF-8 bytes.
    result.out.resize(in.size() * 3 + 16);
    char *src = const_cast<char *>(in.data());
    std::size_t srcLeft = in.size();
    char *dst = result.out.data();
    std::size_t dstLeft = result.out.size();
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == std::size_t(-1) || srcLeft != 0)
        result.failedAt = in.size() - srcLeft;
    iconv_close(cd);
    result.out.resize(result.out.size() - dstLeft);
    return result;
}

} // namespace

std::string ConvertUtf8(std::string_view input, int from, int to, const std::string &name)
{
    if (from == to)
        return std::string(input);
    if (from == JC_UTF8) {
        const std::string_view body = input.starts_with(UTF8_BOM) ? input.substr(UTF8_BOM.size()) : input;
        IconvResult sjis = IconvWhole("UTF-8", "CP932", body);
        if (sjis.failedAt != std::string::npos) {
            const std::size_t at = sjis.failedAt + (input.size() - body.size());
            const std::size_t length = Utf8SequenceLength(input.substr(at));
            if (length == 0)
                throw Failure{1, name + ": not UTF-8: byte " + ByteName(input[at]) + " at offset " +
                                     std::to_string(at)};
            throw Failure{1, name + ": the character at offset " + std::to_string(at) +
                                 " has no Shift_JIS form; stopped"};
        }
        return StrictConvertJCode(sjis.out, JC_SJIS, to);
    }
    const std::string sjis = StrictConvertJCode(input, from, JC_SJIS);
    IconvResult utf8 = IconvWhole("CP932", "UTF-8", sjis);
    if (utf8.failedAt != std::string::npos) {
        const std::string where = from == JC_SJIS ? "" : " of the text converted to Shift_JIS";
        throw Failure{1, name + ": byte " + ByteName(sjis[utf8.failedAt]) + " at offset " +
                             std::to_string(utf8.failedAt) + where + " is not Shift_JIS"};
    }
    return std::move(utf8.out);
}

} // namespace qumoconv
