#pragma once

#include <array>
#include <string>

namespace bw {

// The icon of the dialog and of every follow-up box.
enum class IconKind { Critical, Question, Exclamation, Information };

// The buttons of the dialog; follow-up boxes always show OK only.
enum class ButtonSet { OkOnly, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };

inline constexpr char16_t kInitialFollowUpText[] = u"本文";

// What happens after one button of the dialog: the box shown when it is pressed.
struct FollowUp {
    bool enabled = true;
    std::u16string text = kInitialFollowUpText;

    bool operator==(const FollowUp&) const = default;
};

// The one message-box dialog being edited. Line breaks inside texts are CR LF pairs.
struct DialogDefinition {
    std::u16string title;
    std::u16string body;
    IconKind icon = IconKind::Critical;
    ButtonSet buttons = ButtonSet::OkOnly;
    bool rightAligned = false;
    // The button that Enter presses and that has the focus when the box opens:
    // its position from the left, 0 to one less than the set's button count.
    int defaultButton = 0;
    bool continuation = false;
    std::array<FollowUp, 3> followUps;

    bool operator==(const DialogDefinition&) const = default;
};

}  // namespace bw
