#pragma once

#include <string>

namespace bw {

class EditorControls;
class FileDialog;
class MessageBoxService;
class TextFileStore;

enum class ScriptFormat { Vbs, Html };
enum class SaveOutcome { Written, Cancelled, Failed };

// After a save from a button or the menu the snapshot is taken (also after a
// cancel, so the exit prompt counts the texts as saved); the save on exit skips it.
enum class SnapshotAfterSave { Take, Skip };

struct SaveServices {
    FileDialog& dialog;
    TextFileStore& files;
    MessageBoxService& messages;
};

// The default bare file name and the filter text of each save.
std::u16string defaultFileName(ScriptFormat format);
std::u16string saveFilter(ScriptFormat format, bool continuation);

// Saves the definition the controls hold as a script or an HTML page. The
// controls' texts are never changed. A file that cannot be written is reported
// in a message box naming the file and the reason, and no snapshot is taken.
SaveOutcome saveScript(EditorControls& editor, ScriptFormat format, const SaveServices& services,
                       SnapshotAfterSave snapshot = SnapshotAfterSave::Take);

}  // namespace bw
