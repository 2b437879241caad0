// How the process keeps memory it has freed.
#pragma once

#include <QtGlobal>

// Opening and saving a large document allocate and free buffers the size of
// its text each time. By default the C library hands such buffers back to
// the system at once, and every new one is then paid for in page faults,
// which cost more than filling it: copying a 50 MB document's text out of the
// editor for a save took 47 ms that way and takes 11 ms with reused memory.
// The price is that the process does not shrink after a large document is
// closed. Call once, first thing in main().
void KeepFreedMemoryForReuse();

// While one lives, buffers of 4 MB and more get mappings of their own, so
// that a text growing piece by piece is moved by remapping rather than
// copied, leaving no freed copies behind in the heap.
class LargeBuffersMapped
{
public:
    LargeBuffersMapped();
    ~LargeBuffersMapped();
    LargeBuffersMapped(const LargeBuffersMapped &) = delete;
    LargeBuffersMapped &operator=(const LargeBuffersMapped &) = delete;
};

// Hands the whole pages within `bytes` bytes from `data` back to the system:
// a large buffer read once and no longer needed in part stops costing memory
// before it is freed. What they held reads as zero afterwards.
void HandBackPages(const void *data, qsizetype bytes);
