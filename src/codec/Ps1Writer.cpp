#include "Ps1Writer.h"

#include "codec/Ps1Format.h"
#include "model/DialogTables.h"
#include "model/WindowState.h"

namespace bw {

namespace {

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A surrogate without its partner, which UTF-8 cannot hold.
bool isLoneSurrogate(std::u16string_view text, std::size_t i) {
    const char16_t c = text[i];
    if (isHighSurrogate(c)) {
        return i + 1 >= text.size() || !isLowSurrogate(text[i + 1]);
    }
    if (isLowSurrogate(c)) {
        return i == 0 || !isHighSurrogate(text[i - 1]);
    }
    return false;
}

bool isBreak(char16_t c) { return c == u'\r' || c == u'\n' || c == u'\0'; }

void appendHex(std::u16string& out, char16_t unit) {
    constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    out += u"0x";
    for (int shift = 12; shift >= 0; shift -= 4) {
        out += kDigits[(unit >> shift) & 0xF];
    }
}

std::u16string enumArgument(std::u16string_view type, std::u16string_view name) {
    std::u16string out(type);
    out += name;
    return out;
}

// The length of ps1TextExpression(text), so that a line is built at its size.
std::size_t expressionLength(std::u16string_view text) {
    std::size_t length = 2;
    std::size_t i = 0;
    while (i < text.size()) {
        if (isBreak(text[i])) {
            length += 10;  // ' + " and " + '
            for (; i < text.size() && isBreak(text[i]); ++i) {
                length += 2;
            }
            continue;
        }
        length += isLoneSurrogate(text, i) ? 20 : ps1::isSingleQuote(text[i]) ? 2 : 1;
        ++i;
    }
    return length;
}

// Appends ps1TextExpression(text).
void appendExpression(std::u16string& out, std::u16string_view text) {
    out += u'\'';
    std::size_t i = 0;
    while (i < text.size()) {
        const char16_t c = text[i];
        if (isBreak(c)) {
            out += u"' + \"";
            for (; i < text.size() && isBreak(text[i]); ++i) {
                out += u'`';
                out += ps1::backtickLetter(text[i]);
            }
            out += u"\" + '";
            continue;
        }
        if (isLoneSurrogate(text, i)) {
            out += u"' + [char]";
            appendHex(out, c);
            out += u" + '";
        } else {
            out += c;
            if (ps1::isSingleQuote(c)) {
                out += c;
            }
        }
        ++i;
    }
    out += u'\'';
}

// The call with its text, then the title, buttons, icon, and the default
// button and the options where they are not the first button and none. The
// line is built at its final size: with a long text it is the file's bulk.
std::u16string showCall(std::u16string_view start, std::u16string_view text, const std::u16string& title,
                        ButtonSet buttons, const DialogDefinition& def, int defaultButton) {
    std::u16string rest = u", ";
    rest += title;
    rest += u", ";
    rest += enumArgument(ps1::kButtonsType, ps1::kButtonNames[static_cast<std::size_t>(buttons)]);
    rest += u", ";
    rest += enumArgument(ps1::kIconType, ps1::kIconNames[static_cast<std::size_t>(def.icon)]);
    const bool options = def.rightAligned || def.options.stayOnTop;
    if (defaultButton != 0 || options) {
        rest += u", ";
        rest +=
            enumArgument(ps1::kDefaultButtonType, ps1::kDefaultButtonNames[static_cast<std::size_t>(defaultButton)]);
    }
    if (def.options.stayOnTop) {
        rest += u", ";
        rest += ps1::kOptionsVariable;
    } else if (def.rightAligned) {
        rest += u", ";
        rest += enumArgument(ps1::kOptionsType, ps1::kRightAlign);
    }
    rest += u')';
    std::u16string line;
    line.reserve(start.size() + expressionLength(text) + rest.size());
    line += start;
    appendExpression(line, text);
    line += rest;
    return line;
}

}  // namespace

std::u16string ps1TextExpression(std::u16string_view text) {
    std::u16string out;
    out.reserve(expressionLength(text));
    appendExpression(out, text);
    return out;
}

std::vector<std::u16string> ps1Lines(const DialogDefinition& def) {
    const std::u16string title = ps1TextExpression(def.title);
    std::vector<std::u16string> lines;
    lines.emplace_back(ps1::kHowToRun);
    lines.emplace_back(ps1::kLoadForms);
    lines.emplace_back(ps1::kVisualStyles);
    if (def.options.stayOnTop) {
        lines.push_back(std::u16string(ps1::kOptionsStart) +
                        decimalText(ps1::kStayOnTopValue + (def.rightAligned ? ps1::kRightAlignValue : 0)) + u")");
    }
    const bool timed = def.options.timeoutSeconds > 0;
    if (timed) {
        lines.emplace_back(ps1::kTimedOutFalse);
        lines.emplace_back(ps1::kOwnerForm);
        lines.emplace_back(ps1::kTimer);
        lines.push_back(std::u16string(ps1::kIntervalStart) +
                        decimalText(static_cast<std::int64_t>(def.options.timeoutSeconds) * 1000));
        lines.emplace_back(ps1::kTick);
        lines.emplace_back(ps1::kTimerStart);
    }
    lines.push_back(showCall(timed ? ps1::kOwnedDialogStart : ps1::kDialogStart, def.body, title, def.buttons, def,
                             def.defaultButton));
    if (timed) {
        lines.emplace_back(ps1::kTimerDispose);
        lines.emplace_back(ps1::kOwnerDispose);
        lines.emplace_back(ps1::kTimedOutAnswer);
    }
    if (!def.continuation) {
        return lines;
    }
    const std::u16string indent(ps1::kIndent);
    lines.emplace_back(ps1::kSwitchStart);
    // One branch: the answer's code, and its follow-up box, commented out when off.
    const auto branch = [&](std::u16string_view code, const FollowUp& followUp) {
        lines.push_back(indent + std::u16string(code) + u" {");
        std::u16string message = indent + indent;
        if (!followUp.enabled) {
            message += ps1::kCommentedOut;
        }
        message += showCall(ps1::kFollowUpStart, followUp.text, title, ButtonSet::OkOnly, def, 0);
        lines.push_back(std::move(message));
        lines.push_back(indent + u"}");
    };
    const ButtonSetRow& row = buttonSetRow(def.buttons);
    for (std::size_t slot = 0; slot < def.followUps.size(); ++slot) {
        branch(decimalText(row.returnCodes[slot]), def.followUps[slot]);
    }
    if (timed) {
        branch(ps1::kTimedOutCode, def.options.onTimeout);
    }
    lines.emplace_back(u"}");
    return lines;
}

}  // namespace bw
