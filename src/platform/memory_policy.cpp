#include "memory_policy.h"

#include <cstdlib> // defines __GLIBC__ with the C library's headers
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

constexpr int HeapBuffersUpTo = 1 << 30;

} // namespace

void KeepFreedMemoryForReuse()
{
#if defined(__GLIBC__)
    // Buffers up to 1 GiB come from the heap, not from mappings of their
    // own, and free memory at the top of the heap goes back to the system
    // only beyond 1 GiB.
    mallopt(M_MMAP_THRESHOLD, HeapBuffersUpTo);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
#endif
}

LargeBuffersMapped::LargeBuffersMapped()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, 4 << 20);
#endif
}

LargeBuffersMapped::~LargeBuffersMapped()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, HeapBuffersUpTo);
#endif
}
