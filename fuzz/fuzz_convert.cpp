// Every code converter and line-end converter over arbitrary bytes. The
// input is copied into a buffer of its exact size so any read past the end
// trips AddressSanitizer.
#include "jconvert.h"
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

    (void)ConvertJCode(text, selector % 8);
    (void)StrictConvertJCode(text, (selector >> 3) % 8, selector % 8);
    (void)ConvertReturnCode(text, 1 + selector % 3);
    (void)StrictConvertReturnCode(text, (selector >> 2) % 5, 1 + (selector >> 5) % 3);
    (void)CreateHeaderString(text);
    return 0;
}
