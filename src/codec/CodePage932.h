#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace bw {

// Windows' code page 932, the code page of the .vbs and .htm files, compiled
// in: the same bytes on every system, with no conversion asked of the system.
class CodePage932 {
public:
    // The one table, built on first use.
    static const CodePage932& get();

    // Whether a UTF-16 code unit survives the round trip through the code page.
    bool holds(char16_t unit) const { return length_[unit] != 0; }

    // Appends the bytes of a text; a unit the code page cannot hold becomes '?'.
    void appendEncoded(std::string& out, std::u16string_view text) const;

    // Appends the decoded bytes. An undefined or cut-off two-byte sequence
    // gives one U+FFFD for its first byte, and decoding goes on at the next.
    void appendDecoded(std::u16string& out, std::string_view bytes) const;

private:
    CodePage932();
    std::array<std::uint16_t, 0x10000> bytes_{};
    std::array<std::uint8_t, 0x10000> length_{};
};

// A text's bytes in the code page ('?' for what it cannot hold), and back.
std::string encodeCodePage932(std::u16string_view text);
std::u16string decodeCodePage932(std::string_view bytes);

}  // namespace bw
