#pragma once

#include "ReadOutcome.h"

#include <string>

namespace bw {

class EditorControls;
class MessageBoxService;
class TextFileStore;

// Opens a script named outside the open dialogs (the command line, a drop):
// a .ps1 file (in any case) with the PowerShell reader, anything else with the .vbs reader.
ReadOutcome openScriptFile(EditorControls& editor, const std::u16string& path, TextFileStore& files,
                           MessageBoxService& messages);

}  // namespace bw
