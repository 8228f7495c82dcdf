#pragma once

#include "ReadOutcome.h"

#include "codec/ScriptContents.h"
#include "model/LargeText.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace bw {

class EditorControls;
class FileDialog;
class FileStore;
class MessageBoxService;

// The open commands: a script's bytes from the file store, what the codec
// reads in them, and that written into the editor's controls with the
// reactions a user's clicks would run.
//
// Cancelled: nothing changes. Failed: the file could not be opened or is not
// in the format; a message box says so, and nothing changes.

// VBSを開く: asks for the file (no name filled in, the script filter, the
// open dialog, which starts in initDir from now on when one is given) and
// reads it as openScriptFile: a .ps1 chosen here is read as PowerShell.
ReadOutcome readScript(EditorControls& editor, FileDialog& dialog, FileStore& files, MessageBoxService& messages,
                       std::optional<std::u16string_view> initDir = std::nullopt);

// A .vbs named without the dialog. A file that is no dialog script at all
// (see whyNotAVbsScript) is refused with its reason; in any other the reader
// finds what it can (see codec/VbsReader.h): Read or Failed.
ReadOutcome readScriptFile(EditorControls& editor, const std::u16string& path, FileStore& files,
                           MessageBoxService& messages);

// PowerShellを開く: no name filled in, the PowerShell filter, the open dialog
// starting where the user last chose a file, then readPs1ScriptFile.
ReadOutcome readPs1Script(EditorControls& editor, FileDialog& dialog, FileStore& files, MessageBoxService& messages);

// A .ps1 is read whole or not at all: a file outside the format is reported
// with the line where it leaves it.
ReadOutcome readPs1ScriptFile(EditorControls& editor, const std::u16string& path, FileStore& files,
                              MessageBoxService& messages);

// A script named outside the open dialogs (the command line, a drop): a .ps1
// file (in any case) with the PowerShell reader, anything else with the .vbs reader.
ReadOutcome openScriptFile(EditorControls& editor, const std::u16string& path, FileStore& files,
                           MessageBoxService& messages);

// Writes what was read into the editor, with the reactions a user's clicks
// would run: the alignment, the body and title (and their snapshot entries),
// the button set (whose rule checks every slot), the icon, the default button,
// the continuation box, then each slot's check mark and text, and the follow-up
// snapshot entries when the follow-ups were read. An item the file did not
// yield stays as the control held it.
void applyScriptContents(EditorControls& editor, const ScriptContents& contents);

}  // namespace bw
