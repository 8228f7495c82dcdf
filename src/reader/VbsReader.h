#pragma once

#include "ReadOutcome.h"
#include "ScriptContents.h"

#include <cstddef>
#include <string>
#include <vector>

namespace bw {

class EditorControls;
class FileDialog;
class MessageBoxService;
class TextFileStore;

// Opens a script in the writer's format back into the editor: asks for the file
// ("dialog.vbs", the script filter, the open dialog), reads at most its first
// eight lines and writes the dialog they describe into the controls, running the
// controls' reactions as the user's clicks would.
//
// The lines are not parsed as VBScript: the texts are found by the positions of
// quotes, the button digit and icon number by the first "+" after the body,
// follow-ups by the exact second line, a disabled follow-up by a leading
// apostrophe. A step that finds nothing is skipped and its control keeps its
// value, so any file is read as far as those positions carry.
//
// Cancelled: nothing changes. Failed: the file could not be opened; a message
// box names it and the system's reason, and nothing changes.
//
// The default button, a format extension, is read from " + vbDefaultButton2"
// or " + vbDefaultButton3" after the icon number; a line without either means
// the first button.
ReadOutcome readScript(EditorControls& editor, FileDialog& dialog, TextFileStore& files, MessageBoxService& messages);

// How many of a script's lines are read: the most the writer writes.
inline constexpr std::size_t kVbsScriptLines = 8;

// What the first eight of a script's lines say, by the rules above.
ScriptContents parseVbsScript(std::vector<std::u16string> lines);

// The same for a file named without the dialog (the command line, a drop):
// Read or Failed.
ReadOutcome readScriptFile(EditorControls& editor, const std::u16string& path, TextFileStore& files,
                           MessageBoxService& messages);

}  // namespace bw
