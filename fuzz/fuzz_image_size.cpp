// Image headers of any bytes: the first byte picks the kind; a size found is
// always within the limits.
#include "image_size.h"

#include <cstdlib>

using namespace Palettes;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const ImageKind kind = ImageKind(data[0] % 5);
    const std::optional<QSize> found = ImageSizeFromHead(kind, QByteArrayView(data + 1, qsizetype(size - 1)));
    if (found &&
        (found->width() < 1 || found->width() > 5000 || found->height() < 1 || found->height() > 5000))
        std::abort();
    if (found && kind == ImageKind::Other)
        std::abort();
    return 0;
}
