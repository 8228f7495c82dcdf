#pragma once

#include <string>
#include <string_view>

namespace bw {

class TextFileStore;

// Escaping of a text for a string literal of the script, in one left-to-right pass:
// a double quote becomes "&Chr(34)&" in quotes, a CR LF pair (when line breaks are
// escaped) "&vbCrLf&" in quotes, and a code unit the code page cannot hold
// "&ChrW(n)&" in quotes. A lone CR or LF and every other character stay as they are.
enum class LineBreaks { Escape, Keep };

std::u16string escapeForLiteral(std::u16string_view text, LineBreaks lineBreaks, const TextFileStore& codePage);

}  // namespace bw
