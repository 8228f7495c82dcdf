#include "HeadlessEditor.h"

#include "EditorRules.h"

namespace bw {

namespace {

std::size_t at(auto id) { return static_cast<std::size_t>(id); }

}  // namespace

void HeadlessEditor::load() {
    wide = false;
    applyStartState(*this);
}

std::u16string HeadlessEditor::text(TextBoxId id) const { return texts[at(id)]; }
void HeadlessEditor::setText(TextBoxId id, const std::u16string& value) { texts[at(id)] = value; }

int HeadlessEditor::checkValue(CheckBoxId id) const { return checks[at(id)]; }

void HeadlessEditor::setCheckValue(CheckBoxId id, int value) {
    int& current = checks[at(id)];
    if (current == value) {
        return;
    }
    current = value;
    switch (id) {
        case CheckBoxId::Check1:
            wide = !wide;
            break;
        case CheckBoxId::Check5:
        case CheckBoxId::Check6:
        case CheckBoxId::Check7:
            slotTextEnabled[at(id) - at(CheckBoxId::Check5)] = slotTextEnabledFor(value);
            break;
        case CheckBoxId::Check3:
            break;
    }
}

void HeadlessEditor::selectIconOption(int index) {
    if (index < 0 || index > 3) {
        return;
    }
    iconOption = index;
    applyIconRule(*this, index);
}

void HeadlessEditor::selectButtonOption(int index) {
    if (index < 5 || index > 10) {
        return;
    }
    buttonOption = index;
    applyButtonSetRule(*this, index);
}

void HeadlessEditor::setSlotControlsEnabled(int slot, bool enabled) {
    slotControlsEnabled[at(slot)] = enabled;
    slotTextEnabled[at(slot)] = enabled;
}

void HeadlessEditor::setSlotFrameVisible(int slot, bool visible) { frameVisible[at(slot)] = visible; }

void HeadlessEditor::setSlotCaption(int slot, std::u16string_view caption) { captions[at(slot)] = caption; }

}  // namespace bw
