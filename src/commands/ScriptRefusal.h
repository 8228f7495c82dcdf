#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bw {

// Why a file is not a dialog script the .vbs reader can take, in words for
// the user, or nothing when it is one. A file the writer wrote, and one edited
// by hand whose first line still shows a dialog (MsgBox or WScript.Shell's
// Popup, and a quoted text),
// is one; an empty file, a UTF-16 or UTF-8 file, and a
// file whose first line shows no dialog (a binary file, another script) are
// not.
inline constexpr std::u16string_view kNoDialogLine =
    u"Boxwright の VBScript 形式ではありません。1 行目に MsgBox のダイアログの行がありません。";

std::optional<std::u16string> whyNotAVbsScript(std::string_view bytes);

}  // namespace bw
