#include "TextLines.h"

#include "CodePage932.h"
#include "Utf8.h"

namespace bw {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

std::string encodeLines(const std::vector<std::u16string>& lines, TextEncoding encoding) {
    std::string out;
    if (encoding == TextEncoding::Utf8) {
        std::size_t size = kUtf8Bom.size();
        for (const auto& line : lines) {
            size += utf8Length(line) + 2;
        }
        out.reserve(size);
        out += kUtf8Bom;
        for (const auto& line : lines) {
            appendUtf8(out, line);
            out += "\r\n";
        }
        return out;
    }
    std::size_t units = 0;
    for (const auto& line : lines) {
        units += line.size() + 2;
    }
    out.reserve(units * 2);
    const CodePage932& codePage = CodePage932::get();
    for (const auto& line : lines) {
        codePage.appendEncoded(out, line);
        out += "\r\n";
    }
    return out;
}

std::vector<std::u16string> decodeLines(std::string_view bytes, std::size_t maxLines, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8 && bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
    }
    std::vector<std::u16string> lines;
    while (lines.size() < maxLines && !bytes.empty()) {
        const std::size_t end = bytes.find("\r\n");
        const std::string_view line = bytes.substr(0, end);
        std::u16string& text = lines.emplace_back();
        if (encoding == TextEncoding::Utf8) {
            appendUtf8Decoded(text, line);
        } else {
            CodePage932::get().appendDecoded(text, line);
        }
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 2);
    }
    return lines;
}

std::vector<std::u16string> splitLines(std::u16string_view text, std::size_t maxLines) {
    std::vector<std::u16string> lines;
    while (lines.size() < maxLines && !text.empty()) {
        const std::size_t end = text.find(u"\r\n");
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end == std::u16string_view::npos ? text.size() : end + 2);
    }
    return lines;
}

}  // namespace bw
