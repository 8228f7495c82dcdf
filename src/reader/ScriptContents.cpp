#include "ScriptContents.h"

#include "model/DialogTables.h"
#include "model/EditorControls.h"
#include "model/EditorRules.h"

namespace bw {

void applyScriptContents(EditorControls& editor, const ScriptContents& contents) {
    if (contents.hasFirstLine) {
        editor.setCheckValue(CheckBoxId::Check3, contents.rightAligned ? 1 : 0);
    }
    if (contents.body) {
        editor.setText(TextBoxId::Text1, *contents.body);
    }
    if (contents.title) {
        editor.setText(TextBoxId::Text2, *contents.title);
    }
    SavedSnapshot& snapshot = editor.state().savedSnapshot;
    snapshot.title = editor.text(TextBoxId::Text2);
    snapshot.body = editor.text(TextBoxId::Text1);

    // Selecting the set runs the button-set rule, also for the set already
    // selected, so all three slot boxes are checked before the slots are read.
    if (contents.buttons) {
        editor.selectButtonOption(buttonSetRow(*contents.buttons).optionIndex);
    }
    if (contents.icon) {
        editor.selectIconOption(iconRow(*contents.icon).optionIndex);
    }
    if (contents.hasFirstLine) {
        const auto row = buttonSetRowForOption(editor.selectedButtonOption());
        const bool offered = row && contents.defaultButton < buttonCount(*row);
        editor.setDefaultButton(offered ? contents.defaultButton : 0);
    }
    editor.setCheckValue(CheckBoxId::Check1, 0);

    if (contents.followUps) {
        editor.setCheckValue(CheckBoxId::Check1, 1);
        for (int slot = 0; slot < 3; ++slot) {
            const ScriptContents::Slot& read = contents.slotLines[static_cast<std::size_t>(slot)];
            if (read.commentedOut) {
                editor.setCheckValue(slotCheckBox(slot), 0);
            }
            if (read.text) {
                editor.setText(slotTextBox(slot), *read.text);
            }
        }
        for (int slot = 0; slot < 3; ++slot) {
            snapshot.followUps[static_cast<std::size_t>(slot)] = editor.text(slotTextBox(slot));
        }
    }
    editor.setText(TextBoxId::Text3, contents.lastLine);
}

}  // namespace bw
