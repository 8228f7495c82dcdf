#pragma once

#include "ByteFileStore.h"
#include "codec/Utf8.h"
#include "codec/VbsReader.h"
#include "commands/OpenCommand.h"
#include "doubles/MemoryEditor.h"
#include "doubles/RecordingMessageBox.h"
#include "doubles/ScriptedFileDialog.h"

#include <sstream>
#include <string>
#include <vector>

namespace bw::test {

// A text as a dump shows it: UTF-8, with control characters, backslashes and
// surrogates (paired or not) as \x<number>; so that no two texts look alike.
inline std::string utf8(std::u16string_view text) {
    std::u16string shown;
    for (const char16_t unit : text) {
        if (unit < 0x20 || unit == u'\\' || (unit >= 0xD800 && unit <= 0xDFFF)) {
            const std::string code = "\\x" + std::to_string(static_cast<int>(unit)) + ";";
            shown.append(code.begin(), code.end());
        } else {
            shown += unit;
        }
    }
    return toUtf8(shown);
}

// Everything an editor holds, one item a line, so that "nothing changed" is one comparison.
inline std::string dump(const MemoryEditor& editor) {
    std::ostringstream out;
    for (std::size_t i = 0; i < editor.texts.size(); ++i) {
        out << "Text" << i + 1 << "=" << utf8(editor.texts[i]) << "\n";
    }
    for (std::size_t i = 0; i < editor.checks.size(); ++i) {
        out << "check" << i << "=" << editor.checks[i] << "\n";
    }
    out << "icon=" << editor.iconOption << " buttons=" << editor.buttonOption << " wide=" << editor.wide << "\n";
    for (std::size_t slot = 0; slot < 3; ++slot) {
        out << "slot" << slot << " controls=" << editor.slotControlsEnabled[slot]
            << " text=" << editor.slotTextEnabled[slot] << " frame=" << editor.frameVisible[slot]
            << " caption=" << utf8(editor.captions[slot]) << "\n";
    }
    const WindowState& state = editor.windowState;
    out << "iconValue=" << utf8(state.iconValue) << " buttonValue=" << utf8(state.buttonValue)
        << " codes=" << utf8(state.returnCode[0]) << "," << utf8(state.returnCode[1]) << ","
        << utf8(state.returnCode[2]) << " suffix=" << utf8(state.rightSuffix) << " output=" << utf8(state.outputPath)
        << " style=" << utf8(state.combinedStyle) << "\n";
    const SavedSnapshot& snapshot = state.savedSnapshot;
    out << "snapshot=" << utf8(snapshot.body) << "|" << utf8(snapshot.title) << "|" << utf8(snapshot.followUps[0])
        << "|" << utf8(snapshot.followUps[1]) << "|" << utf8(snapshot.followUps[2]) << "\n";
    return out.str();
}

// The name MemoryEditor gives a check box's change in its event list.
inline std::string checkEvent(CheckBoxId id, int value) {
    return "check" + std::to_string(static_cast<int>(id)) + "=" + std::to_string(value);
}

// A MemoryEditor that also lists every text it is given, as "Text1" to "Text6",
// in the same event list as the check boxes and options.
class TracingEditor : public MemoryEditor {
public:
    void setText(TextBoxId id, const std::u16string& value) override {
        events.push_back("Text" + std::to_string(static_cast<int>(id) + 1));
        MemoryEditor::setText(id, value);
    }
};

// The reader with its services, reading in-memory files.
struct ReaderHarness {
    static constexpr char16_t kPath[] = u"/scripts/opened.vbs";

    TracingEditor editor;
    ScriptedFileDialog dialog;
    RecordingMessageBox messages;
    ByteFileStore files;

    ReaderHarness() { editor.load(); }

    ReadOutcome readBytes(const std::string& bytes) {
        files.files[kPath] = bytes;
        dialog.answers.push_back(std::u16string(kPath));
        editor.events.clear();
        return readScript(editor, dialog, files, messages);
    }

    ReadOutcome readLines(const std::vector<std::u16string>& lines) {
        return readBytes(ByteFileStore::joinLines(lines));
    }

    // What the reader's rules make of bytes the open command would refuse as
    // no dialog script: the positions, without the refusal.
    void applyBytes(const std::string& bytes) {
        editor.events.clear();
        applyScriptContents(editor, decodeVbsScript(bytes));
    }

    void applyLines(const std::vector<std::u16string>& lines) { applyBytes(ByteFileStore::joinLines(lines)); }

    // The editor as a user might have left it: another definition than any test file's.
    void editSomethingElse() {
        editor.texts[0] = u"earlier body";
        editor.texts[1] = u"earlier title";
        editor.texts[2] = u"earlier line";
        editor.texts[3] = u"earlier slot 0";
        editor.texts[4] = u"earlier slot 1";
        editor.texts[5] = u"earlier slot 2";
        editor.selectButtonOption(10);
        editor.selectIconOption(3);
        editor.setCheckValue(CheckBoxId::Check3, 1);
        editor.setCheckValue(CheckBoxId::Check1, 1);
        editor.setCheckValue(CheckBoxId::Check6, 0);
        editor.windowState.savedSnapshot =
            SavedSnapshot{u"snap body", u"snap title", {u"snap slot 0", u"snap slot 1", u"snap slot 2"}};
        editor.events.clear();
    }
};

}  // namespace bw::test
