#include "WindowState.h"

#include "DialogDefinition.h"
#include "MessageBoxStyle.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <locale>
#include <sstream>
#include <string>

namespace bw {

SavedSnapshot initialSnapshot() {
    return SavedSnapshot{u"", u"", {kInitialFollowUpText, kInitialFollowUpText, kInitialFollowUpText}};
}

namespace {

std::u16string widen(std::string_view ascii) { return {ascii.begin(), ascii.end()}; }

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Plain decimal text to a double and back, the same in every locale. Where the
// standard library has no floating-point from_chars and to_chars (libc++ 13,
// which the WebAssembly build uses), streams in the classic locale do it: the
// same value, and the shortest text that reads back as it.
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
bool parseDecimal(const std::string& ascii, double& value) {
    const char* first = ascii.data() + (ascii[0] == '+' ? 1 : 0);
    return std::from_chars(first, ascii.data() + ascii.size(), value).ec != std::errc::result_out_of_range;
}

std::string shortestText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, static_cast<std::size_t>(result.ptr - buffer));
}
#else
bool parseDecimal(const std::string& ascii, double& value) {
    std::istringstream in(ascii);
    in.imbue(std::locale::classic());
    in >> value;
    return !in.fail();
}

std::string shortestText(double value) {
    std::string text;
    for (int precision = 1; precision <= std::numeric_limits<double>::max_digits10; ++precision) {
        std::ostringstream out;
        out.imbue(std::locale::classic());
        out.precision(precision);
        out << value;
        text = out.str();
        double back = 0.0;
        if (parseDecimal(text, back) && back == value) {
            break;
        }
    }
    return text;
}
#endif

}  // namespace

std::u16string decimalText(std::int64_t value) { return widen(std::to_string(value)); }

double leadingNumber(std::u16string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) {
        ++i;
    }
    std::string ascii;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        ascii += static_cast<char>(text[i++]);
    }
    bool digits = false;
    while (i < text.size() && isDigit(text[i])) {
        ascii += static_cast<char>(text[i++]);
        digits = true;
    }
    if (i < text.size() && text[i] == u'.') {
        ascii += '.';
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ascii += static_cast<char>(text[i++]);
            digits = true;
        }
    }
    if (!digits) {
        return 0.0;
    }
    // Read the same whatever the user's locale: strtod would stop at the point
    // where the decimal separator is a comma.
    double value = 0.0;
    if (!parseDecimal(ascii, value)) {
        // With no exponent read, only a long whole part overflows; a long fraction underflows.
        const bool overflows = ascii.find_first_of("123456789") < ascii.find('.');
        value = overflows ? std::numeric_limits<double>::infinity() : 0.0;
        return ascii[0] == '-' ? -value : value;
    }
    return value;
}

std::u16string numberText(double value) {
    if (std::isfinite(value) && std::trunc(value) == value && std::fabs(value) < 1e15) {
        return widen(std::to_string(static_cast<std::int64_t>(value)));
    }
    return widen(shortestText(value));
}

std::int32_t toStyleInteger(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    const double rounded = std::nearbyint(value);
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    if (rounded < lo) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (rounded > hi) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(rounded);
}

std::u16string rightSuffixFor(bool rightAligned) { return rightAligned ? kRightSuffix : u""; }

std::u16string_view defaultButtonSuffix(int position) {
    switch (position) {
        case 1:
            return u" + vbDefaultButton2";
        case 2:
            return u" + vbDefaultButton3";
        default:
            return {};
    }
}

int defaultButtonStyle(int position) {
    switch (position) {
        case 1:
            return msgbox::DefaultButton2;
        case 2:
            return msgbox::DefaultButton3;
        default:
            return 0;
    }
}

}  // namespace bw
