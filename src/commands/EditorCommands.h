#pragma once

namespace bw {

class EditorControls;
class MessageBoxService;
struct SaveServices;

// The live preview: the dialog as the script would show it, then, with
// follow-ups on, the follow-up box of the pressed button when its slot is checked.
// A box with a timeout closes by itself after it, and then shows the timeout's
// follow-up; stay-on-top keeps every box in front.
void runPreview(EditorControls& editor, MessageBoxService& messages);

enum class CloseDecision { Close, KeepOpen };
enum class SnapshotAfterSave;

// Before work is let go (closing, New, opening or dropping another file):
// true when nothing differs from what was last saved or read (texts and
// choices alike), or when the user answered No to 「変更を保存しますか？」, or
// Yes and the save wrote its file. Cancel, and a save that was cancelled or
// failed, keep the work: false.
bool settleUnsavedWork(EditorControls& editor, const SaveServices& services, SnapshotAfterSave snapshot);

// Closing the main window: settleUnsavedWork, saving without a new snapshot.
CloseDecision runExitPrompt(EditorControls& editor, const SaveServices& services);

}  // namespace bw
