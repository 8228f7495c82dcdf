#pragma once

#include "DialogDefinition.h"
#include "EditorControls.h"
#include "SavedSnapshot.h"

namespace bw {

// The icon rule: an Option1 index 0 to 3 sets iconValue; any other index does nothing.
void applyIconRule(EditorControls& editor, int optionIndex);

// The button-set rule: an Option2 index 5 to 10 applies the set's row (values,
// result codes, enables, check marks, frames, captions); any other index does nothing.
void applyButtonSetRule(EditorControls& editor, int optionIndex);

// The check-box rule of a follow-up slot: its text box is enabled while the box is checked.
bool slotTextEnabledFor(int checkValue);

// The start state of the main window, after the window has set its narrow width.
void applyStartState(EditorControls& editor);

// The New command.
void applyNew(EditorControls& editor);

CheckBoxId slotCheckBox(int slot);
TextBoxId slotTextBox(int slot);

// The definition as the controls hold it now.
DialogDefinition readDefinition(const EditorControls& editor);

// The window state a main window holds for a definition once its rules have
// run: the style values, result codes and alignment suffix the writers use.
WindowState windowStateFor(const DialogDefinition& def);

// The five texts the snapshot compares, as the controls hold them now.
SavedSnapshot currentTexts(const EditorControls& editor);

// The choices of a definition, and those the controls hold now.
SavedChoices choicesOf(const DialogDefinition& def);
SavedChoices currentChoices(const EditorControls& editor);

// Whether a text or a choice differs from what was last saved or read: the
// window's modified mark, and the question before work is let go.
bool hasUnsavedChanges(const EditorControls& editor);

}  // namespace bw
