#include "codec/ScriptLiteral.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace bw::test {
namespace {

struct LiteralCase {
    const char* name;
    std::u16string line;
    LinePosition first;
    std::optional<std::u16string> text;  // nothing: the literal never ends
    LinePosition closingQuote;
};

class ReadLiteral : public ::testing::TestWithParam<LiteralCase> {};

TEST_P(ReadLiteral, DecodesInOnePass) {
    const LiteralCase& c = GetParam();
    const auto literal = readLiteral(c.line, c.first);
    ASSERT_EQ(literal.has_value(), c.text.has_value());
    if (literal) {
        EXPECT_EQ(literal->text, *c.text);
        EXPECT_EQ(literal->closingQuote, c.closingQuote);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadLiteral,
    ::testing::Values(
        LiteralCase{"Plain", u"(\"abc\", 0", 3, u"abc", 6}, LiteralCase{"Empty", u"\"\"", 2, u"", 2},
        LiteralCase{"StartsAtTheGivenPosition", u"xyz\"", 2, u"yz", 4},
        LiteralCase{"EscapedQuote", u"\"a\"&Chr(34)&\"b\"", 2, u"a\"b", 15},
        LiteralCase{"EscapedLineBreak", u"\"a\"&vbCrLf&\"b\"", 2, u"a\r\nb", 14},
        LiteralCase{"LessThanOfAPage", u"\"\"&Chr(60)&\"/script>\"", 2, u"</script>", 21},
        LiteralCase{"LoneCrLfAndNul", u"\"\"&vbCr&\"\"&vbLf&\"\"&Chr(0)&\"\"&vbLf&\"\"&vbCr&\"\"", 2,
                    std::u16string(u"\r\n\0\n\r", 5), 44},
        LiteralCase{"LookalikesEndTheLiteral", u"\"x\"&vbcr&\"\"&Chr(00)&\"", 2, u"x", 3},
        LiteralCase{"CodeUnit", u"\"\"&ChrW(8364)&\"\"", 2, u"€", 16},
        LiteralCase{"SmallestAndLargestCodeUnit", u"\"\"&ChrW(0)&\"\"&ChrW(65535)&\"\"", 2,
                    std::u16string(1, u'\0') + u"\uFFFF", 28},
        LiteralCase{"LeadingZeros", u"\"\"&ChrW(00065)&\"\"", 2, u"A", 17},
        LiteralCase{"SurrogatePairJoins", u"\"\"&ChrW(55357)&\"\"&ChrW(56832)&\"\"", 2, u"\U0001F600", 32},
        LiteralCase{"BeyondUtf16EndsTheLiteral", u"\"x\"&ChrW(65536)&\"\"", 2, u"x", 3},
        LiteralCase{"ChrWWithoutDigitsEndsTheLiteral", u"\"x\"&ChrW()&\"\"", 2, u"x", 3},
        LiteralCase{"ChrWWithOtherCharactersEndsTheLiteral", u"\"x\"&ChrW(6a)&\"\"", 2, u"x", 3},
        LiteralCase{"ChrWWithASignEndsTheLiteral", u"\"x\"&ChrW(-1)&\"\"", 2, u"x", 3},
        LiteralCase{"EscapeWithoutItsLastQuoteEndsTheLiteral", u"\"x\"&Chr(34)&,", 2, u"x", 3},
        LiteralCase{"CaseMatters", u"\"x\"&chr(34)&\"\"", 2, u"x", 3},
        // The sequences the writer produces are taken whole, one after another, so
        // neighbours never combine into another escape.
        LiteralCase{"QuoteThenVbCrLfText", u"\"\"&Chr(34)&\"&vbCrLf&\"&Chr(34)&\"\"", 2, u"\"&vbCrLf&\"", 32},
        LiteralCase{"PlaceholderTextsStayText", u"\"&&Chr(34)&&&&vbCrLf&&\"", 2, u"&&Chr(34)&&&&vbCrLf&&", 23},
        LiteralCase{"EscapeTextWithoutQuotesStaysText", u"\"&vbCrLf&\"", 2, u"&vbCrLf&", 10},
        LiteralCase{"LoneCrAndLfStay", u"\"\r\n\r\"", 2, u"\r\n\r", 5},
        LiteralCase{"NeverEnds", u"\"abc", 2, std::nullopt, 0},
        LiteralCase{"NeverEndsAfterAnEscape", u"\"abc\"&Chr(34)&\"", 2, std::nullopt, 0},
        LiteralCase{"StartPastTheEnd", u"\"", 3, std::nullopt, 0},
        LiteralCase{"StartBelowOne", u"\"\"", 0, std::nullopt, 0}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(ReadLiteral, LongLiteralIsReadInOnePass) {
    std::u16string line = u"\"";
    for (int i = 0; i < 100000; ++i) {
        line += u"ab\"&Chr(34)&\"\"&vbCrLf&\"";
    }
    line += u"\", 0";
    const auto literal = readLiteral(line, 2);
    ASSERT_TRUE(literal);
    EXPECT_EQ(literal->text.size(), 100000u * 5);
    EXPECT_EQ(literal->closingQuote, static_cast<LinePosition>(line.size()) - 3);
}

}  // namespace
}  // namespace bw::test
