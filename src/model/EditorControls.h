#pragma once

#include "WindowState.h"

#include <string>
#include <string_view>

namespace bw {

enum class TextBoxId { Text1, Text2, Text3, Text4, Text5, Text6 };
enum class CheckBoxId { Check1, Check3, Check5, Check6, Check7 };

// The main window's controls as the commands see them: the storage of the
// dialog definition. Texts cross this interface with CR LF line breaks.
//
// Reactions run synchronously, as the window's own do: changing a check box's
// value runs that box's reaction, and selecting an option runs its group's rule
// (see EditorRules), also when the option was already selected.
class EditorControls {
public:
    virtual ~EditorControls() = default;

    virtual std::u16string text(TextBoxId id) const = 0;
    virtual void setText(TextBoxId id, const std::u16string& text) = 0;

    // 0 unchecked, 1 checked.
    virtual int checkValue(CheckBoxId id) const = 0;
    virtual void setCheckValue(CheckBoxId id, int value) = 0;

    // Option1 indices 0 to 3, Option2 indices 5 to 10; -1 when none is selected.
    virtual int selectedIconOption() const = 0;
    virtual int selectedButtonOption() const = 0;
    virtual void selectIconOption(int index) = 0;
    virtual void selectButtonOption(int index) = 0;

    // The default button, as its position from the left (0, 1, 2), and how many
    // positions the selected button set offers to choose from.
    virtual int defaultButton() const = 0;
    virtual void setDefaultButton(int position) = 0;
    virtual void setDefaultButtonChoices(int count) = 0;

    // What the button-set rule does to the follow-up slots (0, 1, 2).
    virtual void setSlotControlsEnabled(int slot, bool enabled) = 0;
    virtual void setSlotFrameVisible(int slot, bool visible) = 0;
    virtual void setSlotCaption(int slot, std::u16string_view caption) = 0;

    // The hidden label through which the preview passes the style number as text.
    virtual std::u16string label1Caption() const = 0;
    virtual void setLabel1Caption(const std::u16string& caption) = 0;

    // The timeout, its follow-up and stay-on-top. Controls that do not offer
    // them hold none.
    virtual BoxOptions boxOptions() const { return {}; }
    virtual void setBoxOptions(const BoxOptions&) {}

    virtual WindowState& state() = 0;
    virtual const WindowState& state() const = 0;
};

}  // namespace bw
