#include "PageEditor.h"

#include "model/DialogDefinition.h"
#include "model/DialogTables.h"
#include "model/EditorRules.h"

namespace bw::web {

namespace {

std::size_t at(auto id) { return static_cast<std::size_t>(id); }

}  // namespace

// The window's designed state, then its start: narrow, the first icon and
// button set, every slot's text the initial follow-up text.
PageEditor::PageEditor() {
    texts[at(TextBoxId::Text3)] = u"Text3";
    for (const TextBoxId id : {TextBoxId::Text4, TextBoxId::Text5, TextBoxId::Text6}) {
        texts[at(id)] = kInitialFollowUpText;
    }
    for (std::size_t slot = 0; slot < captions.size(); ++slot) {
        captions[slot] = kDesignSlotCaptions[slot];
    }
    applyStartState(*this);
}

std::u16string PageEditor::text(TextBoxId id) const { return texts[at(id)]; }

void PageEditor::setText(TextBoxId id, const std::u16string& value) { texts[at(id)] = value; }

int PageEditor::checkValue(CheckBoxId id) const { return checks[at(id)]; }

void PageEditor::setCheckValue(CheckBoxId id, int value) {
    int& current = checks[at(id)];
    if (current == value) {
        return;
    }
    current = value;
    switch (id) {
        case CheckBoxId::Check1:
            wide = value != 0;
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

void PageEditor::selectIconOption(int index) {
    if (!iconRowForOption(index)) {
        return;
    }
    iconOption = index;
    applyIconRule(*this, index);
}

void PageEditor::selectButtonOption(int index) {
    if (!buttonSetRowForOption(index)) {
        return;
    }
    buttonOption = index;
    applyButtonSetRule(*this, index);
}

void PageEditor::setSlotControlsEnabled(int slot, bool enabled) {
    slotControlsEnabled[at(slot)] = enabled;
    slotTextEnabled[at(slot)] = enabled;
}

void PageEditor::setSlotFrameVisible(int slot, bool visible) { frameVisible[at(slot)] = visible; }

void PageEditor::setSlotCaption(int slot, std::u16string_view caption) { captions[at(slot)] = caption; }

}  // namespace bw::web
