#pragma once

namespace bw {

class EditorControls;
class MessageBoxService;
struct SaveServices;

// The live preview: the dialog as the script would show it, then, with
// follow-ups on, the follow-up box of the pressed button when its slot is checked.
void runPreview(EditorControls& editor, MessageBoxService& messages);

enum class CloseDecision { Close, KeepOpen };

// Closing the main window: asks to save when a text differs from the snapshot.
// Cancel keeps the window open; Yes saves as a script without a new snapshot,
// and keeps the window open when the file could not be written.
CloseDecision runExitPrompt(EditorControls& editor, const SaveServices& services);

}  // namespace bw
