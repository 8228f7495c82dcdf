#pragma once

#include "ReaderHarness.h"
#include "model/DialogTables.h"
#include "model/EditorRules.h"

#include <array>
#include <string>
#include <vector>

namespace bw::test {

// The window state a main window holds for a definition once its rules have run.
inline WindowState stateFor(const DialogDefinition& def) { return windowStateFor(def); }

inline std::string describe(const DialogDefinition& def) {
    std::string out = "title=[" + utf8(def.title) + "] body=[" + utf8(def.body) + "]";
    out += " icon=" + std::to_string(static_cast<int>(def.icon));
    out += " buttons=" + std::to_string(static_cast<int>(def.buttons));
    out += " right=" + std::to_string(def.rightAligned) + " continuation=" + std::to_string(def.continuation);
    for (const FollowUp& followUp : def.followUps) {
        out += " slot(" + std::to_string(followUp.enabled) + ")=[" + utf8(followUp.text) + "]";
    }
    return out;
}

// After an editor that showed another definition (ReaderHarness::editSomethingElse)
// has read `lines`, the script written for `def`: whether exactly `def` came back.
// A one-line script must leave the follow-ups as they were. Returns the
// failures as text, empty when the definition came back whole.
inline std::string readBackFailures(ReaderHarness& h, const DialogDefinition& def,
                                    const std::vector<std::u16string>& lines) {
    const DialogDefinition got = readDefinition(h.editor);
    const WindowState& state = h.editor.windowState;
    const WindowState expectedState = stateFor(def);
    std::string failures;
    auto expect = [&](bool ok, const char* what) {
        if (!ok) {
            failures += std::string(what) + "; ";
        }
    };
    expect(h.messages.calls.empty(), "message shown");
    expect(got.title == def.title, "title");
    expect(got.body == def.body, "body");
    expect(got.icon == def.icon, "icon");
    expect(got.buttons == def.buttons, "buttons");
    expect(got.rightAligned == def.rightAligned, "alignment");
    expect(got.defaultButton == def.defaultButton, "default button");
    expect(got.continuation == def.continuation, "continuation");
    expect(state.iconValue == expectedState.iconValue, "iconValue");
    expect(state.buttonValue == expectedState.buttonValue, "buttonValue");
    expect(state.returnCode == expectedState.returnCode, "returnCode");
    expect(state.savedSnapshot.body == def.body && state.savedSnapshot.title == def.title, "snapshot texts");
    if (def.continuation) {
        expect(got.followUps == def.followUps, "follow-ups");
        expect(state.savedSnapshot == currentTexts(h.editor), "snapshot follow-ups");
        expect(h.editor.texts[2] == lines[7], "Text3");
    } else {
        expect(h.editor.texts[3] == u"earlier slot 0" && h.editor.texts[4] == u"earlier slot 1" &&
                   h.editor.texts[5] == u"earlier slot 2",
               "slot texts touched");
        expect(h.editor.checks[2] == 1 && h.editor.checks[3] == 1 && h.editor.checks[4] == 1, "slot checks");
        expect(state.savedSnapshot.followUps ==
                   std::array<std::u16string, 3>{u"snap slot 0", u"snap slot 1", u"snap slot 2"},
               "snapshot follow-ups touched");
        expect(h.editor.texts[2] == lines[0], "Text3");
    }
    return failures;
}

}  // namespace bw::test
