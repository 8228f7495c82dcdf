#include "Ps1Reader.h"
#include "TextLines.h"
#include "Utf8.h"

#include "codec/Ps1Format.h"
#include "model/AsciiCase.h"
#include "model/DialogTables.h"
#include "model/WindowState.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string_view>

namespace bw {

namespace {

bool isNameChar(char16_t c) { return isAsciiAlnum(c) || c == u'-' || c == u'_'; }

// A position on one line, with the few tokens of the format. PowerShell's
// names are case-insensitive, so names are compared that way.
class Cursor {
public:
    explicit Cursor(std::u16string_view line) : line_(line) {}

    void skipBlanks() {
        while (pos_ < line_.size() && (line_[pos_] == u' ' || line_[pos_] == u'\t')) {
            ++pos_;
        }
    }
    bool atEnd() {
        skipBlanks();
        return pos_ == line_.size();
    }
    // Whether the line is `phrase` and nothing more.
    bool atEndAfter(std::u16string_view phrase) { return eatWords(phrase) && atEnd(); }
    char16_t peek() const { return pos_ < line_.size() ? line_[pos_] : u'\0'; }
    bool more() const { return pos_ < line_.size(); }
    std::size_t left() const { return line_.size() - pos_; }
    char16_t take() { return line_[pos_++]; }
    // The units up to the first one that `stop` holds for, or to the end.
    template <typename Stop>
    std::u16string_view takeUntil(Stop stop) {
        const std::size_t from = pos_;
        while (pos_ < line_.size() && !stop(line_[pos_])) {
            ++pos_;
        }
        return line_.substr(from, pos_ - from);
    }

    // Takes `word` (after blanks) when the line goes on with it, in any case.
    bool eat(std::u16string_view word) {
        skipBlanks();
        if (!sameIgnoringAsciiCase(line_.substr(pos_, word.size()), word)) {
            return false;
        }
        // A word that ends in a name must not run on into a longer one.
        const std::size_t end = pos_ + word.size();
        if (!word.empty() && isNameChar(word.back()) && end < line_.size() && isNameChar(line_[end])) {
            return false;
        }
        pos_ = end;
        return true;
    }

    // Each blank-separated word of `phrase` in turn, with any blanks between.
    bool eatWords(std::u16string_view phrase) {
        while (!phrase.empty()) {
            const auto blank = phrase.find(u' ');
            if (!eat(phrase.substr(0, blank))) {
                return false;
            }
            phrase.remove_prefix(blank == std::u16string_view::npos ? phrase.size() : blank + 1);
        }
        return true;
    }

