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

namespace {

// A page's parser ends the script element at "</script" (in any case) wherever
// it stands, also inside a string of the script. Every such "<" is written as
// "&Chr(60)&" instead: the writer's own code has none, so each one stands in a
// literal, and the text stays the same.
void keepScriptElementOpen(std::u16string& line) {
    constexpr std::u16string_view kEnd = u"</script";
    constexpr std::u16string_view kLessThan = u"\"&Chr(60)&\"";
    const auto endsHere = [&](std::size_t at) {
        for (std::size_t i = 0; i < kEnd.size(); ++i) {
            const char16_t c = line[at + i];
            if ((c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c) != kEnd[i]) {
                return false;
            }
        }
        return true;
    };
    for (std::size_t at = 0; at + kEnd.size() <= line.size(); ++at) {
        if (endsHere(at)) {
            line.replace(at, 1, kLessThan);
            at += kLessThan.size() - 1;
        }
    }
}

}  // namespace

std::vector<std::u16string> htmlLines(const DialogDefinition& def, const WindowState& state) {
    std::vector<std::u16string> lines = vbsLines(def, state);
    for (std::u16string& line : lines) {
        keepScriptElementOpen(line);
    }
    lines.insert(lines.begin(), kHtmlFirstLine);
    lines.emplace_back(kHtmlLastLine);
    return lines;
}

}  // namespace bw
