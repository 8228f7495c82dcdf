#include "ScriptLiteral.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace bw {

namespace {

// The escapes that stand for one fixed text.
struct FixedEscape {
    std::u16string_view sequence;
    std::u16string_view text;
};
constexpr FixedEscape kFixedEscapes[] = {
    {u"\"&Chr(34)&\"", u"\""}, {u"\"&vbCrLf&\"", u"\r\n"},    {u"\"&vbCr&\"", u"\r"},
    {u"\"&vbLf&\"", u"\n"},    {u"\"&Chr(0)&\"", {u"\0", 1}}, {u"\"&Chr(60)&\"", u"<"},
};
constexpr std::u16string_view kCodeUnitStart = u"\"&ChrW(";
constexpr std::u16string_view kCodeUnitEnd = u")&\"";

constexpr std::uint32_t kLargestCodeUnit = 0xFFFF;

struct CodeUnitEscape {
    std::size_t length = 0;  // 0: the text does not start with such an escape
    char16_t unit = 0;
};

// A "&ChrW(n)&" escape in quotes at the start of `text`. A number beyond the
// UTF-16 range makes the quote an ordinary one, so the digits are never read
// further than one past 65535.
CodeUnitEscape codeUnitEscapeAt(std::u16string_view text) {
    if (!text.starts_with(kCodeUnitStart)) {
        return {};
    }
    std::size_t i = kCodeUnitStart.size();
    const std::size_t firstDigit = i;
    std::uint32_t value = 0;
    while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') {
        value = value * 10 + static_cast<std::uint32_t>(text[i] - u'0');
        if (value > kLargestCodeUnit) {
            return {};
        }
        ++i;
    }
    if (i == firstDigit || !text.substr(i).starts_with(kCodeUnitEnd)) {
        return {};
    }
    return {i + kCodeUnitEnd.size(), static_cast<char16_t>(value)};
}

// One pass over the literal from index `from`: hands each run of plain
// characters and each escaped character to `sink`, and returns the index of the
// closing quote, or nothing when the line ends first.
template <typename Sink>
std::optional<std::size_t> scanLiteral(std::u16string_view line, std::size_t from, Sink&& sink) {
    std::size_t i = from;
    while (i < line.size()) {
        const std::size_t quote = line.find(u'"', i);
        if (quote == std::u16string_view::npos) {
            break;
        }
        sink(line.substr(i, quote - i));
        const std::u16string_view rest = line.substr(quote);
        const auto fixed = std::find_if(std::begin(kFixedEscapes), std::end(kFixedEscapes),
                                        [&](const FixedEscape& e) { return rest.starts_with(e.sequence); });
        if (fixed != std::end(kFixedEscapes)) {
            sink(fixed->text);
            i = quote + fixed->sequence.size();
        } else if (const CodeUnitEscape escape = codeUnitEscapeAt(rest); escape.length != 0) {
            sink(std::u16string_view(&escape.unit, 1));
            i = quote + escape.length;
        } else {
            return quote;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<ScriptLiteral> readLiteral(std::u16string_view line, LinePosition first) {
    if (first < 1) {
        return std::nullopt;
    }
    const auto from = static_cast<std::size_t>(first - 1);
    // The text is never longer than the rest of the line, so a buffer of that
    // size holds it without regrowing; a long text is built in one allocation
    // and one pass, and the pages past its end are never touched.
    ScriptLiteral literal{{}, 0};
    literal.text.reserve(line.size() - std::min(from, line.size()));
    const auto closing = scanLiteral(line, from, [&](std::u16string_view part) { literal.text += part; });
    if (!closing) {
        return std::nullopt;
    }
    literal.closingQuote = static_cast<LinePosition>(*closing) + 1;
    return literal;
}

}  // namespace bw
