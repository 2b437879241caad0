// The user's line-end choices rewrite every line end to their sequence.
#include "code_choices.h"

#include <gtest/gtest.h>

using namespace Jconvert;

TEST(CodeChoices, EachLineEndRewritesToItsSequence)
{
    const std::pair<ReturnCode, std::string> cases[] = {
        {ReturnCode::CrLf, "\r\n"}, {ReturnCode::Cr, "\r"}, {ReturnCode::Lf, "\n"}};
    for (const auto &[eol, sequence] : cases) {
        EXPECT_EQ(NormalizeReturnCode("a\r\nb\rc\nd", RcValue(eol)),
                  "a" + sequence + "b" + sequence + "c" + sequence + "d")
            << int(eol);
        EXPECT_EQ(LineEndBytes(eol), sequence) << int(eol);
    }
}
