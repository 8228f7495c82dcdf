#pragma once

#include "DialogDefinition.h"
#include "EditorControls.h"

#include <array>
#include <string>

namespace bw {

// The editor without a window: the controls as plain values, with the same
// reactions as the main window's (a changed check box runs its rule, a
// selected option runs its group's rule). The web page's editor is one; tests
// use it in place of the window.
class HeadlessEditor : public EditorControls {
public:
    std::array<std::u16string, 6> texts = {
        u"", u"", u"Text3", kInitialFollowUpText, kInitialFollowUpText, kInitialFollowUpText};
    std::array<int, 5> checks = {0, 0, 0, 0, 0};
    int iconOption = -1;
    int buttonOption = -1;
    std::array<bool, 3> slotControlsEnabled = {true, true, true};
    std::array<bool, 3> slotTextEnabled = {true, true, true};
    std::array<bool, 3> frameVisible = {true, true, true};
    std::array<std::u16string, 3> captions = {u"チェック0", u"チェック1", u"チェック2"};
    int defaultPosition = 0;
    int defaultChoices = 3;
    bool wide = false;
    std::u16string label1 = u"0";
    BoxOptions options;
    WindowState windowState;

    // The window's own start: narrow, then the start state.
    void load();

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
    BoxOptions boxOptions() const override { return options; }
    void setBoxOptions(const BoxOptions& value) override { options = value; }
    WindowState& state() override { return windowState; }
    const WindowState& state() const override { return windowState; }
};

}  // namespace bw
