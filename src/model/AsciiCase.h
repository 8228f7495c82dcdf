#pragma once

#include <algorithm>
#include <string_view>

// Comparisons that ignore the case of ASCII letters only, as script names,
// file-name suffixes and PowerShell's keywords are compared here.
namespace bw {

constexpr char16_t lowerAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

constexpr bool isAsciiAlnum(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

inline bool sameIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char16_t x, char16_t y) { return lowerAscii(x) == lowerAscii(y); });
}

inline bool endsWithIgnoringAsciiCase(std::u16string_view text, std::u16string_view suffix) {
    return text.size() >= suffix.size() && sameIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

}  // namespace bw
