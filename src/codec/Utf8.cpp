#include "Utf8.h"

#include "DecodeInto.h"

#include <cstdint>

namespace bw {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The scalar value at `i` (a surrogate pair as one), or U+FFFD for a lone
// surrogate; `i` moves past what it used.
char32_t scalarAt(std::u16string_view text, std::size_t& i) {
    const char16_t c = text[i++];
    if (isHighSurrogate(c) && i < text.size() && isLowSurrogate(text[i])) {
        return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i++] - 0xDC00);
    }
    return isHighSurrogate(c) || isLowSurrogate(c) ? kReplacement : c;
}

std::size_t encodedLength(char32_t scalar) {
    return scalar < 0x80 ? 1 : scalar < 0x800 ? 2 : scalar < 0x10000 ? 3 : 4;
}

// The scalar value of a complete, shortest-form sequence at the start of
// `bytes` and its length; length 0 when there is none.
struct Decoded {
    char32_t scalar = 0;
    std::size_t length = 0;
};

Decoded decodeOne(std::string_view bytes) {
    const auto b0 = static_cast<unsigned char>(bytes[0]);
    if (b0 < 0x80) {
        return {b0, 1};
    }
    std::size_t length = 0;
    char32_t scalar = 0;
    char32_t lowest = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
        scalar = b0 & 0x1Fu;
        lowest = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        scalar = b0 & 0x0Fu;
        lowest = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        scalar = b0 & 0x07u;
        lowest = 0x10000;
    } else {
        return {};
    }
    if (bytes.size() < length) {
        return {};
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto b = static_cast<unsigned char>(bytes[k]);
        if ((b & 0xC0) != 0x80) {
            return {};
        }
        scalar = (scalar << 6) | (b & 0x3Fu);
    }
    if (scalar < lowest || scalar > 0x10FFFF || (scalar >= 0xD800 && scalar <= 0xDFFF)) {
        return {};
    }
    return {scalar, length};
}

}  // namespace

std::size_t utf8Length(std::u16string_view text) {
    std::size_t length = 0;
    for (std::size_t i = 0; i < text.size();) {
        length += encodedLength(scalarAt(text, i));
    }
    return length;
}

void appendUtf8(std::string& out, std::u16string_view text) {
    std::size_t at = out.size();
    out.resize(at + utf8Length(text));
    char* p = out.data();
    for (std::size_t i = 0; i < text.size();) {
        const char32_t s = scalarAt(text, i);
        switch (encodedLength(s)) {
            case 1:
                p[at++] = static_cast<char>(s);
                break;
            case 2:
                p[at++] = static_cast<char>(0xC0 | (s >> 6));
                p[at++] = static_cast<char>(0x80 | (s & 0x3F));
                break;
            case 3:
                p[at++] = static_cast<char>(0xE0 | (s >> 12));
                p[at++] = static_cast<char>(0x80 | ((s >> 6) & 0x3F));
                p[at++] = static_cast<char>(0x80 | (s & 0x3F));
                break;
            default:
                p[at++] = static_cast<char>(0xF0 | (s >> 18));
                p[at++] = static_cast<char>(0x80 | ((s >> 12) & 0x3F));
                p[at++] = static_cast<char>(0x80 | ((s >> 6) & 0x3F));
                p[at++] = static_cast<char>(0x80 | (s & 0x3F));
                break;
        }
    }
}

std::string toUtf8(std::u16string_view text) {
    std::string out;
    appendUtf8(out, text);
    return out;
}

namespace {

// Hands each unit the bytes decode to to `emit`.
template <typename Emit>
void decodeEach(std::string_view bytes, Emit emit) {
    for (std::size_t i = 0; i < bytes.size();) {
        const Decoded d = decodeOne(bytes.substr(i));
        if (d.length == 0) {
            emit(kReplacement);
            ++i;
            continue;
        }
        i += d.length;
        if (d.scalar < 0x10000) {
            emit(static_cast<char16_t>(d.scalar));
        } else {
            emit(static_cast<char16_t>(0xD800 + ((d.scalar - 0x10000) >> 10)));
            emit(static_cast<char16_t>(0xDC00 + ((d.scalar - 0x10000) & 0x3FF)));
        }
    }
}

}  // namespace

void appendUtf8Decoded(std::u16string& out, std::string_view bytes) {
    appendCounted(out, [bytes](auto emit) { decodeEach(bytes, emit); });
}

std::u16string fromUtf8(std::string_view bytes) {
    std::u16string out;
    appendUtf8Decoded(out, bytes);
    return out;
}

bool isUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = decodeOne(bytes.substr(i)).length;
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

std::u16string fromUtf8Escaped(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const Decoded d = decodeOne(bytes.substr(i));
        if (d.length == 0) {
            out += static_cast<char16_t>(0xDC00 + static_cast<unsigned char>(bytes[i]));
            ++i;
        } else if (d.scalar < 0x10000) {
            out += static_cast<char16_t>(d.scalar);
            i += d.length;
        } else {
            out += static_cast<char16_t>(0xD800 + ((d.scalar - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((d.scalar - 0x10000) & 0x3FF));
            i += d.length;
        }
    }
    return out;
}

std::string toUtf8Escaped(std::u16string_view text) {
    std::string out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool escapedByte = c >= 0xDC80 && c <= 0xDCFF && (i == 0 || !isHighSurrogate(text[i - 1]));
        if (escapedByte) {
            appendUtf8(out, text.substr(start, i - start));
            out += static_cast<char>(c - 0xDC00);
            start = i + 1;
        }
    }
    appendUtf8(out, text.substr(start));
    return out;
}

}  // namespace bw
