#include "TestText.h"
#include "model/WindowState.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <clocale>
#include <limits>
#include <string>

namespace bw::test {
namespace {

TEST(WindowState, DecimalTextIsPlainDigits) {
    EXPECT_EQ(decimalText(0), u"0");
    EXPECT_EQ(decimalText(16), u"16");
    EXPECT_EQ(decimalText(524356), u"524356");
}

TEST(WindowState, LeadingNumberTakesTheLeadingDecimal) {
    const double huge = std::numeric_limits<double>::infinity();
    const std::u16string nines(400, u'9');
    const std::u16string tiny = u"0." + std::u16string(400, u'0') + u"1";
    const std::vector<std::pair<std::u16string, double>> cases = {
        {u"16", 16}, {u"", 0},      {u"abc", 0},   {u" 32x", 32},         {u"4.5", 4.5},
        {u"-3", -3}, {u"+.5", 0.5}, {u"7 + 1", 7}, {u"-" + nines, -huge}, {tiny, 0}};
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(leadingNumber(text), value);
    }
}

// The user's locale has no say: where the decimal separator is a comma,
// "4.5" is still four and a half. (tests/core/CMakeLists.txt provides the locale.)
TEST(WindowState, LeadingNumberReadsAPointInAnyLocale) {
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    if (std::getenv("LOCPATH") == nullptr && std::setlocale(LC_NUMERIC, BOXWRIGHT_COMMA_LOCALE) == nullptr) {
        GTEST_SKIP() << "run through ctest, which provides " << BOXWRIGHT_COMMA_LOCALE;
    }
    ASSERT_NE(std::setlocale(LC_NUMERIC, BOXWRIGHT_COMMA_LOCALE), nullptr) << BOXWRIGHT_COMMA_LOCALE;
    const double value = leadingNumber(u"4.5");
    std::setlocale(LC_NUMERIC, before.c_str());
    EXPECT_EQ(value, 4.5);
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
