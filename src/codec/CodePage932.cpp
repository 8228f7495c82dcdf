#include "CodePage932.h"

#include "CodePage932Table.h"
#include "DecodeInto.h"

#include <algorithm>

namespace bw {

// The encoding side is the decoding tables turned round, less the codes that
// only decode.
CodePage932::CodePage932() {
    for (unsigned byte = 0; byte < 0x100; ++byte) {
        const char16_t unit = cp932::kSingleByte[byte];
        if (unit != 0 || byte == 0) {
            bytes_[unit] = static_cast<std::uint16_t>(byte);
            length_[unit] = 1;
        }
    }
    for (unsigned lead = 0x81; lead < 0x100; ++lead) {
        const int row = cp932::leadIndex(lead);
        if (row < 0) {
            continue;
        }
        for (unsigned trail = cp932::kTrailFirst; trail <= cp932::kTrailLast; ++trail) {
            const char16_t unit = cp932::kDoubleByte[static_cast<std::size_t>(row) * cp932::kTrailCount +
                                                     (trail - cp932::kTrailFirst)];
            const auto code = static_cast<std::uint16_t>((lead << 8) | trail);
            if (unit != 0 && !std::binary_search(std::begin(cp932::kDecodeOnly), std::end(cp932::kDecodeOnly), code)) {
                bytes_[unit] = code;
                length_[unit] = 2;
            }
        }
    }
}

const CodePage932& CodePage932::get() {
    static const CodePage932 table;
    return table;
}

void CodePage932::appendEncoded(std::string& out, std::u16string_view text) const {
    std::size_t at = out.size();
    out.resize(at + text.size() * 2);
    char* p = out.data();
    for (const char16_t unit : text) {
        const std::uint16_t code = bytes_[unit];
        switch (length_[unit]) {
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

namespace {

// Hands each unit the bytes decode to to `emit`. An undefined or cut-off
// two-byte sequence gives one U+FFFD for its first byte.
template <typename Emit>
void decodeEach(std::string_view bytes, Emit emit) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int row = cp932::leadIndex(lead);
        if (row < 0) {
            const char16_t unit = cp932::kSingleByte[lead];
            emit(unit != 0 || lead == 0 ? unit : u'\uFFFD');
            continue;
        }
        if (i + 1 < bytes.size()) {
            const auto trail = static_cast<unsigned char>(bytes[i + 1]);
            if (trail >= cp932::kTrailFirst && trail <= cp932::kTrailLast) {
                const char16_t unit = cp932::kDoubleByte[static_cast<std::size_t>(row) * cp932::kTrailCount +
                                                         (trail - cp932::kTrailFirst)];
                if (unit != 0) {
                    emit(unit);
                    ++i;
                    continue;
                }
            }
        }
        emit(u'\uFFFD');
    }
}

}  // namespace

void CodePage932::appendDecoded(std::u16string& out, std::string_view bytes) const {
    appendCounted(out, [bytes](auto emit) { decodeEach(bytes, emit); });
}

std::string encodeCodePage932(std::u16string_view text) {
    std::string out;
    CodePage932::get().appendEncoded(out, text);
    return out;
}

std::u16string decodeCodePage932(std::string_view bytes) {
    std::u16string out;
    CodePage932::get().appendDecoded(out, bytes);
    return out;
}

}  // namespace bw
