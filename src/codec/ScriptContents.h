#pragma once

#include "model/DialogDefinition.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace bw {

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

    // The options a first line says (none for a file written without them),
    // and the timeout's follow-up when the file has one.
    int timeoutSeconds = 0;
    bool stayOnTop = false;
    std::optional<Slot> timeoutSlot;

    std::u16string lastLine;  // the last message line read, which the window keeps in Text3
};

// The options after a read, from those the editor held: a file with a first
// line says its timeout and stay-on-top (none when it names neither); the
// timeout's follow-up comes from the file when it has one, else stays.
BoxOptions optionsRead(const ScriptContents& contents, BoxOptions held);

// The dialog a script describes on its own, as a freshly started editor
// would hold it after reading the script: nothing when the script does not
// say every one of the body, title, buttons and icon.
std::optional<DialogDefinition> standaloneDefinition(const ScriptContents& contents);

}  // namespace bw
