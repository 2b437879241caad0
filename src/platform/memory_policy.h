// How the process keeps memory it has freed.
#pragma once

// Opening and saving a large document allocate and free buffers the size of
// its text each time. By default the C library hands such buffers back to
// the system at once, and every new one is then paid for in page faults,
// which cost more than filling it. Keeping freed memory (up to a bound) for
// reuse makes the second and later saves of a large document several times
// cheaper. Call once, first thing in main().
void KeepFreedMemoryForReuse();
