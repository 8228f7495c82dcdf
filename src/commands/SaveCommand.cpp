#include "SaveCommand.h"

#include "codec/Ps1Format.h"
#include "model/AsciiCase.h"
#include "model/EditorRules.h"
#include "model/MessageBoxStyle.h"
#include "ports/FileDialog.h"
#include "ports/FileStore.h"
#include "ports/MessageBoxService.h"

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
    const int answer = messages.show(u"「" + path + u"」への前回の保存は途中で止まりました。保存前の内容は「" +
                                         *backup + u"」に残っています。\r\nファイルをこの内容に戻しますか？",
                                     msgbox::YesNo + msgbox::Exclamation, u"途中で止まった保存");
    if (answer != msgbox::ResultYes) {
        return;
    }
    if (const FileResult restored = files.restoreUnfinishedSave(path, *backup); !restored.ok) {
        messages.show(u"「" + path + u"」を戻せませんでした。\r\n" + restored.error, msgbox::OkOnly + msgbox::Critical,
                      std::nullopt);
    }
}

namespace {

// Writes the definition to a chosen file: the restore offer of an unfinished
// earlier save, the write, the report of a failure. A written file becomes
// the current document and, when asked, takes the snapshot.
SaveOutcome writeChosen(EditorControls& editor, DialogDefinition& def, ScriptFormat format, const std::u16string& path,
                        const SaveServices& services, SnapshotAfterSave snapshot) {
    WindowState& state = editor.state();
    state.outputPath = path;
    offerToRestoreUnfinishedSave(services.files, services.messages, state.outputPath);
    const FileResult result = writeScript(services.files, state.outputPath, format, def, state);
    if (!result.ok) {
        services.messages.show(u"「" + state.outputPath + u"」に保存できませんでした。\r\n" + result.error,
                               msgbox::OkOnly + msgbox::Critical, std::nullopt);
        return SaveOutcome::Failed;
    }
    state.scriptPath = state.outputPath;
    state.scriptFormat = format;
    state.scriptWhole = true;
    if (format == ScriptFormat::Html && def.options.timeoutSeconds > 0) {
        services.messages.show(u"「" + state.outputPath +
                                   u"」に保存しました。\r\nHTML のページでは、最初のボックスは " +
                                   decimalText(def.options.timeoutSeconds) +
                                   u" 秒たっても閉じず、ボタンが押されるまで待ちます。ページからは時間切れにする "
                                   u"WScript.Shell の Popup を使えないためです。時間切れが要るときは、VBScript か "
                                   u"PowerShell で保存してください。",
                               msgbox::OkOnly + msgbox::Information, u"HTML と時間切れ");
    }
    if (snapshot == SnapshotAfterSave::Take) {
        // The texts the definition was read with, which are the controls'
        // texts still: a save changes none. Moved rather than read again, as
        // a long body would be copied once more.
        state.savedChoices = choicesOf(def);
        if (format == ScriptFormat::Html) {
            state.savedChoices.options.timeoutSeconds = 0;  // a page holds no timeout
        }
        state.savedSnapshot = SavedSnapshot{
            std::move(def.body),
            std::move(def.title),
            {std::move(def.followUps[0].text), std::move(def.followUps[1].text), std::move(def.followUps[2].text)}};
    }
    return SaveOutcome::Written;
}

DialogDefinition definitionToSave(EditorControls& editor) {
    DialogDefinition def = readDefinition(editor);
    editor.state().rightSuffix = rightSuffixFor(def.rightAligned);
    editor.state().outputPath.clear();
    return def;
}

bool isSeparator(char16_t c) { return c == u'/' || c == u'\\'; }

}  // namespace

SaveOutcome saveScript(EditorControls& editor, ScriptFormat format, const SaveServices& services,
                       SnapshotAfterSave snapshot, const std::optional<std::u16string>& proposed) {
    DialogDefinition def = definitionToSave(editor);
    const std::optional<std::u16string> chosen = services.dialog.showSave(
        {proposed.value_or(defaultFileName(format)), saveFilter(format, def.continuation), std::nullopt});
    return chosen ? writeChosen(editor, def, format, *chosen, services, snapshot) : SaveOutcome::Cancelled;
}

SaveOutcome saveCurrent(EditorControls& editor, const SaveServices& services) {
    const WindowState& state = editor.state();
    if (state.scriptPath.empty()) {
        return saveScript(editor, ScriptFormat::Vbs, services);
    }
    if (!state.scriptWhole) {
        // The dialog proposes the file; writing over it is the user's choice.
        const std::u16string path = state.scriptPath;
        return saveScript(editor, state.scriptFormat, services, SnapshotAfterSave::Take, path);
    }
    DialogDefinition def = definitionToSave(editor);
    const std::u16string path = state.scriptPath;
    return writeChosen(editor, def, state.scriptFormat, path, services, SnapshotAfterSave::Take);
}

ScriptFormat formatForName(std::u16string_view path, ScriptFormat otherwise) {
    if (endsWithIgnoringAsciiCase(path, u".ps1")) {
        return ScriptFormat::Ps1;
    }
    if (endsWithIgnoringAsciiCase(path, u".htm") || endsWithIgnoringAsciiCase(path, u".html")) {
        return ScriptFormat::Html;
    }
    if (endsWithIgnoringAsciiCase(path, u".vbs")) {
        return ScriptFormat::Vbs;
    }
    return otherwise;
}

SaveOutcome saveAs(EditorControls& editor, const SaveServices& services) {
    const WindowState& state = editor.state();
    const ScriptFormat current = state.scriptPath.empty() ? ScriptFormat::Vbs : state.scriptFormat;
    FileDialogRequest request{defaultFileName(current), {}, std::nullopt};
    if (!state.scriptPath.empty()) {
        std::size_t slash = state.scriptPath.size();
        while (slash > 0 && !isSeparator(state.scriptPath[slash - 1])) {
            --slash;
        }
        request.fileName = state.scriptPath.substr(slash);
        if (slash > 0) {
            // "/" and "C:\" keep their separator: without it they name another place.
            const bool root = slash == 1 || state.scriptPath[slash - 2] == u':';
            request.initDir = state.scriptPath.substr(0, root ? slash : slash - 1);
        }
    }
    // The current format's filter first, then the other two: the name's
    // extension picks the format written.
    for (const ScriptFormat format : {current, ScriptFormat::Vbs, ScriptFormat::Ps1, ScriptFormat::Html}) {
        const std::u16string filter = saveFilter(format, true);
        if (request.filter.find(filter) == std::u16string::npos) {
            request.filter += (request.filter.empty() ? u"" : u"|") + filter;
        }
    }
    request.filter += u"|すべてのファイル(*.*)|*.*";
    DialogDefinition def = definitionToSave(editor);
    const std::optional<std::u16string> chosen = services.dialog.showSave(request);
    return chosen
               ? writeChosen(editor, def, formatForName(*chosen, current), *chosen, services, SnapshotAfterSave::Take)
               : SaveOutcome::Cancelled;
}

}  // namespace bw
