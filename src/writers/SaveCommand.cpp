#include "SaveCommand.h"

#include "ScriptWriter.h"
#include "model/EditorRules.h"
#include "model/FileDialog.h"
#include "model/MessageBoxService.h"
#include "model/MessageBoxStyle.h"
#include "model/TextFileStore.h"

namespace bw {

std::u16string defaultFileName(ScriptFormat format) {
    return format == ScriptFormat::Vbs ? u"dialog.vbs" : u"dialog.htm";
}

std::u16string saveFilter(ScriptFormat format, bool continuation) {
    if (format == ScriptFormat::Html) {
        return u"HTML(*.htm)|*.htm";
    }
    return continuation ? u"VisualBasicScriptFile(*.vbs)|*.vbs"
                        : u"VisualBasicScriptFile(*.vbs)|*.vbs|すべてのファイル(*.*)|*.*";
}

SaveOutcome saveScript(EditorControls& editor, ScriptFormat format, const SaveServices& services,
                       SnapshotAfterSave snapshot) {
    WindowState& state = editor.state();
    const DialogDefinition def = readDefinition(editor);
    state.rightSuffix = rightSuffixFor(def.rightAligned);

    state.outputPath.clear();
    const std::u16string bareName = defaultFileName(format);
    services.dialog.FileName = bareName;
    services.dialog.Filter = saveFilter(format, def.continuation);
    services.dialog.ShowSave();

    SaveOutcome outcome = SaveOutcome::Cancelled;
    if (services.dialog.FileName != bareName) {
        state.outputPath = services.dialog.FileName;
        const auto lines =
            format == ScriptFormat::Vbs ? vbsLines(def, state, services.files) : htmlLines(def, state, services.files);
        const FileResult result = services.files.writeLines(state.outputPath, lines);
        if (result.ok) {
            outcome = SaveOutcome::Written;
        } else {
            outcome = SaveOutcome::Failed;
            services.messages.show(u"「" + state.outputPath + u"」に保存できませんでした。\r\n" + result.error,
                                   msgbox::OkOnly + msgbox::Critical, std::nullopt);
        }
    }

    if (outcome != SaveOutcome::Failed && snapshot == SnapshotAfterSave::Take) {
        state.savedSnapshot = currentTexts(editor);
    }
    return outcome;
}

}  // namespace bw
