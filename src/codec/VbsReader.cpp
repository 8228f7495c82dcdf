#include "VbsReader.h"

#include "ScriptContents.h"
#include "ScriptLiteral.h"
#include "ScriptWriter.h"
#include "TextLines.h"
#include "model/DialogTables.h"
#include "model/WindowState.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace bw {

namespace {

constexpr std::u16string_view kFollowUpsLine = u"Select Case SelectKey";
constexpr std::u16string_view kRightMarker = u"+ vbMsgBoxRight";

// Position of the first `needle` at or after `start`; 0 when there is none.
LinePosition find(std::u16string_view line, LinePosition start, std::u16string_view needle) {
    if (start < 1 || static_cast<std::size_t>(start - 1) > line.size()) {
        return 0;
    }
    const std::size_t at = line.find(needle, static_cast<std::size_t>(start - 1));
    return at == std::u16string_view::npos ? 0 : static_cast<LinePosition>(at) + 1;
}

// `count` characters from `start`: nothing when start is below 1 or count is
// negative (the step fails); an empty or shorter text past the line's end.
std::optional<std::u16string_view> mid(std::u16string_view line, LinePosition start, LinePosition count) {
    if (start < 1 || count < 0) {
        return std::nullopt;
    }
    const auto from = static_cast<std::size_t>(start - 1);
    if (from >= line.size()) {
        return std::u16string_view{};
    }
    return line.substr(from, static_cast<std::size_t>(count));
}

// A text made of ASCII digits only, as its value; nothing for any other text.
std::optional<int> plainNumber(std::optional<std::u16string_view> text) {
    if (!text || text->empty()) {
        return std::nullopt;
    }
    int value = 0;
    for (const char16_t c : *text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

// Characters from..to (both included) that a literal of line 1 occupies.
struct Span {
    LinePosition from;
    LinePosition to;
};

// A literal covers its opening quote up to its closing quote, or up to the line's
// end when it never closes. When no opening quote was found (position 0) a literal
// that was still read covers the characters it was read from; one that was not
// read covers nothing.
std::optional<Span> literalSpan(LinePosition opening, const std::optional<ScriptLiteral>& literal,
                                std::u16string_view line) {
    if (literal) {
        return Span{std::max<LinePosition>(opening, 1), literal->closingQuote};
    }
    if (opening > 0) {
        return Span{opening, static_cast<LinePosition>(line.size())};
    }
    return std::nullopt;
}

// Whether a marker stands on the line outside both literals, so that a text
// holding " + vbMsgBoxRight" does not align the dialog. The markers hold no
// quote, so one lies either wholly inside a literal or wholly in a gap between
// them: only the gaps are searched.
bool hasMarkerOutside(std::u16string_view line, std::u16string_view marker, std::optional<Span> body,
                      std::optional<Span> title) {
    if (body && title && title->from < body->from) {
        std::swap(body, title);
    }
    LinePosition gapFrom = 1;
    bool found = false;
    auto searchGapUpTo = [&](LinePosition gapTo) {
        if (!found && gapTo >= gapFrom) {
            const auto gap =
                line.substr(static_cast<std::size_t>(gapFrom - 1), static_cast<std::size_t>(gapTo - gapFrom + 1));
            found = gap.find(marker) != std::u16string_view::npos;
        }
    };
    for (const std::optional<Span>& span : {body, title}) {
        if (span) {
            searchGapUpTo(span->from - 1);
            gapFrom = std::max(gapFrom, span->to + 1);
        }
    }
    searchGapUpTo(static_cast<LinePosition>(line.size()));
    return found;
}

// The style's button digit two places before its first "+" (p) and the icon
// number two places after it.
void readStyle(std::u16string_view line, LinePosition p, ScriptContents& contents) {
    if (const auto digit = plainNumber(mid(line, p - 2, 1))) {
        if (const auto row = buttonSetRowForStyle(*digit)) {
            contents.buttons = row->set;
        }
    }
    if (const auto number = plainNumber(mid(line, p + 2, 2))) {
        if (const auto row = iconRowForStyle(*number)) {
            contents.icon = row->kind;
        }
    }
}

// The alignment, default-button and stay-on-top markers, where they stand
// outside both literals.
void readMarkers(std::u16string_view line, std::optional<Span> bodySpan, std::optional<Span> titleSpan,
                 ScriptContents& contents) {
    contents.rightAligned = hasMarkerOutside(line, kRightMarker, bodySpan, titleSpan);
    for (const int position : {1, 2}) {
        const std::u16string_view marker = defaultButtonSuffix(position).substr(1);  // without the blank before "+"
        if (hasMarkerOutside(line, marker, bodySpan, titleSpan)) {
            contents.defaultButton = position;
        }
    }
    contents.stayOnTop = hasMarkerOutside(line, kSystemModalSuffix.substr(1), bodySpan, titleSpan);
}

// Line 1, found as the writer's positions say: the body is the first literal;
// the first "+" after it (p) has the button digit two places before it and the
// icon number two places after it; the title is the literal opened by the
// first quote from p + 3 on. The alignment and default-button markers count
// where they stand outside both literals.
// A Popup line ("selectkey = CreateObject("WScript.Shell").Popup(") has
// the seconds and the title between the body and the style: the body is the
// literal right after the start, then ", ", the seconds, ", " and the title; the style is read
// after the title as after a MsgBox line's body.
void readPopupLine(std::u16string_view line, ScriptContents& contents) {
    const auto q1 = static_cast<LinePosition>(kPopupStart.size() + 1);
    if (line.size() <= kPopupStart.size() || line[kPopupStart.size()] != u'"') {
        return;
    }
    auto body = readLiteral(line, q1 + 1);
    if (!body) {
        return;
    }
    std::u16string_view rest = line.substr(static_cast<std::size_t>(body->closingQuote));
    if (!rest.starts_with(u", ")) {
        return;
    }
    rest.remove_prefix(2);
    const std::size_t digits = std::min(rest.find_first_not_of(u"0123456789"), rest.size());
    if (digits > 5) {
        return;  // longer than any timeout, and than an int holds
    }
    const auto seconds = plainNumber(rest.substr(0, digits));
    if (!seconds || !rest.substr(digits).starts_with(u", \"")) {
        return;
    }
    const auto t1 = static_cast<LinePosition>(line.size() - rest.size() + digits + 3);
    auto title = readLiteral(line, t1 + 1);
    if (!title) {
        return;
    }
    const LinePosition p = find(line, title->closingQuote + 1, u"+");
    readStyle(line, p, contents);
    readMarkers(line, literalSpan(q1, body, line), literalSpan(t1, title, line), contents);
    contents.timeoutSeconds = std::min(*seconds, kLongestTimeoutSeconds);
    contents.body = std::move(body->text);
    contents.title = std::move(title->text);
}

void readFirstLine(std::u16string_view line, ScriptContents& contents) {
    if (line.starts_with(kPopupStart)) {
        readPopupLine(line, contents);
        return;
    }
    const LinePosition q1 = find(line, 1, u"\"");
    auto body = readLiteral(line, q1 + 1);
    const LinePosition q2 = body ? body->closingQuote : 0;

    const LinePosition p = find(line, q2 + 1, u"+");
    readStyle(line, p, contents);

    const LinePosition t1 = find(line, p + 3, u"\"");
    auto title = readLiteral(line, t1 + 1);

    readMarkers(line, literalSpan(q1, body, line), literalSpan(t1, title, line), contents);
    if (body) {
        contents.body = std::move(body->text);
    }
    if (title) {
        contents.title = std::move(title->text);
    }
}

// The file's lines in order. A read past the last line (or past line eight)
// fails and leaves the current line empty, so a file cut off inside the
// follow-ups leaves the remaining slots as they are. A load is a read of a line
// that is then decoded (line 1 and the slots' message lines); the last line
// loaded is what the window keeps in Text3.
struct LineReader {
    std::u16string noLine;
    std::vector<std::u16string>& lines;
    std::size_t next = 0;
    std::u16string* current = &noLine;
    std::u16string* lastLoaded = &noLine;

    explicit LineReader(std::vector<std::u16string>& fileLines) : lines(fileLines) {}

    bool read() {
        if (next < lines.size() && next < kVbsScriptLines) {
            current = &lines[next++];
            return true;
        }
        current = &noLine;
        return false;
    }

    bool load() {
        const bool lineRead = read();
        lastLoaded = current;
        return lineRead;
    }
};

// A slot's message line: its first literal is the slot's text; a leading
// apostrophe (a commented-out line) unchecks the slot. The slot's result code
// and the line's icon, alignment and title are the main dialog's and not read.
void readMessageLine(LineReader& reader, ScriptContents::Slot& slot) {
    reader.load();
    const std::u16string_view line = *reader.current;
    const LinePosition q1 = find(line, 1, u"\"");
    if (auto text = readLiteral(line, q1 + 1)) {
        slot.text = std::move(text->text);
    }
    slot.commentedOut = line.starts_with(u'\'');
}

// A slot: its "Case" line, passed over, then its message line.
void readSlot(LineReader& reader, ScriptContents::Slot& slot) {
    reader.read();
    readMessageLine(reader, slot);
}

}  // namespace

ScriptContents parseVbsScript(std::vector<std::u16string> lines) {
    ScriptContents contents;
    LineReader reader(lines);
    contents.hasFirstLine = reader.load();
    readFirstLine(*reader.current, contents);

    // Lines 2 to 10: whether follow-ups follow, the three slots, then the timeout's.
    if (reader.read() && *reader.current == kFollowUpsLine) {
        contents.followUps = true;
        for (ScriptContents::Slot& slot : contents.slotLines) {
            readSlot(reader, slot);
        }
        // The timeout's branch, after the three slots of a file with a timeout.
        // A timed file without the branch shows no box when the time runs
        // out: its slot reads as off, without a text, as in a .ps1.
        if (contents.timeoutSeconds > 0) {
            contents.timeoutSlot = ScriptContents::Slot{true, u""};
        }
        if (contents.timeoutSeconds > 0 && reader.read() && *reader.current == kTimedOutCase) {
            // Assigned rather than emplaced: clang 14 cannot tell yet that a
            // nested class with member initializers is default-constructible.
            contents.timeoutSlot = ScriptContents::Slot{};
            readMessageLine(reader, *contents.timeoutSlot);
        }
    }
    // Moved once at the end: a long first line is not copied only to be
    // replaced by a slot line.
    contents.lastLine = std::move(*reader.lastLoaded);
    return contents;
}

ScriptContents decodeVbsScript(std::string_view bytes) {
    return parseVbsScript(decodeLines(bytes, kVbsScriptLines, TextEncoding::CodePage932));
}

}  // namespace bw
