#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bw {

// A text longer than this many UTF-16 units is far beyond what a message box
// shows (MsgBox shows about 1,023): the open asks before loading it.
inline constexpr std::size_t kLargeTextUnits = std::size_t{1} << 20;

// A text box lays out and shapes a whole line at once: a line of this many
// units takes it about a tenth of a second, a line of a million several
// seconds. A longer line, or a text longer than kLargeTextUnits, is shown
// only in part and read-only, while the editor keeps every character.
inline constexpr std::size_t kLongestLaidOutLine = 16 * 1024;
inline constexpr std::size_t kGlimpseLines = 64;
inline constexpr std::size_t kGlimpseLineUnits = 1024;

// Whether a text is shown only in part. Lines end at LF (a CR LF pair's too).
bool isLargeText(std::u16string_view text);

// The beginning of a large text: its first lines, each cut to a length a box
// lays out at once, and an ellipsis where anything was left out.
std::u16string glimpse(std::u16string_view text, std::size_t lines);

}  // namespace bw
