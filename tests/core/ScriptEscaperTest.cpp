#include "TestText.h"
#include "platform/SystemTextFileStore.h"
#include "writers/ScriptEscaper.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

struct EscapeCase {
    const char* name;
    std::u16string text;
    LineBreaks lineBreaks;
    std::u16string expected;
};

class Escaping : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(Escaping, ProducesTheLiteralText) {
    EXPECT_EQ(escapeForLiteral(GetParam().text, GetParam().lineBreaks, *makeSystemTextFileStore()),
              GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Escaping,
    ::testing::Values(
        EscapeCase{"Empty", u"", LineBreaks::Escape, u""},
        EscapeCase{"Plain", u"Hello, 世界", LineBreaks::Escape, u"Hello, 世界"},
        EscapeCase{"Quote", u"a\"b", LineBreaks::Escape, u"a\"&Chr(34)&\"b"},
        EscapeCase{"TwoQuotes", u"\"\"", LineBreaks::Escape, u"\"&Chr(34)&\"\"&Chr(34)&\""},
        EscapeCase{"LineBreak", u"a\r\nb", LineBreaks::Escape, u"a\"&vbCrLf&\"b"},
        EscapeCase{"TitleKeepsLineBreak", u"a\r\nb\"", LineBreaks::Keep, u"a\r\nb\"&Chr(34)&\""},
        EscapeCase{"LoneCrAndLf", u"a\rb\nc\n\r", LineBreaks::Escape, u"a\rb\nc\n\r"},
        EscapeCase{"CrCrLf", u"\r\r\n", LineBreaks::Escape, u"\r\"&vbCrLf&\""},
        EscapeCase{"EndsWithLineBreak", u"x\r\n", LineBreaks::Escape, u"x\"&vbCrLf&\""},
        EscapeCase{"QuoteBeforeLineBreak", u"\"\r\n\"", LineBreaks::Escape,
                   u"\"&Chr(34)&\"\"&vbCrLf&\"\"&Chr(34)&\""},
        EscapeCase{"EscapeTextItself", u"\"&vbCrLf&\"", LineBreaks::Escape, u"\"&Chr(34)&\"&vbCrLf&\"&Chr(34)&\""},
        EscapeCase{"OutsideCodePage", u"café", LineBreaks::Escape, u"caf\"&ChrW(233)&\""},
        EscapeCase{"SurrogatePair", u"\U0001F600!", LineBreaks::Keep, u"\"&ChrW(55357)&\"\"&ChrW(56832)&\"!"},
        EscapeCase{"LoneSurrogate", std::u16string(1, char16_t(0xDC00)), LineBreaks::Keep, u"\"&ChrW(56320)&\""},
        EscapeCase{"HalfWidthKana", u"ｼｽﾃﾑ", LineBreaks::Keep, u"ｼｽﾃﾑ"}),
    [](const auto& testInfo) { return std::string(testInfo.param.name); });

TEST(Escaping, YenSignDoesNotSurviveTheCodePage) {
    // Code page 932 writes the yen sign and the backslash with the same byte;
    // only the backslash comes back, so the yen sign is spelled out.
    const auto files = makeSystemTextFileStore();
    const TextFileStore& codePage = *files;
    EXPECT_TRUE(codePage.isRepresentable(u'\\'));
    EXPECT_EQ(escapeForLiteral(u"\u00A5", LineBreaks::Keep, codePage),
              codePage.isRepresentable(u'\u00A5') ? u"\u00A5" : u"\"&ChrW(165)&\"");
    EXPECT_FALSE(codePage.isRepresentable(u'\u00E9'));
}

}  // namespace
}  // namespace bw::test
