#include "EditorCommands.h"

#include "commands/SaveCommand.h"
#include "model/EditorControls.h"
#include "model/EditorRules.h"
#include "model/MessageBoxStyle.h"
#include "ports/MessageBoxService.h"

namespace bw {

void runPreview(EditorControls& editor, MessageBoxService& messages) {
    WindowState& state = editor.state();
    state.rightSuffix = rightSuffixFor(editor.checkValue(CheckBoxId::Check3) != 0);
    const int continuation = editor.checkValue(CheckBoxId::Check1);

    const double style = leadingNumber(state.iconValue) + leadingNumber(state.buttonValue);
    editor.setLabel1Caption(numberText(style));
    state.combinedStyle = editor.label1Caption();

    const bool right = editor.checkValue(CheckBoxId::Check3) != 0;
    const BoxOptions options = editor.boxOptions();
    // Stay-on-top is a style flag of every box, as the alignment is.
    const double rightFlag = (right ? msgbox::RightAligned : 0) + (options.stayOnTop ? msgbox::SystemModal : 0);
    const std::u16string title = editor.text(TextBoxId::Text2);
    const double defaultFlag = defaultButtonStyle(editor.defaultButton());
    const int pressed = messages.showFor(editor.text(TextBoxId::Text1),
                                         toStyleInteger(leadingNumber(state.combinedStyle) + rightFlag + defaultFlag),
                                         title, options.timeoutSeconds);
    if (continuation == 0) {
        return;
    }
    if (pressed == msgbox::ResultTimedOut) {
        if (options.timeoutSeconds > 0 && options.onTimeout.enabled) {
            messages.show(options.onTimeout.text, toStyleInteger(leadingNumber(state.iconValue) + rightFlag), title);
        }
        return;
    }
    const std::u16string pressedText = decimalText(pressed);
    for (int slot = 0; slot < 3; ++slot) {
        if (state.returnCode[static_cast<std::size_t>(slot)] != pressedText) {
            continue;
        }
        if (editor.checkValue(slotCheckBox(slot)) == 1) {
            messages.show(editor.text(slotTextBox(slot)), toStyleInteger(leadingNumber(state.iconValue) + rightFlag),
                          title);
        }
        return;
    }
}

bool settleUnsavedWork(EditorControls& editor, const SaveServices& services, SnapshotAfterSave snapshot) {
    if (!hasUnsavedChanges(editor)) {
        return true;
    }
    const int answer =
        services.messages.show(u"変更を保存しますか？", msgbox::YesNoCancel + msgbox::Question, u"保存の確認");
    if (answer == msgbox::ResultCancel) {
        return false;
    }
    if (answer != msgbox::ResultYes) {
        return true;
    }
    // The current document, in its own format: a PowerShell script is never
    // written over with VBScript. The dialog proposes its file; a save that was
    // cancelled or failed keeps the work.
    const WindowState& state = editor.state();
    const bool untitled = state.scriptPath.empty();
    const SaveOutcome saved = saveScript(editor, untitled ? ScriptFormat::Vbs : state.scriptFormat, services, snapshot,
                                         untitled ? std::nullopt : std::optional<std::u16string>(state.scriptPath));
    return saved == SaveOutcome::Written;
}

CloseDecision runExitPrompt(EditorControls& editor, const SaveServices& services) {
    return settleUnsavedWork(editor, services, SnapshotAfterSave::Skip) ? CloseDecision::Close
                                                                        : CloseDecision::KeepOpen;
}

}  // namespace bw
