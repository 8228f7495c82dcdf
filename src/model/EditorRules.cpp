#include "EditorRules.h"

#include "DialogTables.h"

#include <array>

namespace bw {

namespace {

constexpr std::array<CheckBoxId, 3> kSlotChecks = {CheckBoxId::Check5, CheckBoxId::Check6, CheckBoxId::Check7};
constexpr std::array<TextBoxId, 3> kSlotTexts = {TextBoxId::Text4, TextBoxId::Text5, TextBoxId::Text6};

}  // namespace

CheckBoxId slotCheckBox(int slot) { return kSlotChecks.at(static_cast<std::size_t>(slot)); }
TextBoxId slotTextBox(int slot) { return kSlotTexts.at(static_cast<std::size_t>(slot)); }

void applyIconRule(EditorControls& editor, int optionIndex) {
    if (const auto row = iconRowForOption(optionIndex)) {
        editor.state().iconValue = decimalText(row->style);
    }
}

void applyButtonSetRule(EditorControls& editor, int optionIndex) {
    const auto row = buttonSetRowForOption(optionIndex);
    if (!row) {
        return;
    }
    WindowState& state = editor.state();
    state.buttonValue = decimalText(row->style);
    for (int slot = 0; slot < 3; ++slot) {
        state.returnCode[static_cast<std::size_t>(slot)] =
            decimalText(row->returnCodes[static_cast<std::size_t>(slot)]);
    }
    for (int slot = 0; slot < 3; ++slot) {
        if (row->slotVisible[static_cast<std::size_t>(slot)]) {
            editor.setSlotControlsEnabled(slot, true);
        }
    }
    // Checked in this order; a box that changes runs the check-box rule.
    for (const CheckBoxId id : {CheckBoxId::Check6, CheckBoxId::Check7, CheckBoxId::Check5}) {
        editor.setCheckValue(id, 1);
    }
    for (int slot = 0; slot < 3; ++slot) {
        editor.setSlotFrameVisible(slot, row->slotVisible[static_cast<std::size_t>(slot)]);
    }
    for (int slot = 0; slot < 3; ++slot) {
        const std::u16string_view caption = row->slotCaptions[static_cast<std::size_t>(slot)];
        if (!caption.empty()) {
            editor.setSlotCaption(slot, caption);
        }
    }
    // A default button the new set does not have falls back to the first.
    const int count = buttonCount(*row);
    editor.setDefaultButtonChoices(count);
    if (editor.defaultButton() >= count) {
        editor.setDefaultButton(0);
    }
}

bool slotTextEnabledFor(int checkValue) { return checkValue != 0; }

void applyStartState(EditorControls& editor) {
    WindowState& state = editor.state();
    state.savedSnapshot = initialSnapshot();
    state.iconValue = u"16";
    state.buttonValue = u"0";
    editor.selectIconOption(iconRow(IconKind::Critical).optionIndex);
    editor.selectButtonOption(buttonSetRow(ButtonSet::OkOnly).optionIndex);
    editor.setDefaultButton(0);
    state.savedChoices = currentChoices(editor);
}

void applyNew(EditorControls& editor) {
    editor.state().scriptPath.clear();
    editor.state().scriptFormat = ScriptFormat::Vbs;
    for (const TextBoxId id :
         {TextBoxId::Text2, TextBoxId::Text1, TextBoxId::Text4, TextBoxId::Text5, TextBoxId::Text6, TextBoxId::Text3}) {
        editor.setText(id, u"");
    }
    editor.setCheckValue(CheckBoxId::Check1, 0);
    editor.setCheckValue(CheckBoxId::Check3, 0);
    editor.selectIconOption(iconRow(IconKind::Critical).optionIndex);
    editor.selectButtonOption(buttonSetRow(ButtonSet::OkOnly).optionIndex);
    editor.setDefaultButton(0);
    editor.setBoxOptions({});
}

DialogDefinition readDefinition(const EditorControls& editor) {
    const SavedChoices choices = currentChoices(editor);
    DialogDefinition def;
    def.title = editor.text(TextBoxId::Text2);
    def.body = editor.text(TextBoxId::Text1);
    def.icon = choices.icon;
    def.buttons = choices.buttons;
    def.rightAligned = choices.rightAligned;
    def.defaultButton = choices.defaultButton;
    def.continuation = choices.continuation;
    def.options = choices.options;
    for (int slot = 0; slot < 3; ++slot) {
        auto& followUp = def.followUps[static_cast<std::size_t>(slot)];
        followUp.enabled = choices.followUpsEnabled[static_cast<std::size_t>(slot)];
        followUp.text = editor.text(slotTextBox(slot));
    }
    return def;
}

WindowState windowStateFor(const DialogDefinition& def) {
    WindowState state;
    const ButtonSetRow& buttons = buttonSetRow(def.buttons);
    state.buttonValue = decimalText(buttons.style);
    for (std::size_t slot = 0; slot < 3; ++slot) {
        state.returnCode[slot] = decimalText(buttons.returnCodes[slot]);
    }
    state.iconValue = decimalText(iconRow(def.icon).style);
    state.rightSuffix = rightSuffixFor(def.rightAligned);
    return state;
}

SavedSnapshot currentTexts(const EditorControls& editor) {
    return SavedSnapshot{editor.text(TextBoxId::Text1),
                         editor.text(TextBoxId::Text2),
                         {editor.text(TextBoxId::Text4), editor.text(TextBoxId::Text5), editor.text(TextBoxId::Text6)}};
}

SavedChoices choicesOf(const DialogDefinition& def) {
    return SavedChoices{
        def.icon,         def.buttons,
        def.rightAligned, def.defaultButton,
        def.continuation, {def.followUps[0].enabled, def.followUps[1].enabled, def.followUps[2].enabled},
        def.options};
}

SavedChoices currentChoices(const EditorControls& editor) {
    SavedChoices choices;
    if (const auto row = iconRowForOption(editor.selectedIconOption())) {
        choices.icon = row->kind;
    }
    if (const auto row = buttonSetRowForOption(editor.selectedButtonOption())) {
        choices.buttons = row->set;
    }
    choices.rightAligned = editor.checkValue(CheckBoxId::Check3) != 0;
    choices.defaultButton = editor.defaultButton();
    choices.continuation = editor.checkValue(CheckBoxId::Check1) == 1;
    for (int slot = 0; slot < 3; ++slot) {
        choices.followUpsEnabled[static_cast<std::size_t>(slot)] = editor.checkValue(slotCheckBox(slot)) == 1;
    }
    choices.options = editor.boxOptions();
    return choices;
}

bool hasUnsavedChanges(const EditorControls& editor) {
    const WindowState& state = editor.state();
    return currentChoices(editor) != state.savedChoices || currentTexts(editor) != state.savedSnapshot;
}

}  // namespace bw
