#pragma once

#include <array>
#include <cstdint>

namespace bw {

// Single bytes that Windows' code page 932 maps to characters of their own and
// that other tables (glibc's among them) leave undefined. Both backends decode
// and encode them this way, so a file reads and writes alike on every system.
struct CodePage932Extra {
    std::uint8_t byte;
    char16_t unit;
};

inline constexpr std::array<CodePage932Extra, 5> kCodePage932Extras{{
    {0x80, u'\u0080'},
    {0xA0, u'\uF8F0'},
    {0xFD, u'\uF8F1'},
    {0xFE, u'\uF8F2'},
    {0xFF, u'\uF8F3'},
}};

}  // namespace bw
