#pragma once

#include "ScriptContents.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// What a PowerShell script in Boxwright's format says, or where it leaves the
// format (errorLine, counted from 1). Unlike the .vbs reader this one parses:
// a file is read whole or not at all. Within the format, line ends may be CR
// LF or LF, blank lines and comment lines may stand between the statements,
// indentation and the case of names are free, and a follow-up branch may
// stand on one line; anything else is outside it.
// How the file's bytes were read: UTF-8 after its byte-order mark, as the
// writer writes it; UTF-8 without the mark; code page 932, for bytes that are
// not UTF-8 and have no mark; UTF-16 after its mark (little or big endian).
enum class Ps1Encoding { Utf8WithMark, Utf8, CodePage932, Utf16 };

struct Ps1Parse {
    bool ok = false;
    ScriptContents contents;
    std::size_t errorLine = 0;
    std::u16string_view reason;  // what was looked for where the format was left
    Ps1Encoding encoding = Ps1Encoding::Utf8WithMark;
};

Ps1Parse parsePs1Script(const std::vector<std::u16string>& lines);

// The same from the file's bytes, in the encoding they say (see Ps1Encoding).
Ps1Parse decodePs1Script(std::string_view bytes);

}  // namespace bw
