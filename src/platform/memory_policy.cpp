#include "memory_policy.h"

#include <cstdlib> // defines __GLIBC__ with the C library's headers
#if defined(__GLIBC__)
#include <malloc.h>
#endif

void KeepFreedMemoryForReuse()
{
#if defined(__GLIBC__)
    // Buffers up to 1 GiB come from the heap, not from mappings of their
    // own, and free memory at the top of the heap goes back to the system
    // only beyond 1 GiB.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
}
