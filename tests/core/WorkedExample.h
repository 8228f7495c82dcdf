#pragma once

#include "model/DialogDefinition.h"
#include "model/WindowState.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace bw::test {

// The worked example: a question with Yes/No/Cancel and two active follow-ups,
// the third unchecked with its initial text.
// A definition in one call, for the tables of the script checks.
inline DialogDefinition dialog(std::u16string title, std::u16string body, IconKind icon, ButtonSet buttons, bool right,
                               bool continuation, std::array<FollowUp, 3> followUps = {}, int defaultButton = 0) {
    DialogDefinition def;
    def.title = std::move(title);
    def.body = std::move(body);
    def.icon = icon;
    def.buttons = buttons;
    def.rightAligned = right;
    def.defaultButton = defaultButton;
    def.continuation = continuation;
    def.followUps = std::move(followUps);
    return def;
}

inline constexpr char16_t kWorkedBody[] = u"Save the file?\r\nIt will be \"final\".";

inline DialogDefinition workedExample() {
    DialogDefinition def;
    def.title = u"Question";
    def.body = kWorkedBody;
    def.icon = IconKind::Question;
    def.buttons = ButtonSet::YesNoCancel;
    def.continuation = true;
    def.followUps = {{{true, u"Saved."}, {true, u"Not saved."}, {false, u"本文"}}};
    return def;
}

// What the editor keeps beside the controls for it.
inline WindowState workedExampleState() {
    WindowState state;
    state.iconValue = u"32";
    state.buttonValue = u"3";
    state.returnCode = {u"6", u"7", u"2"};
    return state;
}

// Its script, as the VBScript writer writes it.
inline const std::vector<std::u16string> kWorkedExampleLines = {
    u"selectkey = MsgBox(\"Save the file?\"&vbCrLf&\"It will be \"&Chr(34)&\"final\"&Chr(34)&\".\", 3 + 32, "
    u"\"Question\")",
    u"Select Case SelectKey",
    u"Case 6",
    u"SelectKey = MsgBox(\"Saved.\", 0 + 32, \"Question\")",
    u"Case 7",
    u"SelectKey = MsgBox(\"Not saved.\", 0 + 32, \"Question\")",
    u"Case 2",
    u"'SelectKey = MsgBox(\"本文\", 0 + 32, \"Question\")",
    u"End Select",
};

// The script as its .vbs file holds it: code page 932 (its one word outside
// ASCII, 本文, is 96 7B 95 B6) and CR LF after every line.
inline std::string workedExampleBytes() {
    std::string bytes;
    for (const std::u16string& line : kWorkedExampleLines) {
        for (const char16_t unit : line) {
            bytes += unit == u'本' ? "\x96\x7B" : unit == u'文' ? "\x95\xB6" : std::string(1, static_cast<char>(unit));
        }
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace bw::test
