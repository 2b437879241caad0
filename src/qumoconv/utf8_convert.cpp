#include "utf8_convert.h"

#include "cli.h"
#include "jconvert.h"

#include <algorithm>
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
    bool cut = false;                         // the input ends inside the character there
};

// The bytes of the character at the front of a text that iconv could not convert.
using CharacterLength = std::size_t (*)(std::string_view);

// `in` converted whole. Without `skip` it stops at the first character iconv cannot convert; with it, `geta`
// goes in that character's place and conversion goes on after it.
IconvResult IconvWhole(const char *from, const char *to, std::string_view in, CharacterLength skip,
                       std::string_view geta)
{
    IconvResult result;
    const iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        throw Failure{2, std::string("no ") + from + " to " + to + " conversion on this system"};
    // A half-width kana byte becomes three UTF-8 bytes.
    result.out.resize(in.size() * 3 + 16);
    char *src = const_cast<char *>(in.data());
    std::size_t srcLeft = in.size();
    std::size_t done = 0; // output bytes written
    while (srcLeft > 0) {
        char *dst = result.out.data() + done;
        std::size_t dstLeft = result.out.size() - done;
        const std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        const int error = errno;
        done = result.out.size() - dstLeft;
        if (rc != std::size_t(-1))
            break;
        if (error == E2BIG) {
            result.out.resize(result.out.size() * 2);
            continue;
        }
        const std::size_t at = in.size() - srcLeft;
        if (skip == nullptr) {
            result.failedAt = at;
            result.cut = error == EINVAL;
            break;
        }
        result.out.resize(std::max(result.out.size(), done + geta.size() + srcLeft * 3 + 16));
        result.out.replace(done, geta.size(), geta);
        done += geta.size();
        const std::size_t length = std::min(srcLeft, std::max<std::size_t>(1, skip(in.substr(at))));
        src += length;
        srcLeft -= length;
    }
    iconv_close(cd);
    result.out.resize(done);
    return result;
}

constexpr std::string_view GetaUtf8 = "\u3013";
constexpr std::string_view GetaSjis = "\x81\xAC";

// The offset in UTF-8 text of the character at sjisAt in its Shift_JIS form, character for character.
std::size_t Utf8Offset(std::string_view utf8, std::string_view sjis, std::size_t sjisAt)
{
    std::size_t u = 0;
    for (std::size_t s = 0; s < sjisAt && u < utf8.size(); s += SjisCharacterLength(sjis.substr(s)))
        u += std::max<std::size_t>(1, Utf8SequenceLength(utf8.substr(u)));
    return u;
}

} // namespace

std::string ConvertUtf8(std::string_view input, int from, int to, const std::string &name, bool replace)
{
    if (from == to)
        return std::string(input);
    if (from == JC_UTF8) {
        const std::string_view body = input.starts_with(UTF8_BOM) ? input.substr(UTF8_BOM.size()) : input;
        const std::size_t bom = input.size() - body.size();
        const IconvResult sjis =
            IconvWhole("UTF-8", "CP932", body, replace ? Utf8SequenceLength : nullptr, GetaSjis);
        if (sjis.failedAt != std::string::npos) {
            const std::size_t at = sjis.failedAt + bom;
            const bool valid = Utf8SequenceLength(input.substr(at)) != 0;
            const DecodeError why = valid ? DecodeError::Unmappable : DecodeError::BadCharacter;
            throw CodeRefusal(name, {why, at}, static_cast<unsigned char>(input[at]), JC_UTF8, JC_SJIS);
        }
        std::string out;
        const DecodeResult fault = StrictConvertJCodeChecked(sjis.out, JC_SJIS, to, out);
        if (fault.error != DecodeError::None && !replace) {
            const std::size_t at = bom + Utf8Offset(body, sjis.out, fault.offset);
            throw CodeRefusal(name, {fault.error, at}, static_cast<unsigned char>(input[at]), JC_UTF8, to);
        }
        return out;
    }
    std::string sjis;
    const DecodeResult fault = StrictConvertJCodeChecked(input, from, JC_SJIS, sjis);
    if (fault.error != DecodeError::None && !replace)
        throw CodeRefusal(name, fault, static_cast<unsigned char>(input[fault.offset]), from, JC_SJIS);
    IconvResult utf8 = IconvWhole("CP932", "UTF-8", sjis, replace ? SjisCharacterLength : nullptr, GetaUtf8);
    if (utf8.failedAt != std::string::npos) {
        const unsigned char byte = static_cast<unsigned char>(sjis[utf8.failedAt]);
        if (from == JC_SJIS)
            throw CodeRefusal(name,
                              {utf8.cut ? DecodeError::CutShort : DecodeError::BadCharacter, utf8.failedAt},
                              byte, JC_SJIS, JC_UTF8);
        throw Failure{1, name + ": byte " + ByteName(byte) + " at offset " + std::to_string(utf8.failedAt) +
                             " of the text converted to Shift_JIS is not Shift_JIS"};
    }
    return std::move(utf8.out);
}

} // namespace qumoconv
