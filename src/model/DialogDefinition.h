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

// The longest a first box may wait before it closes by itself: a day.
inline constexpr int kLongestTimeoutSeconds = 24 * 60 * 60;

// What the dialog does beyond MsgBox's own choices: the first box may close
// by itself after a time, and then shows its own follow-up; every box may stay
// in front of other windows. None of them is set by default, and a definition
// without them is written as if they did not exist.
struct BoxOptions {
    int timeoutSeconds = 0;  // 0: the box waits for a button
    FollowUp onTimeout;      // shown, with the continuation, when the time ran out
    bool stayOnTop = false;

    bool operator==(const BoxOptions&) const = default;
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
    BoxOptions options;

    bool operator==(const DialogDefinition&) const = default;
};

}  // namespace bw
