#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bw {

// Positions on a script line count characters from 1; 0 stands for "not found".
using LinePosition = std::int64_t;

struct ScriptLiteral {
    std::u16string text;        // the characters the literal stands for
    LinePosition closingQuote;  // the quote that ends the literal
};

// Reads the string literal whose first character stands at position `first`
// (the character after its opening quote), in one left-to-right pass over the
// line's own characters:
//   a quote, "&Chr(34)&", a quote                 -> one double quote
//   a quote, "&vbCrLf&", a quote                  -> CR LF
//   a quote, "&vbCr&", a quote                    -> CR
//   a quote, "&vbLf&", a quote                    -> LF
//   a quote, "&Chr(0)&", a quote                  -> NUL
//   a quote, "&ChrW(", decimal digits, ")&", a quote -> that UTF-16 code unit (0 to 65535);
//                                                    two such units in a row form a surrogate pair
//   any other quote                               -> ends the literal
//   every other character                         -> itself
// Nothing when the line ends before the literal does.
std::optional<ScriptLiteral> readLiteral(std::u16string_view line, LinePosition first);

}  // namespace bw
