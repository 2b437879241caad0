// The user's code and line-end choices reach the library as its own identifiers.
#include "code_choices.h"

#include <gtest/gtest.h>

using namespace Jconvert;

TEST(CodeChoices, EachCharacterCodeNamesItsIdentifier)
{
    const std::pair<CharCode, int> cases[] = {{CharCode::Sjis, JC_SJIS},
                                              {CharCode::Jis, JC_JIS_NEW},
                                              {CharCode::JisOld, JC_JIS_OLD},
                                              {CharCode::Euc, JC_EUC},
                                              {CharCode::Utf8, JC_UTF8}};
    for (const auto &[code, identifier] : cases)
        EXPECT_EQ(JcValue(code), identifier) << int(code);
}

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
