#include "memory_policy.h"

#include <cstring>
#include <memory>
#include <sys/resource.h>

#include <gtest/gtest.h>

namespace {

long MinorFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Touches every page of a fresh buffer the size of a large document's text
// and returns the page faults that cost.
long FaultsOfTouchingABuffer()
{
    constexpr std::size_t Size = 64 << 20;
    const long before = MinorFaults();
    auto buffer = std::make_unique_for_overwrite<char[]>(Size);
    std::memset(buffer.get(), 1, Size);
    // Keeps the stores from being dropped as dead.
    asm volatile("" : : "r"(buffer.get()) : "memory");
    return MinorFaults() - before;
}

TEST(MemoryPolicy, ABufferFreedIsReusedWithoutFaultingItInAgain)
{
#if !defined(__GLIBC__)
    GTEST_SKIP() << "only the GNU C library is tuned";
#endif
    KeepFreedMemoryForReuse();
    const long first = FaultsOfTouchingABuffer();
    const long second = FaultsOfTouchingABuffer();
    EXPECT_GT(first, 1000) << "the first buffer is fresh memory";
    EXPECT_LT(second, first / 20) << "the second one reuses it";
}

} // namespace
