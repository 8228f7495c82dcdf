#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// How a script file stores its characters.
enum class TextEncoding {
    // Code page 932, the .vbs and .htm files' code page. A unit it cannot hold
    // is written as '?', so the writers escape such units before they get here.
    CodePage932,
    // UTF-8, written with a byte-order mark and read with or without one.
    Utf8,
};

// A file's bytes: every line followed by CR LF.
std::string encodeLines(const std::vector<std::u16string>& lines, TextEncoding encoding);

// At most maxLines lines of a file's bytes. Lines end at CR LF pairs only (no
// two-byte character of either encoding holds a CR or LF byte): a lone CR or LF
// belongs to its line, and the last line may lack its CR LF. A UTF-8 file may
// open with a byte-order mark, which is not part of the text.
std::vector<std::u16string> decodeLines(std::string_view bytes, std::size_t maxLines, TextEncoding encoding);

// The same for a text already decoded.
std::vector<std::u16string> splitLines(std::u16string_view text, std::size_t maxLines);

}  // namespace bw
