#include "ScriptEscaper.h"

#include "CodePage932.h"

namespace bw {

namespace {

constexpr std::u16string_view kEscapedQuote = u"\"&Chr(34)&\"";
constexpr std::u16string_view kEscapedLineBreak = u"\"&vbCrLf&\"";
constexpr std::u16string_view kEscapedCr = u"\"&vbCr&\"";
constexpr std::u16string_view kEscapedLf = u"\"&vbLf&\"";
constexpr std::u16string_view kEscapedNul = u"\"&Chr(0)&\"";

// The decimal digits of a code unit, without going through a temporary string.
void appendDecimal(std::u16string& out, char16_t unit) {
    char16_t digits[5];
    int count = 0;
    unsigned value = unit;
    do {
        digits[count++] = static_cast<char16_t>(u'0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) {
        out += digits[--count];
    }
}

}  // namespace

std::u16string escapeForLiteral(std::u16string_view text) {
    const CodePage932& codePage = CodePage932::get();
    std::u16string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'"') {
            out += kEscapedQuote;
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            out += kEscapedLineBreak;
            ++i;
        } else if (c == u'\r') {
            out += kEscapedCr;
        } else if (c == u'\n') {
            out += kEscapedLf;
        } else if (c == u'\0') {
            out += kEscapedNul;
        } else if (codePage.holds(c)) {
            out += c;
        } else {
            out += u"\"&ChrW(";
            appendDecimal(out, c);
            out += u")&\"";
        }
    }
    return out;
}

}  // namespace bw
