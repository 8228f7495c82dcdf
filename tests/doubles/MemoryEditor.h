#pragma once

#include "model/EditorRules.h"
#include "model/HeadlessEditor.h"

#include <string>
#include <vector>

namespace bw::test {

// The headless editor, recording the order of what happens so that tests can
// check it: each check box that changes, each option selected, each default
// button that changes.
class MemoryEditor : public HeadlessEditor {
public:
    std::vector<std::string> events;

    void setCheckValue(CheckBoxId id, int value) override {
        if (checks[static_cast<std::size_t>(id)] != value) {
            events.push_back("check" + std::to_string(static_cast<int>(id)) + "=" + std::to_string(value));
        }
        HeadlessEditor::setCheckValue(id, value);
    }
    void selectIconOption(int index) override {
        if (index >= 0 && index <= 3) {
            events.push_back("icon" + std::to_string(index));
        }
        HeadlessEditor::selectIconOption(index);
    }
    void selectButtonOption(int index) override {
        if (index >= 5 && index <= 10) {
            events.push_back("buttons" + std::to_string(index));
        }
        HeadlessEditor::selectButtonOption(index);
    }
    void setDefaultButton(int position) override {
        if (position != defaultPosition) {
            events.push_back("default" + std::to_string(position));
        }
        HeadlessEditor::setDefaultButton(position);
    }
};

}  // namespace bw::test
