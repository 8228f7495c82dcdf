#pragma once

#include <cstddef>
#include <cstdint>

// The code page 932 tables, generated (CodePage932Table.cpp); CodePage932 reads them.
namespace bw::cp932 {

inline constexpr unsigned kTrailFirst = 0x40;
inline constexpr unsigned kTrailLast = 0xFC;
inline constexpr std::size_t kTrailCount = kTrailLast - kTrailFirst + 1;
inline constexpr std::size_t kLeadCount = (0xA0 - 0x81) + (0xFD - 0xE0);
inline constexpr std::size_t kDecodeOnlyCount = 398;

// The lead bytes 81..9F and E0..FC in a row, 0 to kLeadCount - 1; -1 for any other byte.
constexpr int leadIndex(unsigned byte) {
    if (byte >= 0x81 && byte <= 0x9F) {
        return static_cast<int>(byte - 0x81);
    }
    if (byte >= 0xE0 && byte <= 0xFC) {
        return static_cast<int>(byte - 0xE0 + (0xA0 - 0x81));
    }
    return -1;
}

// The unit of each single byte; 0 for a lead byte (and for the byte 00 itself).
extern const char16_t kSingleByte[256];
// The unit of each lead and trail byte, by leadIndex and trail - kTrailFirst; 0 where undefined.
extern const char16_t kDoubleByte[kLeadCount * kTrailCount];
// Two-byte codes that decode to a character Windows encodes with another code.
extern const std::uint16_t kDecodeOnly[kDecodeOnlyCount];

}  // namespace bw::cp932
