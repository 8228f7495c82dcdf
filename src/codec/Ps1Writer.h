#pragma once

#include "model/DialogDefinition.h"

#include <string>
#include <string_view>
#include <vector>

namespace bw {

// The lines of the PowerShell script (.ps1) that shows the dialog with
// System.Windows.Forms.MessageBox, without line ends: a comment on how to run
// it, the assembly, the dialog, and with the continuation a switch on the
// answer with one branch a slot. The file is UTF-8 with a byte-order mark.
std::vector<std::u16string> ps1Lines(const DialogDefinition& def);

// A text as a PowerShell string expression: single-quoted literals (quotes
// doubled), line breaks and NUL as double-quoted backtick escapes between
// them, a lone surrogate as a [char] cast, joined with " + ".
std::u16string ps1TextExpression(std::u16string_view text);

}  // namespace bw
