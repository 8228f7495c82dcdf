#include "ScriptWriter.h"

#include "ScriptEscaper.h"

namespace bw {

namespace {

// The style: the button digit, the icon number, then the flags by name.
std::u16string style(std::u16string_view buttons, const WindowState& state, std::u16string_view defaultSuffix,
                     bool stayOnTop) {
    std::u16string out(buttons);
    out += u" + ";
    out += state.iconValue;
    out += state.rightSuffix;
    out += defaultSuffix;
    if (stayOnTop) {
        out += kSystemModalSuffix;
    }
    return out;
}

std::u16string messageLine(std::u16string_view opening, const std::u16string& prompt, const std::u16string& style,
                           const std::u16string& title) {
    std::u16string line;
    line.reserve(opening.size() + prompt.size() + title.size() + style.size() + 8);
    line += opening;
    line += u'"';
    line += prompt;
    line += u"\", ";
    line += style;
    line += u", \"";
    line += title;
    line += u"\")";
    return line;
}

// WScript.Shell's Popup: the text, the seconds, the title, then the style;
// it returns -1 when the time runs out.
std::u16string popupLine(const std::u16string& prompt, int seconds, const std::u16string& style,
                         const std::u16string& title) {
    std::u16string line;
    line.reserve(prompt.size() + title.size() + style.size() + 64);
    line += kPopupStart;
    line += u'"';
    line += prompt;
    line += u"\", ";
    line += decimalText(seconds);
    line += u", \"";
    line += title;
    line += u"\", ";
    line += style;
    line += u')';
    return line;
}

}  // namespace

std::vector<std::u16string> vbsLines(const DialogDefinition& def, const WindowState& state) {
    const std::u16string title = escapeForLiteral(def.title);
    const bool onTop = def.options.stayOnTop;
    const std::u16string firstStyle = style(state.buttonValue, state, defaultButtonSuffix(def.defaultButton), onTop);
    std::vector<std::u16string> lines;
    if (def.options.timeoutSeconds > 0) {
        lines.push_back(popupLine(escapeForLiteral(def.body), def.options.timeoutSeconds, firstStyle, title));
    } else {
        lines.push_back(messageLine(u"selectkey = MsgBox(", escapeForLiteral(def.body), firstStyle, title));
    }
    if (!def.continuation) {
        return lines;
    }
    const std::u16string followUpStyle = style(u"0", state, {}, onTop);
    const auto followUpLine = [&](const FollowUp& followUp) {
        return messageLine(followUp.enabled ? u"SelectKey = MsgBox(" : u"'SelectKey = MsgBox(",
                           escapeForLiteral(followUp.text), followUpStyle, title);
    };
    lines.emplace_back(u"Select Case SelectKey");
    for (std::size_t slot = 0; slot < def.followUps.size(); ++slot) {
        lines.push_back(u"Case " + state.returnCode[slot]);
        lines.push_back(followUpLine(def.followUps[slot]));
    }
    if (def.options.timeoutSeconds > 0) {
        lines.emplace_back(kTimedOutCase);
        lines.push_back(followUpLine(def.options.onTimeout));
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
    // A page cannot make WScript.Shell, whose Popup alone closes by itself:
    // the page shows the box with MsgBox, which waits, and says why.
    DialogDefinition shown = def;
    shown.options.timeoutSeconds = 0;
    std::vector<std::u16string> lines = vbsLines(shown, state);
    for (std::u16string& line : lines) {
        keepScriptElementOpen(line);
    }
    if (def.options.timeoutSeconds > 0) {
        lines.insert(lines.begin(), std::u16string(kHtmlNoTimeoutNote));
    }
    lines.insert(lines.begin(), kHtmlFirstLine);
    lines.emplace_back(kHtmlLastLine);
    return lines;
}

}  // namespace bw
