// The reading thread is joined whether or not anyone waited for it, and the
// tables it builds are the ones reading uses.
#include "cp932.h"
#include "read_ahead.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadAhead, IsJoinedWhetherWaitedForOrNot)
{
    for (const int waits : {0, 1, 2}) {
        {
            ReadAhead readAhead;
            for (int i = 0; i < waits; ++i)
                readAhead.waitForFonts();
        } // a thread left joinable here would end the program
        EXPECT_EQ(Cp932::DecodePair(0x82, 0xA0), u'あ') << waits;
    }
}

} // namespace
