#pragma once

#include <array>
#include <string>

namespace bw {

// The five texts as they stood at the last save or read: body, title and the
// three follow-up texts. Closing the window asks to save when they differ.
struct SavedSnapshot {
    std::u16string body;
    std::u16string title;
    std::array<std::u16string, 3> followUps;

    bool operator==(const SavedSnapshot&) const = default;
};

// The snapshot taken when the main window loads: the controls' initial texts.
SavedSnapshot initialSnapshot();

}  // namespace bw
