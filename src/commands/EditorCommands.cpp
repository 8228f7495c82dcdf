#include "EditorCommands.h"

#include "commands/SaveCommand.h"
#include "model/AsciiCase.h"
#include "model/EditorControls.h"
#include "model/EditorRules.h"
#include "ports/MessageBoxService.h"
#include "model/MessageBoxStyle.h"

namespace bw {

void runPreview(EditorControls& editor, MessageBoxService& messages) {
    WindowState& state = editor.state();
    state.rightSuffix = rightSuffixFor(editor.checkValue(CheckBoxId::Check3) != 0);
    const int continuation = editor.checkValue(CheckBoxId::Check1);

    const double style = leadingNumber(state.iconValue) + leadingNumber(state.buttonValue);
    editor.setLabel1Caption(numberText(style));
    state.combinedStyle = editor.label1Caption();

    const bool right = editor.checkValue(CheckBoxId::Check3) != 0;
    const double rightFlag = right ? msgbox::RightAligned : 0;
    const std::u16string title = editor.text(TextBoxId::Text2);
    const double defaultFlag = defaultButtonStyle(editor.defaultButton());
    const int pressed =
        messages.show(editor.text(TextBoxId::Text1),
                      toStyleInteger(leadingNumber(state.combinedStyle) + rightFlag + defaultFlag), title);
    if (continuation == 0) {
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

CloseDecision runExitPrompt(EditorControls& editor, const SaveServices& services) {
    if (currentTexts(editor) == editor.state().savedSnapshot) {
        return CloseDecision::Close;
    }
    const int answer =
        services.messages.show(u"変更を保存しますか？", msgbox::YesNoCancel + msgbox::Question, u"保存の確認");
    if (answer == msgbox::ResultCancel) {
        return CloseDecision::KeepOpen;
    }
    if (answer != msgbox::ResultYes) {
        return CloseDecision::Close;
    }
    // The file the dialog came from, in its own format: a PowerShell script
    // is never written over with VBScript. A save that was cancelled or failed
    // keeps the window, and the work, open.
    const std::u16string& from = editor.state().scriptPath;
    const ScriptFormat format = endsWithIgnoringAsciiCase(from, u".ps1") ? ScriptFormat::Ps1 : ScriptFormat::Vbs;
    const SaveOutcome saved = saveScript(editor, format, services, SnapshotAfterSave::Skip,
                                         from.empty() ? std::nullopt : std::optional<std::u16string>(from));
    return saved == SaveOutcome::Written ? CloseDecision::Close : CloseDecision::KeepOpen;
}

}  // namespace bw
