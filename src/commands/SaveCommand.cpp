#include "SaveCommand.h"

#include "model/EditorRules.h"
#include "ports/FileDialog.h"
#include "ports/MessageBoxService.h"
#include "model/MessageBoxStyle.h"
#include "codec/Ps1Format.h"
#include "ports/FileStore.h"

namespace bw {

std::u16string defaultFileName(ScriptFormat format) {
    switch (format) {
        case ScriptFormat::Html:
            return u"dialog.htm";
        case ScriptFormat::Ps1:
            return std::u16string(ps1::kDefaultFileName);
        case ScriptFormat::Vbs:
            break;
    }
    return u"dialog.vbs";
}

std::u16string saveFilter(ScriptFormat format, bool continuation) {
    if (format == ScriptFormat::Html) {
        return u"HTML(*.htm)|*.htm";
    }
    if (format == ScriptFormat::Ps1) {
        return std::u16string(ps1::kFileFilter);
    }
    return continuation ? u"VisualBasicScriptFile(*.vbs)|*.vbs"
                        : u"VisualBasicScriptFile(*.vbs)|*.vbs|すべてのファイル(*.*)|*.*";
}

FileResult writeScript(FileStore& files, const std::u16string& path, ScriptFormat format, const DialogDefinition& def,
                       const WindowState& state) {
    return files.write(path, encodeScript(format, def, state));
}

void offerToRestoreUnfinishedSave(FileStore& files, MessageBoxService& messages, const std::u16string& path) {
    const std::optional<std::u16string> backup = files.unfinishedSave(path);
    if (!backup) {
        return;
    }
    const int answer = messages.show(u"「" + path + u"」への前回の保存は途中で止まりました。保存前の内容は「" + *backup +
                                         u"」に残っています。\r\nファイルをこの内容に戻しますか？",
                                     msgbox::YesNo + msgbox::Exclamation, u"途中で止まった保存");
    if (answer != msgbox::ResultYes) {
        return;
    }
    if (const FileResult restored = files.restoreUnfinishedSave(path, *backup); !restored.ok) {
        messages.show(u"「" + path + u"」を戻せませんでした。\r\n" + restored.error, msgbox::OkOnly + msgbox::Critical,
                      std::nullopt);
    }
}

SaveOutcome saveScript(EditorControls& editor, ScriptFormat format, const SaveServices& services,
                       SnapshotAfterSave snapshot, const std::optional<std::u16string>& proposed) {
    WindowState& state = editor.state();
    DialogDefinition def = readDefinition(editor);
    state.rightSuffix = rightSuffixFor(def.rightAligned);

    state.outputPath.clear();
    const std::optional<std::u16string> chosen =
        services.dialog.showSave({proposed.value_or(defaultFileName(format)), saveFilter(format, def.continuation),
                                  std::nullopt});

    SaveOutcome outcome = SaveOutcome::Cancelled;
    if (chosen) {
        state.outputPath = *chosen;
        offerToRestoreUnfinishedSave(services.files, services.messages, state.outputPath);
        const FileResult result = writeScript(services.files, state.outputPath, format, def, state);
        if (result.ok) {
            outcome = SaveOutcome::Written;
            if (format != ScriptFormat::Html) {
                state.scriptPath = state.outputPath;
            }
        } else {
            outcome = SaveOutcome::Failed;
            services.messages.show(u"「" + state.outputPath + u"」に保存できませんでした。\r\n" + result.error,
                                   msgbox::OkOnly + msgbox::Critical, std::nullopt);
        }
    }

    if (outcome == SaveOutcome::Written && snapshot == SnapshotAfterSave::Take) {
        // The texts the definition was read with, which are the controls'
        // texts still: a save changes none. Moved rather than read again, as
        // a long body would be copied once more.
        state.savedSnapshot = SavedSnapshot{
            std::move(def.body),
            std::move(def.title),
            {std::move(def.followUps[0].text), std::move(def.followUps[1].text), std::move(def.followUps[2].text)}};
    }
    return outcome;
}

}  // namespace bw
