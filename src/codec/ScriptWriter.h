#pragma once

#include "model/DialogDefinition.h"
#include "model/WindowState.h"

#include <string>
#include <vector>

namespace bw {

// The lines of the script file, without line ends: line 1 alone, or the nine
// lines with the Select Case block when the definition has its continuation.
// Style values, result codes and the alignment suffix come from the window state.
std::vector<std::u16string> vbsLines(const DialogDefinition& def, const WindowState& state);

// The same lines inside a script element: an opening line, the script, a
// closing line. A "<" that would end the element ("</script" in a text) is
// written as "&Chr(60)&".
std::vector<std::u16string> htmlLines(const DialogDefinition& def, const WindowState& state);

inline constexpr char16_t kHtmlFirstLine[] = u"<script language= VBScript><!--";
inline constexpr char16_t kHtmlLastLine[] = u"--></script> ";

}  // namespace bw
