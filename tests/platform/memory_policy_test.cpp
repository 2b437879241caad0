#include "memory_policy.h"

#include <cstring>
#include <memory>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

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

// Only pages wholly inside the range are handed back (and read as zero);
// the bytes around them, on pages partly outside, stay.
TEST(MemoryPolicy, HandsBackTheWholePagesOfARange)
{
#if !defined(__linux__)
    GTEST_SKIP() << "pages are handed back on Linux";
#endif
    const qsizetype page = sysconf(_SC_PAGESIZE);
    const struct
    {
        qsizetype from, bytes;      // in the buffer
        qsizetype zeroFrom, zeroTo; // what reads as zero after
    } rows[] = {
        {0, 4 * page, 0, 4 * page},           {1, 4 * page, page, 4 * page}, {page, page - 1, 0, 0},
        {page / 2, 2 * page, page, 2 * page}, {3 * page, 0, 0, 0},
    };
    for (const auto &row : rows) {
        void *memory =
            mmap(nullptr, size_t(8 * page), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        ASSERT_NE(memory, MAP_FAILED);
        char *buffer = static_cast<char *>(memory);
        std::memset(buffer, 'x', size_t(8 * page));
        HandBackPages(buffer + row.from, row.bytes);
        qsizetype firstZero = -1, lastZero = -1;
        for (qsizetype i = 0; i < 8 * page; ++i) {
            if (buffer[i] == 0) {
                firstZero = firstZero < 0 ? i : firstZero;
                lastZero = i;
            }
        }
        const std::string label = std::to_string(row.from) + "+" + std::to_string(row.bytes);
        EXPECT_EQ(firstZero < 0 ? 0 : firstZero, row.zeroFrom) << label;
        EXPECT_EQ(lastZero + 1, row.zeroTo) << label;
        munmap(memory, size_t(8 * page));
    }
}

} // namespace
