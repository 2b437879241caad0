#include "jconvert.h"

#include <gtest/gtest.h>

using namespace Jconvert;

TEST(ReturnCodeCheck, OnlyTheFirstLineEndCounts)
{
    EXPECT_EQ(ReturnCodeCheck(""), RC_NONE);
    EXPECT_EQ(ReturnCodeCheck("abc"), RC_NONE);
    EXPECT_EQ(ReturnCodeCheck("a\r\nb\n"), RC_CRLF);
    EXPECT_EQ(ReturnCodeCheck("a\nb\r\n"), RC_LF);
    EXPECT_EQ(ReturnCodeCheck("a\rb\r\n"), RC_CR);
    EXPECT_EQ(ReturnCodeCheck("a\r"), RC_CR); // lone CR at the end
    EXPECT_EQ(ReturnCodeCheck(std::string("\0\r\n", 3)), RC_CRLF);
}

TEST(ConvertReturnCode, RewritesTheDetectedKind)
{
    EXPECT_EQ(ConvertReturnCode("", RC_LF), "");
    EXPECT_EQ(ConvertReturnCode("abc", RC_CR), "abc");
    EXPECT_EQ(ConvertReturnCode("a\r\nb", RC_LF), "a\nb");
    EXPECT_EQ(ConvertReturnCode("a\r\nb", RC_CRLF), "a\r\nb");
    EXPECT_EQ(ConvertReturnCode("a\r\nb\r\n", RC_CR), "a\rb\r");
    // Mixed: only the first kind is rewritten, and the search for it also
    // hits the LF of a CR LF pair.
    EXPECT_EQ(ConvertReturnCode("a\nb\r\nc", RC_CR), "a\rb\r\rc");
    EXPECT_EQ(ConvertReturnCode("a\r\nb\rc", RC_LF), "a\nb\rc");
    // The inserted LF is never taken for a further line end.
    EXPECT_EQ(ConvertReturnCode("a\rb", RC_CRLF), "a\r\nb");
    EXPECT_EQ(ConvertReturnCode("\r\r\r", RC_CRLF), "\r\n\r\n\r\n");
}

TEST(StrictConvertReturnCode, UsesTheGivenSource)
{
    EXPECT_EQ(StrictConvertReturnCode("a\r\nb", RC_CR, RC_LF), "a\n\nb");
    EXPECT_EQ(StrictConvertReturnCode("a\r\nb", RC_LF, RC_CR), "a\r\rb");
    EXPECT_EQ(StrictConvertReturnCode("a\rb\nc\r\n", RC_CRLF, RC_LF), "a\rb\nc\n");
    EXPECT_EQ(StrictConvertReturnCode("a\rb", RC_NONE, RC_LF), "a\rb");
}

TEST(StrictConvertReturnCode, KindsOutOfRangeLeaveTheTextWhole)
{
    EXPECT_EQ(StrictConvertReturnCode("a\r\nb", 7, RC_LF), "a\r\nb");
    EXPECT_EQ(StrictConvertReturnCode("a\r\nb", RC_CRLF, 0), "a\r\nb");
    EXPECT_EQ(StrictConvertReturnCode("a\r\nb", RC_CRLF, -1), "a\r\nb");
    EXPECT_EQ(ConvertReturnCode("a\r\nb", 9), "a\r\nb");
}
