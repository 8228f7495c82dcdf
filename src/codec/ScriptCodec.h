#pragma once

#include "TextLines.h"

#include "model/DialogDefinition.h"
#include "model/ScriptFormat.h"
#include "model/WindowState.h"

#include <string>
#include <vector>

namespace bw {

// The encoding of each format's files: code page 932, or UTF-8 for PowerShell.
TextEncoding encodingOf(ScriptFormat format);

// The lines a save of the format writes, without line ends.
std::vector<std::u16string> scriptLines(ScriptFormat format, const DialogDefinition& def, const WindowState& state);

// The bytes of the file a save of the format writes.
std::string encodeScript(ScriptFormat format, const DialogDefinition& def, const WindowState& state);

}  // namespace bw
