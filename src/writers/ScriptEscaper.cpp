#include "ScriptEscaper.h"

#include "model/TextFileStore.h"
#include "model/WindowState.h"

namespace bw {

namespace {

constexpr std::u16string_view kEscapedQuote = u"\"&Chr(34)&\"";
constexpr std::u16string_view kEscapedLineBreak = u"\"&vbCrLf&\"";

}  // namespace

std::u16string escapeForLiteral(std::u16string_view text, LineBreaks lineBreaks, const TextFileStore& codePage) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'"') {
            out += kEscapedQuote;
        } else if (lineBreaks == LineBreaks::Escape && c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            out += kEscapedLineBreak;
            ++i;
        } else if (c == u'\r' || c == u'\n' || codePage.isRepresentable(c)) {
            out += c;
        } else {
            out += u"\"&ChrW(";
            out += decimalText(c);
            out += u")&\"";
        }
    }
    return out;
}

}  // namespace bw
