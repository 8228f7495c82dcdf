#include "TestText.h"
#include "model/WindowState.h"

#include <gtest/gtest.h>

namespace bw::test {
namespace {

TEST(WindowState, DecimalTextIsPlainDigits) {
    EXPECT_EQ(decimalText(0), u"0");
    EXPECT_EQ(decimalText(16), u"16");
    EXPECT_EQ(decimalText(524356), u"524356");
}

TEST(WindowState, LeadingNumberTakesTheLeadingDecimal) {
    const std::vector<std::pair<std::u16string, double>> cases = {
        {u"16", 16}, {u"", 0}, {u"abc", 0}, {u" 32x", 32}, {u"4.5", 4.5}, {u"-3", -3}, {u"7 + 1", 7}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(leadingNumber(text), value);
    }
}

TEST(WindowState, NumberTextHasNoPointForIntegralValues) {
    EXPECT_EQ(numberText(20.0), u"20");
    EXPECT_EQ(numberText(0.0), u"0");
    EXPECT_EQ(numberText(2.5), u"2.5");
}

TEST(WindowState, StyleIntegerRoundsHalfToEvenAndClamps) {
    EXPECT_EQ(toStyleInteger(524356.0), 524356);
    EXPECT_EQ(toStyleInteger(2.5), 2);
    EXPECT_EQ(toStyleInteger(3.5), 4);
    EXPECT_EQ(toStyleInteger(1e12), 2147483647);
    EXPECT_EQ(toStyleInteger(-1e12), -2147483647 - 1);
}

}  // namespace
}  // namespace bw::test
