#include "ScriptWriter.h"

#include "ScriptEscaper.h"

namespace bw {

namespace {

std::u16string messageLine(std::u16string_view opening, const std::u16string& prompt, std::u16string_view buttons,
                           const WindowState& state, std::u16string_view defaultSuffix, const std::u16string& title) {
    std::u16string line;
    line.reserve(opening.size() + prompt.size() + title.size() + 48);
    line += opening;
    line += u'"';
    line += prompt;
    line += u"\", ";
    line += buttons;
    line += u" + ";
    line += state.iconValue;
    line += state.rightSuffix;
    line += defaultSuffix;
    line += u", \"";
    line += title;
    line += u"\")";
    return line;
}

}  // namespace

std::vector<std::u16string> vbsLines(const DialogDefinition& def, const WindowState& state) {
    const std::u16string title = escapeForLiteral(def.title);
    std::vector<std::u16string> lines;
    lines.push_back(messageLine(u"selectkey = MsgBox(", escapeForLiteral(def.body), state.buttonValue, state,
                                defaultButtonSuffix(def.defaultButton), title));
    if (!def.continuation) {
        return lines;
    }
    lines.emplace_back(u"Select Case SelectKey");
    for (std::size_t slot = 0; slot < def.followUps.size(); ++slot) {
        const FollowUp& followUp = def.followUps[slot];
        lines.push_back(u"Case " + state.returnCode[slot]);
        lines.push_back(messageLine(followUp.enabled ? u"SelectKey = MsgBox(" : u"'SelectKey = MsgBox(",
                                    escapeForLiteral(followUp.text), u"0", state, {}, title));
    }
    lines.emplace_back(u"End Select");
    return lines;
}

std::vector<std::u16string> htmlLines(const DialogDefinition& def, const WindowState& state) {
    std::vector<std::u16string> lines = vbsLines(def, state);
    lines.insert(lines.begin(), kHtmlFirstLine);
    lines.emplace_back(kHtmlLastLine);
    return lines;
}

}  // namespace bw
