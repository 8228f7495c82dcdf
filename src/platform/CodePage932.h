#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

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

// The code page 932 bytes of every UTF-16 code unit that survives the round
// trip (one or two bytes); length 0 for one that does not, surrogates
// included. Each backend fills it from the system's conversion (set()), then
// adds the extras above.
struct CodePage932Table {
    std::array<std::uint16_t, 0x10000> bytes{};
    std::array<std::uint8_t, 0x10000> length{};

    void set(char16_t unit, const char* encoded, std::size_t n) {
        length[unit] = static_cast<std::uint8_t>(n);
        bytes[unit] = static_cast<std::uint16_t>(n == 1 ? static_cast<unsigned char>(encoded[0])
                                                        : (static_cast<unsigned char>(encoded[0]) << 8) |
                                                              static_cast<unsigned char>(encoded[1]));
    }

    void addExtras() {
        for (const CodePage932Extra& extra : kCodePage932Extras) {
            length[extra.unit] = 1;
            bytes[extra.unit] = extra.byte;
        }
    }

    bool holds(char16_t unit) const { return length[unit] != 0; }

    // Appends the bytes of a text; a unit the code page cannot hold becomes '?'.
    void appendEncoded(std::string& out, std::u16string_view text) const {
        std::size_t at = out.size();
        out.resize(at + text.size() * 2);
        char* p = out.data();
        for (const char16_t unit : text) {
            const std::uint16_t code = bytes[unit];
            switch (length[unit]) {
                case 1:
                    p[at++] = static_cast<char>(code);
                    break;
                case 2:
                    p[at++] = static_cast<char>(code >> 8);
                    p[at++] = static_cast<char>(code & 0xFF);
                    break;
                default:
                    p[at++] = '?';
                    break;
            }
        }
        out.resize(at);
    }
};

}  // namespace bw
