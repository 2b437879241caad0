// Detection and line-end detection over arbitrary bytes.
#include "jconvert.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const int code = Jconvert::InCodeCheck(text);
    if (code < Jconvert::JC_ASCII || code > Jconvert::JC_EUC_OR_SJIS)
        std::abort();
    const int eol = Jconvert::ReturnCodeCheck(text);
    if (eol < Jconvert::RC_NONE || eol > Jconvert::RC_LF)
        std::abort();
    return 0;
}
