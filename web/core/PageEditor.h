#pragma once

#include "model/EditorControls.h"

#include <array>
#include <string>

namespace bw::web {

// The page's controls as values: the page shows them and sends each click
// and keystroke here, and the core's rules react as the desktop window's do.
class PageEditor : public EditorControls {
public:
    std::array<std::u16string, 6> texts{};
    std::array<int, 5> checks{};
    int iconOption = -1;
    int buttonOption = -1;
    std::array<bool, 3> slotControlsEnabled{true, true, true};
    std::array<bool, 3> slotTextEnabled{true, true, true};
    std::array<bool, 3> frameVisible{true, true, true};
    std::array<std::u16string, 3> captions;
    int defaultPosition = 0;
    int defaultChoices = 3;
    bool wide = false;
    std::u16string label1 = u"0";
    WindowState windowState;

    PageEditor();

    std::u16string text(TextBoxId id) const override;
    void setText(TextBoxId id, const std::u16string& value) override;
    int checkValue(CheckBoxId id) const override;
    void setCheckValue(CheckBoxId id, int value) override;
    int selectedIconOption() const override { return iconOption; }
    int selectedButtonOption() const override { return buttonOption; }
    void selectIconOption(int index) override;
    void selectButtonOption(int index) override;
    int defaultButton() const override { return defaultPosition; }
    void setDefaultButton(int position) override { defaultPosition = position; }
    void setDefaultButtonChoices(int count) override { defaultChoices = count; }
    void setSlotControlsEnabled(int slot, bool enabled) override;
    void setSlotFrameVisible(int slot, bool visible) override;
    void setSlotCaption(int slot, std::u16string_view caption) override;
    std::u16string label1Caption() const override { return label1; }
    void setLabel1Caption(const std::u16string& caption) override { label1 = caption; }
    WindowState& state() override { return windowState; }
    const WindowState& state() const override { return windowState; }
};

}  // namespace bw::web
