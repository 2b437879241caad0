// Every code converter and line-end converter over arbitrary bytes. The
// input is copied into a buffer of its exact size so any read past the end
// trips AddressSanitizer.
#include "jconvert.h"
#include "jconvert_stream.h"
#include "reference_converters.h"

#include <cstdlib>
#include <cstring>
#include <memory>

using namespace Jconvert;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the source, target and line end; the rest is text.
    const unsigned selector = data[0];
    auto buf = std::make_unique<char[]>(size - 1);
    std::memcpy(buf.get(), data + 1, size - 1);
    const std::string_view text(buf.get(), size - 1);

    // The fast paths must agree with byte-at-a-time conversion.
    const std::string sjisJis = sjis2jis83(text);
    const std::string eucJis = euc2jis83(text);
    if (sjisJis != reference::ToJisText(text, false) || eucJis != reference::ToJisText(text, true) ||
        jis2sjis(text) != reference::FromJisText(text, false) ||
        jis2euc(text) != reference::FromJisText(text, true) || sjis2euc(text) != reference::SjisToEuc(text) ||
        euc2sjis(text) != reference::EucToSjis(text))
        std::abort();
    // Shift_JIS text without half-width kana comes back through JIS and EUC.
    (void)jis2sjis(sjisJis);
    (void)jis2sjis(eucJis);

    // In two pieces, cut where the text's own bytes say, as whole.
    const std::size_t cut =
        text.empty() ? 0 : (selector * 131u + static_cast<unsigned char>(text[0])) % text.size();
    const int source = 2 + (selector >> 3) % 4, target = selector % 8;
    CodeStream stream(source, target);
    std::string streamed(stream.MaxOutput(text.size()), '\0');
    const StreamProgress first = stream.Convert(text.data(), cut, false, streamed.data());
    const std::string rest = std::string(text.substr(first.read));
    const StreamProgress second =
        stream.Convert(rest.data(), rest.size(), true, streamed.data() + first.written);
    streamed.resize(first.written + second.written);
    std::string whole;
    const DecodeResult fault = StrictConvertJCodeChecked(text, source, target, whole);
    if (streamed != whole || stream.Fault().error != fault.error || stream.Fault().offset != fault.offset)
        std::abort();
    CodeDetector detector;
    const std::size_t taken = detector.Feed(text.substr(0, cut));
    const int early = detector.Decided();
    const int code = detector.Finish(text.substr(taken));
    if (code != InCodeCheck(text) || (early >= 0 && early != code))
        std::abort();

    (void)ConvertJCode(text, selector % 8);
    (void)StrictConvertJCode(text, (selector >> 3) % 8, selector % 8);
    (void)ConvertReturnCode(text, 1 + selector % 3);
    (void)StrictConvertReturnCode(text, (selector >> 2) % 5, 1 + (selector >> 5) % 3);
    (void)CreateHeaderString(text);
    return 0;
}
