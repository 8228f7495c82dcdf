#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace bw {

class FileDialog;
class MessageBoxService;

// The steps every open command shares, whatever the format.

// Shows the open dialog with the format's bare default name and filter: the
// chosen path, or nothing when the user cancelled (the name came back as set).
std::optional<std::u16string> chooseScript(FileDialog& dialog, std::u16string_view defaultName,
                                           std::u16string_view filter);

// Says that a file could not be read: its path, then the reason.
void reportUnreadable(MessageBoxService& messages, const std::u16string& path, const std::u16string& reason);

}  // namespace bw
