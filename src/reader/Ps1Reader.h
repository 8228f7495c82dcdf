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

// What a PowerShell script in Boxwright's format says, or where it leaves the
// format (errorLine, counted from 1). Unlike the .vbs reader this one parses:
// a file is read whole or not at all. Within the format, line ends may be CR
// LF or LF, blank lines and comment lines may stand between the statements,
// indentation and the case of names are free, and a follow-up branch may
// stand on one line; anything else is outside it.
struct Ps1Parse {
    bool ok = false;
    ScriptContents contents;
    std::size_t errorLine = 0;
};

Ps1Parse parsePs1Script(const std::vector<std::u16string>& lines);

// The open command for PowerShell scripts: asks for the file ("dialog.ps1",
// the PowerShell filter, the open dialog) and reads it as readPs1ScriptFile.
ReadOutcome readPs1Script(EditorControls& editor, FileDialog& dialog, TextFileStore& files,
                          MessageBoxService& messages);

// Reads a .ps1 file into the editor through the same apply step as a .vbs
// file. A file that cannot be read, or is not in the format, is reported in a
// message box and changes nothing.
ReadOutcome readPs1ScriptFile(EditorControls& editor, const std::u16string& path, TextFileStore& files,
                              MessageBoxService& messages);

}  // namespace bw
