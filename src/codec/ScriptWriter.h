#pragma once

#include "model/DialogDefinition.h"
#include "model/WindowState.h"

#include <string>
#include <string_view>
#include <vector>

namespace bw {

// The lines of the script file, without line ends: line 1 alone, or the nine
// lines with the Select Case block when the definition has its continuation
// (eleven with a timeout, whose branch is "Case -1"). With a timeout line 1
// shows the box with WScript.Shell's Popup, which closes it after the time;
// stay-on-top adds " + vbSystemModal" to every box's style.
// Style values, result codes and the alignment suffix come from the window state.
std::vector<std::u16string> vbsLines(const DialogDefinition& def, const WindowState& state);

// The same lines inside a script element: an opening line, the script, a
// closing line. A page shows the box with MsgBox whatever the timeout, and
// says so in a comment line first. A "<" that would end the element ("</script" in a text) is
// written as "&Chr(60)&".
std::vector<std::u16string> htmlLines(const DialogDefinition& def, const WindowState& state);

inline constexpr char16_t kHtmlFirstLine[] = u"<script language= VBScript><!--";
// The page's first script line when the dialog has a timeout.
inline constexpr std::u16string_view kHtmlNoTimeoutNote =
    u"' このページのボックスは時間切れで閉じません。ページからは WScript.Shell の Popup を使えないためです。";

// The first line's start with a timeout, the style's stay-on-top flag, and
// the follow-up branch of a box that closed by itself.
inline constexpr std::u16string_view kPopupStart = u"selectkey = CreateObject(\"WScript.Shell\").Popup(";
inline constexpr std::u16string_view kSystemModalSuffix = u" + vbSystemModal";
inline constexpr std::u16string_view kTimedOutCase = u"Case -1";
inline constexpr char16_t kHtmlLastLine[] = u"--></script> ";

}  // namespace bw
