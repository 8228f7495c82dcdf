#pragma once

#include "DialogDefinition.h"

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

// The parts of the definition that are not texts, as they stood at the last
// save or read (or at load): with the texts of the snapshot they tell whether
// the work has changed.
struct SavedChoices {
    IconKind icon = IconKind::Critical;
    ButtonSet buttons = ButtonSet::OkOnly;
    bool rightAligned = false;
    int defaultButton = 0;
    bool continuation = false;
    std::array<bool, 3> followUpsEnabled = {true, true, true};
    BoxOptions options;

    bool operator==(const SavedChoices&) const = default;
};

// The snapshot taken when the main window loads: the controls' initial texts.
SavedSnapshot initialSnapshot();

}  // namespace bw
