// The transfer decoders over arbitrary text, and the encoders' round trips.
#include "jconvert.h"

#include <cstdlib>
#include <cstring>
#include <memory>

using namespace Jconvert;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    auto buf = std::make_unique<char[]>(size);
    if (size)
        std::memcpy(buf.get(), data, size);
    const std::string_view text(buf.get(), size);

    (void)DecodeBase64(text);
    (void)DecodeUU(text);
    (void)DecodeBinHex(text);
    (void)DecodeHeaderString(text);

    if (DecodeBase64(EncodeBase64R(text, "\r\n")) != text)
        std::abort();
    if (DecodeUU(EncodeUU(text, "\n")) != text)
        std::abort();
    if (DecodeBinHex(EncodeBinHex(text, "\r\n")) != text)
        std::abort();
    return 0;
}
