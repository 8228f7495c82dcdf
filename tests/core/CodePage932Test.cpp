#include "codec/CodePage932.h"

#include <gtest/gtest.h>

#include <string>

namespace bw {
namespace {

struct Cp932Case {
    std::u16string text;
    std::string bytes;
};

// Where the NEC and IBM extensions give a character two or three codes, the
// one Windows writes; and the single bytes only Windows' table defines.
class CodePage932Encodes : public ::testing::TestWithParam<Cp932Case> {};

TEST_P(CodePage932Encodes, AsWindowsDoes) {
    EXPECT_EQ(encodeCodePage932(GetParam().text), GetParam().bytes);
    EXPECT_EQ(decodeCodePage932(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, CodePage932Encodes,
                         ::testing::Values(Cp932Case{u"A~\\", "A~\\"}, Cp932Case{u"ｱﾟ", "\xB1\xDF"},
                                           Cp932Case{u"本文", "\x96\x7B\x95\xB6"},
                                           Cp932Case{u"\u9AD9", "\xFB\xFC"},  // 髙: IBM, not NEC-selected EE E0
                                           Cp932Case{u"\u2170", "\xFA\x40"},  // ⅰ: IBM, not EE EF
                                           Cp932Case{u"\uFA11", "\xFA\xB1"},  // 﨑: IBM, not ED 95
                                           Cp932Case{u"\u2252", "\x81\xE0"},  // ≒: JIS, not NEC 87 90
                                           Cp932Case{u"\uFFE2", "\x81\xCA"},  // ￢: JIS, not EE F9 or FA 54
                                           Cp932Case{u"\u2160", "\x87\x54"},  // Ⅰ: NEC, not FA 4A
                                           Cp932Case{u"\u2235", "\x81\xE6"},  // ∵: JIS, not 87 9A or FA 5B
                                           Cp932Case{u"\uE000\uE757", "\xF0\x40\xF9\xFC"},  // the user-defined area
                                           Cp932Case{u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3", "\x80\xA0\xFD\xFE\xFF"},
                                           Cp932Case{std::u16string(1, u'\0'), std::string(1, '\0')}));

TEST(CodePage932, WritesAQuestionMarkForWhatItCannotHold) {
    EXPECT_EQ(encodeCodePage932(u"a\u00A5b\u00E9\xD800\U0001F600"), "a?b????");
    EXPECT_FALSE(CodePage932::get().holds(u'\u00A5'));  // decoding 5C gives the backslash
    EXPECT_FALSE(CodePage932::get().holds(u'\xDC00'));
}

struct DecodeCase {
    std::string bytes;
    std::u16string text;
};

class CodePage932Decodes : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(CodePage932Decodes, EveryCodeTheTableHoldsAndOneReplacementPerBadByte) {
    EXPECT_EQ(decodeCodePage932(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Cases, CodePage932Decodes,
                         ::testing::Values(DecodeCase{"\xED\x95", u"\uFA11"},   // a second code still decodes
                                           DecodeCase{"\x87\x90", u"\u2252"},   // likewise
                                           DecodeCase{"\x81\x20", u"\uFFFD "},  // a trail byte out of range
                                           DecodeCase{"\x85\x40", u"\uFFFD@"},  // an undefined pair
                                           DecodeCase{"\x82\x7F", u"\uFFFD\x7F"}, DecodeCase{"a\x82", u"a\uFFFD"},
                                           DecodeCase{"\x82\xA0\x82", u"\u3042\uFFFD"}, DecodeCase{"", u""}));

// Every unit the table holds comes back from its bytes; every unit it does not
// hold is one no byte sequence decodes to, or one Windows writes elsewhere.
TEST(CodePage932, EveryHeldUnitRoundTrips) {
    const CodePage932& table = CodePage932::get();
    int held = 0;
    for (unsigned unit = 0; unit < 0x10000; ++unit) {
        const std::u16string text(1, static_cast<char16_t>(unit));
        if (table.holds(static_cast<char16_t>(unit))) {
            ++held;
            ASSERT_EQ(decodeCodePage932(encodeCodePage932(text)), text) << unit;
        }
    }
    // 128 + 63 + 5 single bytes, and every two-byte code less the 398 second codes.
    EXPECT_EQ(held, 196 + 9604 - 398);
}

}  // namespace
}  // namespace bw
