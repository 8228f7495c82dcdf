#pragma once

#include "model/EditorControls.h"
#include "model/EditorRules.h"

#include <array>
#include <string>
#include <vector>

namespace bw::test {

// An editor without widgets that runs the same reactions as the main window:
// a changed check box runs its rule, a selected option runs its group's rule.
// It records the order of what happened so tests can check it.
class MemoryEditor : public EditorControls {
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
    WindowState windowState;
    std::vector<std::string> events;

    // The window's own start: narrow, then the start state.
    void load() {
        wide = false;
        applyStartState(*this);
    }

    std::u16string text(TextBoxId id) const override { return texts[static_cast<std::size_t>(id)]; }
    void setText(TextBoxId id, const std::u16string& value) override { texts[static_cast<std::size_t>(id)] = value; }

    int checkValue(CheckBoxId id) const override { return checks[static_cast<std::size_t>(id)]; }
    void setCheckValue(CheckBoxId id, int value) override {
        int& current = checks[static_cast<std::size_t>(id)];
        if (current == value) {
            return;
        }
        current = value;
        events.push_back("check" + std::to_string(static_cast<int>(id)) + "=" + std::to_string(value));
        switch (id) {
            case CheckBoxId::Check1:
                wide = !wide;
                break;
            case CheckBoxId::Check5:
            case CheckBoxId::Check6:
            case CheckBoxId::Check7: {
                const auto slot = static_cast<std::size_t>(id) - static_cast<std::size_t>(CheckBoxId::Check5);
                slotTextEnabled[slot] = slotTextEnabledFor(value);
                break;
            }
            case CheckBoxId::Check3:
                break;
        }
    }

    int selectedIconOption() const override { return iconOption; }
    int selectedButtonOption() const override { return buttonOption; }
    void selectIconOption(int index) override {
        if (index < 0 || index > 3) {
            return;
        }
        iconOption = index;
        events.push_back("icon" + std::to_string(index));
        applyIconRule(*this, index);
    }
    void selectButtonOption(int index) override {
        if (index < 5 || index > 10) {
            return;
        }
        buttonOption = index;
        events.push_back("buttons" + std::to_string(index));
        applyButtonSetRule(*this, index);
    }

    int defaultButton() const override { return defaultPosition; }
    void setDefaultButton(int position) override {
        if (position != defaultPosition) {
            defaultPosition = position;
            events.push_back("default" + std::to_string(position));
        }
    }
    void setDefaultButtonChoices(int count) override { defaultChoices = count; }

    void setSlotControlsEnabled(int slot, bool enabled) override {
        slotControlsEnabled[static_cast<std::size_t>(slot)] = enabled;
        slotTextEnabled[static_cast<std::size_t>(slot)] = enabled;
    }
    void setSlotFrameVisible(int slot, bool visible) override {
        frameVisible[static_cast<std::size_t>(slot)] = visible;
    }
    void setSlotCaption(int slot, std::u16string_view caption) override {
        captions[static_cast<std::size_t>(slot)] = caption;
    }

    std::u16string label1Caption() const override { return label1; }
    void setLabel1Caption(const std::u16string& caption) override { label1 = caption; }

    WindowState& state() override { return windowState; }
    const WindowState& state() const override { return windowState; }
};

}  // namespace bw::test
