#pragma once

#include "codec/ScriptCodec.h"
#include "model/DialogDefinition.h"
#include "model/WindowState.h"
#include "ports/FileStore.h"

#include <optional>
#include <string>
#include <vector>

namespace bw {

class EditorControls;
class FileDialog;
class MessageBoxService;

enum class SaveOutcome { Written, Cancelled, Failed };

// After a save from a button or the menu that wrote its file the snapshot is
// taken; the save on exit skips it.
enum class SnapshotAfterSave { Take, Skip };

struct SaveServices {
    FileDialog& dialog;
    FileStore& files;
    MessageBoxService& messages;
};

// Writes the definition as a file of the format.
FileResult writeScript(FileStore& files, const std::u16string& path, ScriptFormat format, const DialogDefinition& def,
                       const WindowState& state);

// The default bare file name and the filter text of each save.
std::u16string defaultFileName(ScriptFormat format);
std::u16string saveFilter(ScriptFormat format, bool continuation);

// When an earlier save of the file at `path` was interrupted while it wrote
// over the file itself, says so, names the copy of the old contents it left
// and offers to put them back; a failed restore is reported.
void offerToRestoreUnfinishedSave(FileStore& files, MessageBoxService& messages, const std::u16string& path);

// Saves the definition the controls hold as a script or an HTML page. The
// controls' texts are never changed. A file that cannot be written is reported
// in a message box naming the file and the reason. Only a written file takes
// the snapshot: after a cancelled dialog the work still counts as unsaved.
// `proposed`, when given, is the file the dialog offers instead of the bare
// default name.
// A written file becomes the current document (WindowState::scriptPath).
SaveOutcome saveScript(EditorControls& editor, ScriptFormat format, const SaveServices& services,
                       SnapshotAfterSave snapshot = SnapshotAfterSave::Take,
                       const std::optional<std::u16string>& proposed = std::nullopt);

// 上書き保存: writes the current document in its own format without a
// question; before the first open or save, asks for a name as VBSで保存 does,
// and for a file that holds more than was read from it, asks with its name.
SaveOutcome saveCurrent(EditorControls& editor, const SaveServices& services);

// 名前を付けて保存: asks for a name, starting in the current document's folder
// with its name and its format's filter first; the chosen name's extension
// (.vbs, .htm or .html, .ps1) picks the format, any other keeps the current one.
SaveOutcome saveAs(EditorControls& editor, const SaveServices& services);

// The format a file name asks for by its extension, or `otherwise`.
ScriptFormat formatForName(std::u16string_view path, ScriptFormat otherwise);

}  // namespace bw
