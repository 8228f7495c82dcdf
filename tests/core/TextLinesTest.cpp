#include "codec/TextLines.h"
#include "codec/Utf8.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bw {
namespace {

struct SplitCase {
    std::string bytes;
    std::size_t maxLines;
    std::vector<std::u16string> lines;
};

class TextLinesSplit : public ::testing::TestWithParam<SplitCase> {};

// Lines end at CR LF pairs only; a lone CR or LF stays in its line; the last
// line may lack its CR LF; no more than maxLines are decoded.
TEST_P(TextLinesSplit, AtCrLfPairsOnly) {
    EXPECT_EQ(decodeLines(GetParam().bytes, GetParam().maxLines, TextEncoding::CodePage932), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextLinesSplit,
    ::testing::Values(SplitCase{"", 8, {}}, SplitCase{"a", 8, {u"a"}}, SplitCase{"a\r\n", 8, {u"a"}},
                      SplitCase{"a\r\n\r\n", 8, {u"a", u""}}, SplitCase{"\r\n", 8, {u""}},
                      SplitCase{"a\rb\nc\r\nd", 8, {u"a\rb\nc", u"d"}}, SplitCase{"a\r", 8, {u"a\r"}},
                      SplitCase{"a\r\r\nb", 8, {u"a\r", u"b"}}, SplitCase{"1\r\n2\r\n3\r\n", 2, {u"1", u"2"}},
                      SplitCase{"1\r\n2", 0, {}}, SplitCase{"\x96\x7B\r\n\x95\xB6", 8, {u"本", u"文"}}));

TEST(TextLines, Utf8FilesMayOpenWithAByteOrderMarkThatIsNotText) {
    EXPECT_EQ(decodeLines("\xEF\xBB\xBF" "a\r\nb", 8, TextEncoding::Utf8), (std::vector<std::u16string>{u"a", u"b"}));
    EXPECT_EQ(decodeLines("a\r\n\xEF\xBB\xBF", 8, TextEncoding::Utf8),
              (std::vector<std::u16string>{u"a", u"\uFEFF"}));
    // Code page 932 has no mark: the bytes are text.
    EXPECT_EQ(decodeLines("\xEF\xBB\xBF", 8, TextEncoding::CodePage932).size(), 1u);
}

TEST(TextLines, WritesEveryLineWithCrLfAndUtf8WithItsMark) {
    EXPECT_EQ(encodeLines({u"本文", u""}, TextEncoding::CodePage932), "\x96\x7B\x95\xB6\r\n\r\n");
    EXPECT_EQ(encodeLines({u"é"}, TextEncoding::Utf8), "\xEF\xBB\xBF\xC3\xA9\r\n");
    EXPECT_EQ(encodeLines({}, TextEncoding::Utf8), "\xEF\xBB\xBF");
    EXPECT_EQ(encodeLines({}, TextEncoding::CodePage932), "");
}

struct Utf8Case {
    std::string bytes;
    std::u16string text;
};

class Utf8Decode : public ::testing::TestWithParam<Utf8Case> {};

// One U+FFFD for each byte that does not start a whole, shortest-form
// sequence of a scalar value.
TEST_P(Utf8Decode, OneReplacementPerBadByte) { EXPECT_EQ(fromUtf8(GetParam().bytes), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Decode,
    ::testing::Values(Utf8Case{"a\xC3\xA9", u"a\u00E9"}, Utf8Case{"\xE6\x9C\xAC", u"本"},
                      Utf8Case{"\xF0\x9F\x98\x80", u"\U0001F600"}, Utf8Case{"\xEF\xBF\xBF", u"\uFFFF"},
                      Utf8Case{"\xC3", u"\uFFFD"}, Utf8Case{"\xE6\x9C" "A", u"\uFFFD\uFFFDA"},
                      Utf8Case{"\xC0\xAF", u"\uFFFD\uFFFD"},                   // overlong
                      Utf8Case{"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},         // a surrogate
                      Utf8Case{"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // past U+10FFFF
                      Utf8Case{"\x80\xFF", u"\uFFFD\uFFFD"}, Utf8Case{std::string(1, '\0'), std::u16string(1, u'\0')}));

TEST(Utf8, EncodesPairsAsOneScalarAndLoneSurrogatesAsReplacement) {
    EXPECT_EQ(toUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
    EXPECT_EQ(toUtf8(u"a\xD800" "b\xDC00"), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
    EXPECT_EQ(toUtf8(u"\xDC00\xD800"), "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(utf8Length(u"aé本\U0001F600\xD800"), 1u + 2 + 3 + 4 + 3);
}

// File names as bytes: what is not UTF-8 comes back byte for byte.
TEST(Utf8, EscapedNamesComeBackToTheirBytes) {
    for (const std::string& bytes : {std::string("plain.vbs"), std::string("\xFF\xFE.vbs"), std::string("\xE6\x9C\xAC.vbs"),
                                    std::string("\xE6\x9C.vbs"), std::string("\xED\xA0\x80"), std::string("a\x80\xC3\xA9")}) {
        EXPECT_EQ(toUtf8Escaped(fromUtf8Escaped(bytes)), bytes);
    }
    EXPECT_EQ(fromUtf8Escaped("\xFF\xC3\xA9"), u"\xDCFF\u00E9");
    // A lone surrogate that stands for no byte is written as U+FFFD, as ever.
    EXPECT_EQ(toUtf8Escaped(u"\xD800"), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace bw
