#pragma once

#include "ReadOutcome.h"

#include "model/DialogDefinition.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace bw {

class EditorControls;
class MessageBoxService;

// A text longer than this many UTF-16 units is far beyond what a message box
// shows (MsgBox shows about 1,023): the open asks before loading it.
inline constexpr std::size_t kLargeTextUnits = std::size_t{1} << 20;

// What a script file says about a dialog, as far as it could be read: each
// reader parses its format into this value, and one apply step writes it into
// the editor. An item the file did not yield stays empty, and its control keeps
// what it held.
struct ScriptContents {
    // Any first line decides the alignment and the default button; a file
    // without one (an empty file) leaves both as they were.
    bool hasFirstLine = false;
    bool rightAligned = false;
    int defaultButton = 0;  // position from the left
    std::optional<std::u16string> body;
    std::optional<std::u16string> title;
    std::optional<ButtonSet> buttons;
    std::optional<IconKind> icon;

    struct Slot {
        bool commentedOut = false;
        std::optional<std::u16string> text;
    };
    bool followUps = false;  // the file goes on with the follow-up boxes
    std::array<Slot, 3> slotLines;

    std::u16string lastLine;  // the last message line read, which the window keeps in Text3
};

// Writes what was read into the editor, with the reactions a user's clicks
// would run: the alignment, the body and title (and their snapshot entries),
// the button set (whose rule checks every slot), the icon, the default button,
// the continuation box, then each slot's check mark and text, and the follow-up
// snapshot entries when the follow-ups were read.
void applyScriptContents(EditorControls& editor, const ScriptContents& contents);

// Whether to go on with the file at `path`: true at once when no text of it
// is longer than kLargeTextUnits, else the user's answer to a question naming
// the longest text and its length.
bool confirmLargeTexts(const ScriptContents& contents, const std::u16string& path, MessageBoxService& messages);

// The last step of every open, whatever the format: confirmLargeTexts, then
// applyScriptContents. Read, or Cancelled when the user declined.
ReadOutcome applyIfConfirmed(EditorControls& editor, const ScriptContents& contents, const std::u16string& path,
                             MessageBoxService& messages);

}  // namespace bw
