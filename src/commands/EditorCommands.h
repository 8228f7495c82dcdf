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
// Cancel keeps the window open; Yes saves without a new snapshot, to the
// script the dialog was last read from or saved to, in its format (.ps1 or
// .vbs), and keeps the window open when the save was cancelled or failed.
CloseDecision runExitPrompt(EditorControls& editor, const SaveServices& services);

}  // namespace bw
