#pragma once

#include "ScriptContents.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// What a script in the writer's format says about a dialog.
//
// The lines are not parsed as VBScript: the texts are found by the positions of
// quotes, the button digit and icon number by the first "+" after the body,
// follow-ups by the exact second line, a disabled follow-up by a leading
// apostrophe. A step that finds nothing is skipped and its item stays empty
// (its control keeps its value), so any file is read as far as those
// positions carry.
//
// The default button, a format extension, is read from " + vbDefaultButton2"
// or " + vbDefaultButton3" after the icon number; a line without either means
// the first button.

// A first line that shows the box with WScript.Shell's Popup (a timeout) has
// the seconds and the title before the style; its Select Case block has a
// "Case -1" branch after the three slots.
//
// How many of a script's lines are read: the most the writer writes, before
// "End Select".
inline constexpr std::size_t kVbsScriptLines = 10;

// What the first eight of a script's lines say, by the rules above.
ScriptContents parseVbsScript(std::vector<std::u16string> lines);

// The same from the file's bytes (code page 932).
ScriptContents decodeVbsScript(std::string_view bytes);

}  // namespace bw
