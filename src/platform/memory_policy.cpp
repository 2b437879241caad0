#include "memory_policy.h"

#include <cstdint>
#include <cstdlib> // defines __GLIBC__ with the C library's headers
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#include <unistd.h>
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

void HandBackPages(const void *data, qsizetype bytes)
{
#if defined(Q_OS_LINUX)
    static const std::uintptr_t page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t from = (start + page - 1) & ~(page - 1);
    const std::uintptr_t to = (start + std::uintptr_t(bytes)) & ~(page - 1);
    if (bytes > 0 && to > from)
        madvise(reinterpret_cast<void *>(from), to - from, MADV_DONTNEED);
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}
