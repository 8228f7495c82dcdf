#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bw {

// UTF-8 in standard C++, so that every system reads and writes it alike.

// How many bytes a text takes; a lone surrogate counts as U+FFFD.
std::size_t utf8Length(std::u16string_view text);

// Appends the bytes of a text. A lone surrogate, which UTF-8 cannot hold,
// becomes U+FFFD. The room is made at the exact size.
void appendUtf8(std::string& out, std::u16string_view text);
std::string toUtf8(std::u16string_view text);

// Appends the decoded bytes. Each byte that does not start a complete,
// shortest-form sequence of a scalar value gives one U+FFFD, and decoding goes
// on at the next byte.
void appendUtf8Decoded(std::u16string& out, std::string_view bytes);
std::u16string fromUtf8(std::string_view bytes);

// Whether the bytes are UTF-8 through and through.
bool isUtf8(std::string_view bytes);

// File names on systems whose names are bytes: a byte that is not part of
// valid UTF-8 stands for itself as a lone low surrogate U+DC80 to U+DCFF, so
// that every name comes back to its own bytes.
std::u16string fromUtf8Escaped(std::string_view bytes);
std::string toUtf8Escaped(std::u16string_view text);

}  // namespace bw