    // The name that follows, letters and digits.
    std::u16string_view name() {
        const std::size_t from = pos_;
        while (pos_ < line_.size() && isAsciiAlnum(line_[pos_])) {
            ++pos_;
        }
        return line_.substr(from, pos_ - from);
    }

private:
    std::u16string_view line_;
    std::size_t pos_ = 0;
};

// 'text' with doubled quotes; the opening quote may be any of the four. The
// text between quotes is taken a run at a time: it may be the whole body.
bool singleQuoted(Cursor& at, std::u16string& out) {
    at.take();
    for (;;) {
        out += at.takeUntil(ps1::isSingleQuote);
        if (!at.more()) {
            return false;
        }
        at.take();
        if (!ps1::isSingleQuote(at.peek())) {
            return true;
        }
        out += at.take();
    }
}

// "text" with backtick escapes; a dollar sign (a variable) is outside the
// format. As in PowerShell, any of the double quotes ends the string, and two
// in a row stand for the second.
bool doubleQuoted(Cursor& at, std::u16string& out) {
    at.take();
    while (at.more()) {
        const char16_t c = at.take();
        if (ps1::isDoubleQuote(c)) {
            if (!ps1::isDoubleQuote(at.peek())) {
                return true;
            }
            out += at.take();
            continue;
        }
        if (c == u'$') {
            return false;
        }
        if (c != u'`') {
            out += c;
            continue;
        }
        if (!at.more()) {
            return false;
        }
        const std::optional<char16_t> escaped = ps1::backtickEscaped(at.take());
        if (!escaped) {
            return false;
        }
        out += *escaped;
    }
    return false;
}

// [char]0xHHHH or [char]DDDDD: one UTF-16 code unit.
bool charCast(Cursor& at, std::u16string& out) {
    if (!at.eat(u"[char]")) {
        return false;
    }
    std::u16string_view digits = at.name();
    const bool hex = digits.size() > 2 && digits[0] == u'0' && lowerAscii(digits[1]) == u'x';
    if (hex) {
        digits.remove_prefix(2);
    }
    if (digits.empty() || digits.size() > 5) {
        return false;
    }
    unsigned value = 0;
    for (const char16_t d : digits) {
        const char16_t c = lowerAscii(d);
        unsigned digit = 0;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (hex && c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else {
            return false;
        }
        value = value * (hex ? 16 : 10) + digit;
    }
    if (value > 0xFFFF) {
        return false;
    }
    out += static_cast<char16_t>(value);
    return true;
}

// A text: pieces joined with "+". It is never longer than the rest of the
// line, which is reserved at once: a long text is built without regrowing.
std::optional<std::u16string> text(Cursor& at) {
    std::u16string out;
    out.reserve(at.left());
    bool first = true;
    do {
        at.skipBlanks();
        const char16_t c = at.peek();
        // PowerShell adds numbers where a sum starts with one: only a string
        // may come first, as the writer writes it.
        const bool ok = ps1::isSingleQuote(c)   ? singleQuoted(at, out)
                        : ps1::isDoubleQuote(c) ? doubleQuoted(at, out)
                                                : !first && charCast(at, out);
        first = false;
        if (!ok) {
            return std::nullopt;
        }
    } while (at.eat(u"+"));
    return out;
}

// [Type]::Name, as the index of Name among `names`.
template <std::size_t N>
std::optional<std::size_t> enumValue(Cursor& at, std::u16string_view type,
                                     const std::array<std::u16string_view, N>& names) {
    if (!at.eat(type)) {
        return std::nullopt;
    }
    const std::u16string_view name = at.name();
    for (std::size_t i = 0; i < N; ++i) {
        if (sameIgnoringAsciiCase(name, names[i])) {
            return i;
        }
    }
    return std::nullopt;
}

struct ShowCall {
    std::u16string text;
    std::u16string title;
    std::size_t buttons = 0;
    std::size_t icon = 0;
    std::size_t defaultButton = 0;
    bool rightAligned = false;
    bool optionsVariable = false;  // the options are $options
};

// start, text, title, buttons, icon [, default button [, RightAlign or $options]] ")".
std::optional<ShowCall> showCall(std::u16string_view line, std::u16string_view start) {
    Cursor at(line);
    ShowCall call;
    if (!at.eatWords(start)) {
        return std::nullopt;
    }
    auto body = text(at);
    if (!body || !at.eat(u",")) {
        return std::nullopt;
    }
    auto title = text(at);
    if (!title || !at.eat(u",")) {
        return std::nullopt;
    }
    const auto buttons = enumValue(at, ps1::kButtonsType, ps1::kButtonNames);
    if (!buttons || !at.eat(u",")) {
        return std::nullopt;
    }
    const auto icon = enumValue(at, ps1::kIconType, ps1::kIconNames);
    if (!icon) {
        return std::nullopt;
    }
    if (at.eat(u",")) {
        const auto defaultButton = enumValue(at, ps1::kDefaultButtonType, ps1::kDefaultButtonNames);
        if (!defaultButton) {
            return std::nullopt;
        }
        call.defaultButton = *defaultButton;
        if (at.eat(u",")) {
            if (at.eat(ps1::kOptionsVariable)) {
                call.optionsVariable = true;
            } else if (!at.eat(ps1::kOptionsType) || !sameIgnoringAsciiCase(at.name(), ps1::kRightAlign)) {
                return std::nullopt;
            } else {
                call.rightAligned = true;
            }
        }
    }
    if (!at.eat(u")") || !at.atEnd()) {
        return std::nullopt;
    }
    call.text = std::move(*body);
    call.title = std::move(*title);
    call.buttons = *buttons;
    call.icon = *icon;
    return call;
}

std::u16string_view trimmed(std::u16string_view line) {
    const auto first = line.find_first_not_of(u" \t");
    if (first == std::u16string_view::npos) {
        return {};
    }
    return line.substr(first, line.find_last_not_of(u" \t") - first + 1);
}

// The file's lines, split again at a lone CR or LF (a file saved with LF
// ends); the format's texts never hold a raw line break.
std::vector<std::u16string_view> physicalLines(const std::vector<std::u16string>& lines) {
    std::vector<std::u16string_view> out;
    for (const std::u16string& line : lines) {
        std::u16string_view rest = line;
        for (;;) {
            const auto end = rest.find_first_of(u"\r\n");
            out.push_back(rest.substr(0, end));
            if (end == std::u16string_view::npos) {
                break;
            }
            rest.remove_prefix(end + (rest.substr(end).starts_with(u"\r\n") ? 2 : 1));
        }
    }
    return out;
}

class Parser {
public:
    explicit Parser(const std::vector<std::u16string_view>& lines) : lines_(lines) {}

    Ps1Parse run() {
        Ps1Parse result;
        result.ok = parse(result.contents);
        if (!result.ok) {
            // The line where the format was left; the last line for a file that ends too early.
            result.errorLine = std::min(next_ + 1, std::max<std::size_t>(lines_.size(), 1));
            result.reason = next_ < lines_.size() ? looking_.unreadable : looking_.missing;
            result.contents = {};
        }
        return result;
    }

private:
    // What the parser looks for next, and how a refusal words it: the line is
    // there but not in the format, or the file ends before it.
    struct Looking {
        std::u16string_view unreadable;
        std::u16string_view missing;
    };
    static constexpr Looking kLoadLine{u"Add-Type -AssemblyName System.Windows.Forms の行ではありません",
                                       u"Add-Type -AssemblyName System.Windows.Forms の行がありません"};
    static constexpr Looking kDialogLine{u"メッセージ ボックスを表示する行として読めません",
                                         u"メッセージ ボックスを表示する行がありません"};
    static constexpr Looking kSwitchLine{u"switch の行として読めません", u"switch の行がありません"};
    static constexpr Looking kOptionsLine{u"$options の値は 4096（手前に表示）か 528384（右寄せも）です",
                                          u"$options の行がありません"};
    static constexpr Looking kTimerLines{u"時間切れのタイマーの行として読めません",
                                         u"時間切れのタイマーの行がありません"};
    static constexpr Looking kBranch{
        u"switch の分岐として読めません（分岐は、ボタンの値、{、メッセージ ボックスの行、}）",
        u"switch が閉じていません"};
    static constexpr Looking kNothingMore{u"スクリプトの終わりのあとに文があります", u""};

    const std::vector<std::u16string_view>& lines_;
    std::size_t next_ = 0;  // the line to look at next
    Looking looking_ = kLoadLine;

    // The next line that holds a statement: blank lines and, where `comments`,
    // comment lines are passed over. Empty at the end of the file.
    std::optional<std::u16string_view> statement(bool comments) {
        for (; next_ < lines_.size(); ++next_) {
            const std::u16string_view line = trimmed(lines_[next_]);
            if (!line.empty() && !(comments && line.starts_with(u'#'))) {
                return line;
            }
        }
        return std::nullopt;
    }

    bool parse(ScriptContents& contents) {
        looking_ = kLoadLine;
        auto line = statement(true);
        if (!line || !Cursor(*line).atEndAfter(ps1::kLoadForms)) {
            return false;
        }
        ++next_;
        line = statement(true);
        // Files written before the visual styles came have no such line.
        if (line && Cursor(*line).atEndAfter(ps1::kVisualStyles)) {
            ++next_;
            line = statement(true);
        }
        // Stay-on-top: the options every box takes.
        std::optional<int> options;
        if (line && Cursor(*line).eatWords(ps1::kOptionsStart)) {
            looking_ = kOptionsLine;
            Cursor at(*line);
            at.eatWords(ps1::kOptionsStart);
            at.skipBlanks();
            const std::u16string_view value = at.name();
            options = value == decimalText(ps1::kStayOnTopValue) ? ps1::kStayOnTopValue
                      : value == decimalText(ps1::kStayOnTopValue + ps1::kRightAlignValue)
                          ? ps1::kStayOnTopValue + ps1::kRightAlignValue
                          : 0;
            if (*options == 0 || !at.eat(u")") || !at.atEnd()) {
                return false;
            }
            ++next_;
            line = statement(true);
        }
        // A timeout: the timer's lines, in the writer's order.
        if (line && Cursor(*line).atEndAfter(ps1::kTimedOutFalse)) {
            looking_ = kTimerLines;
            const auto seconds = timerLines();
            if (!seconds) {
                return false;
            }
            contents.timeoutSeconds = *seconds;
            line = statement(true);
        }
        const bool timed = contents.timeoutSeconds > 0;
        looking_ = kDialogLine;
        if (!line) {
            return false;
        }
        auto dialog = showCall(*line, timed ? ps1::kOwnedDialogStart : ps1::kDialogStart);
        if (!dialog || dialog->optionsVariable != options.has_value()) {
            return false;
        }
        contents.hasFirstLine = true;
        contents.body = std::move(dialog->text);
        contents.title = std::move(dialog->title);
        contents.buttons = static_cast<ButtonSet>(dialog->buttons);
        contents.icon = static_cast<IconKind>(dialog->icon);
        contents.defaultButton = static_cast<int>(dialog->defaultButton);
        contents.rightAligned = options ? (*options & ps1::kRightAlignValue) != 0 : dialog->rightAligned;
        contents.stayOnTop = options.has_value();
        std::u16string_view lastLine = *line;
        ++next_;
        if (timed) {
            looking_ = kTimerLines;
            for (const std::u16string_view after : {ps1::kTimerDispose, ps1::kOwnerDispose, ps1::kTimedOutAnswer}) {
                line = statement(true);
                if (!line || !Cursor(*line).atEndAfter(after)) {
                    return false;
                }
                ++next_;
            }
        }

        line = statement(true);
        if (line) {
            looking_ = kSwitchLine;
            if (!Cursor(*line).atEndAfter(ps1::kSwitchStart)) {
                return false;
            }
            looking_ = kBranch;
            if (!branches(contents, lastLine)) {
                return false;
            }
            contents.followUps = true;
        }
        looking_ = kNothingMore;
        if (statement(true)) {
            return false;
        }
        // Copied once, at the end: the dialog's line may be the whole body long.
        contents.lastLine = lastLine;
        return true;
    }

    // The timer's lines from "$timedOut = $false" to "$timer.Start()": the
    // seconds of its interval, or nothing when a line is not the writer's.
    std::optional<int> timerLines() {
        ++next_;
        for (const std::u16string_view expected : {ps1::kOwnerForm, ps1::kTimer}) {
            const auto line = statement(true);
            if (!line || !Cursor(*line).atEndAfter(expected)) {
                return std::nullopt;
            }
            ++next_;
        }
        auto line = statement(true);
        if (!line) {
            return std::nullopt;
        }
        Cursor at(*line);
        if (!at.eatWords(ps1::kIntervalStart)) {
            return std::nullopt;
        }
        at.skipBlanks();
        const std::u16string_view digits = at.name();
        if (!at.atEnd() || digits.empty() || digits.size() > 8 || digits.front() == u'0') {
            return std::nullopt;
        }
        std::int64_t milliseconds = 0;
        for (const char16_t d : digits) {
            if (d < u'0' || d > u'9') {
                return std::nullopt;
            }
            milliseconds = milliseconds * 10 + (d - u'0');
        }
        if (milliseconds % 1000 != 0 || milliseconds / 1000 > kLongestTimeoutSeconds) {
            return std::nullopt;
        }
        ++next_;
        for (const std::u16string_view expected : {ps1::kTick, ps1::kTimerStart}) {
            line = statement(true);
            if (!line || !Cursor(*line).atEndAfter(expected)) {
                return std::nullopt;
            }
            ++next_;
        }
        return static_cast<int>(milliseconds / 1000);
    }

    // The switch's branches up to its closing brace, each "code {", the
    // message line (commented out or not), "}" — or all on one line.
    bool branches(ScriptContents& contents, std::u16string_view& lastLine) {
        ++next_;
        const ButtonSetRow& row = buttonSetRow(*contents.buttons);
        std::array<bool, 4> seen{};  // the three slots, and the timeout's
        for (;;) {
            // A comment may stand before a branch; a branch never starts with "#".
            auto line = statement(true);
            if (!line) {
                return false;
            }
            if (*line == u"}") {
                ++next_;
                // A branch that is not there shows no box: its slot is off,
                // with no text the file does not give.
                for (std::size_t slot = 0; slot < contents.slotLines.size(); ++slot) {
                    if (!seen[slot]) {
                        contents.slotLines[slot] = {true, u""};
                    }
                }
                if (contents.timeoutSeconds > 0 && !seen.back()) {
                    contents.timeoutSlot = ScriptContents::Slot{true, u""};
                }
                return true;
            }
            Cursor at(*line);
            // The timeout's branch, in a file with a timeout.
            const bool timedOut = contents.timeoutSeconds > 0 && at.eat(ps1::kTimedOutCode);
            const std::u16string_view code = timedOut ? ps1::kTimedOutCode : at.name();
            const auto slotCode = std::find_if(row.returnCodes.begin(), row.returnCodes.end(),
                                               [&](int c) { return decimalText(c) == code; });
            if (code.empty() || (!timedOut && slotCode == row.returnCodes.end()) || !at.eat(u"{")) {
                return false;
            }
            const auto slot = timedOut ? seen.size() - 1 : static_cast<std::size_t>(slotCode - row.returnCodes.begin());
            if (seen[slot]) {
                return false;
            }
            seen[slot] = true;
            if (timedOut) {
                contents.timeoutSlot = ScriptContents::Slot{};  // not emplaced: see VbsReader.cpp
            }
            ScriptContents::Slot& into = timedOut ? *contents.timeoutSlot : contents.slotLines[slot];
            std::u16string_view message = trimmed(line->substr(line->find(u'{') + 1));
            if (message.empty()) {
                ++next_;
                // The message, commented out or not; a comment that is no
                // message may stand before it.
                for (line = statement(false); line && line->starts_with(u'#') && !followUp(*line, into);
                     line = statement(false)) {
                    ++next_;
                }
                if (!line || !followUp(*line, into)) {
                    return false;
                }
                message = *line;
                ++next_;
                line = statement(false);
                if (!line || *line != u"}") {
                    return false;
                }
            } else {
                // One line: "code { message }". A commented-out message would
                // comment out the closing brace too.
                if (!message.ends_with(u'}') || message.starts_with(u'#')) {
                    return false;
                }
                message = trimmed(message.substr(0, message.size() - 1));
                if (!followUp(message, into)) {
                    return false;
                }
            }
            ++next_;
            lastLine = message;
        }
    }

    static bool followUp(std::u16string_view message, ScriptContents::Slot& slot) {
        slot.commentedOut = message.starts_with(u'#');
        if (slot.commentedOut) {
            message = trimmed(message.substr(1));
        }
        auto call = showCall(message, ps1::kFollowUpStart);
        if (!call) {
            return false;
        }
        slot.text = std::move(call->text);
        return true;
    }
};

}  // namespace

Ps1Parse parsePs1Script(const std::vector<std::u16string>& lines) {
    const std::vector<std::u16string_view> physical = physicalLines(lines);
    return Parser(physical).run();
}

Ps1Parse decodePs1Script(std::string_view bytes) {
    constexpr std::size_t kAllLines = std::numeric_limits<std::size_t>::max();
    Ps1Encoding encoding = Ps1Encoding::Utf8;
    std::vector<std::u16string> lines;
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        encoding = Ps1Encoding::Utf8WithMark;
        lines = decodeLines(bytes, kAllLines, TextEncoding::Utf8);
    } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        encoding = Ps1Encoding::Utf16;
        const bool little = bytes[0] == '\xFF';
        std::u16string text;
        text.reserve(bytes.size() / 2);
        for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
            const auto first = static_cast<unsigned char>(bytes[at]);
            const auto second = static_cast<unsigned char>(bytes[at + 1]);
            text += static_cast<char16_t>(little ? first | (second << 8) : (first << 8) | second);
        }
        lines = splitLines(text, kAllLines);
    } else {
        // Windows PowerShell 5.1 reads a file without a mark in the ANSI code
        // page; a file that is UTF-8 all the same is read as such.
        encoding = isUtf8(bytes) ? Ps1Encoding::Utf8 : Ps1Encoding::CodePage932;
        lines = decodeLines(bytes, kAllLines,
                            encoding == Ps1Encoding::Utf8 ? TextEncoding::Utf8 : TextEncoding::CodePage932);
    }
    Ps1Parse parsed = parsePs1Script(lines);
    parsed.encoding = encoding;
    return parsed;
}

}  // namespace bw
