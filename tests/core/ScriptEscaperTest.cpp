#include "TestText.h"
#include "codec/ScriptEscaper.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

struct EscapeCase {
    const char* name;
    std::u16string text;
    std::u16string expected;
};

class Escaping : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(Escaping, ProducesTheLiteralText) {
    EXPECT_EQ(escapeForLiteral(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Escaping,
    ::testing::Values(EscapeCase{"Empty", u"", u""}, EscapeCase{"Plain", u"Hello, 世界", u"Hello, 世界"},
                      EscapeCase{"Quote", u"a\"b", u"a\"&Chr(34)&\"b"},
                      EscapeCase{"TwoQuotes", u"\"\"", u"\"&Chr(34)&\"\"&Chr(34)&\""},
                      EscapeCase{"LineBreak", u"a\r\nb", u"a\"&vbCrLf&\"b"},
                      EscapeCase{"LoneCrAndLf", u"a\rb\nc\n\r", u"a\"&vbCr&\"b\"&vbLf&\"c\"&vbLf&\"\"&vbCr&\""},
                      EscapeCase{"CrCrLf", u"\r\r\n", u"\"&vbCr&\"\"&vbCrLf&\""},
                      EscapeCase{"Nul", std::u16string(u"a\0b", 3), u"a\"&Chr(0)&\"b"},
                      EscapeCase{"EndsWithLineBreak", u"x\r\n", u"x\"&vbCrLf&\""},
                      EscapeCase{"QuoteBeforeLineBreak", u"\"\r\n\"", u"\"&Chr(34)&\"\"&vbCrLf&\"\"&Chr(34)&\""},
                      EscapeCase{"EscapeTextItself", u"\"&vbCrLf&\"", u"\"&Chr(34)&\"&vbCrLf&\"&Chr(34)&\""},
                      EscapeCase{"OutsideCodePage", u"café", u"caf\"&ChrW(233)&\""},
                      EscapeCase{"SurrogatePair", u"\U0001F600!", u"\"&ChrW(55357)&\"\"&ChrW(56832)&\"!"},
                      EscapeCase{"LoneSurrogate", std::u16string(1, char16_t(0xDC00)), u"\"&ChrW(56320)&\""},
                      // Code page 932 writes the yen sign and the backslash with the same
                      // byte; only the backslash comes back, so the yen sign is spelled out.
                      EscapeCase{"YenSign", u"\u00A5\\", u"\"&ChrW(165)&\"\\"},
                      EscapeCase{"HalfWidthKana", u"ｼｽﾃﾑ", u"ｼｽﾃﾑ"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

}  // namespace
}  // namespace bw::test
