#pragma once

#include "model/TextFileStore.h"
#include "platform/posix/IconvTextFileStore.h"

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace bw::test {

// Text files held in memory as bytes (code page 932, or UTF-8 with a
// byte-order mark), split and decoded with the system store's rules: lines end
// at CR LF pairs only, the last line may lack its CR LF, and each line is
// decoded on its own. A path may be set to fail with a reason, as a file
// without read rights does.
class ByteFileStore : public TextFileStore {
public:
    std::map<std::u16string, std::string> files;
    std::map<std::u16string, std::u16string> failures;
    std::vector<std::size_t> maxLinesAsked;

    static std::vector<std::u16string> splitLines(std::string_view bytes, std::size_t maxLines,
                                                  TextEncoding encoding = TextEncoding::CodePage932) {
        std::vector<std::u16string> lines;
        if (encoding == TextEncoding::Utf8 && bytes.starts_with("\xEF\xBB\xBF")) {
            bytes.remove_prefix(3);
        }
        std::size_t from = 0;
        while (lines.size() < maxLines && from < bytes.size()) {
            const std::size_t crlf = bytes.find("\r\n", from);
            const std::size_t end = crlf == std::string_view::npos ? bytes.size() : crlf;
            const std::string_view line = bytes.substr(from, end - from);
            lines.push_back(encoding == TextEncoding::Utf8 ? IconvTextFileStore::decodeUtf8(line)
                                                           : IconvTextFileStore::decode(line));
            from = crlf == std::string_view::npos ? bytes.size() : crlf + 2;
        }
        return lines;
    }

    static std::string joinLines(const std::vector<std::u16string>& lines,
                                 TextEncoding encoding = TextEncoding::CodePage932) {
        std::string bytes = encoding == TextEncoding::Utf8 ? "\xEF\xBB\xBF" : "";
        for (const auto& line : lines) {
            bytes += encoding == TextEncoding::Utf8 ? IconvTextFileStore::encodeUtf8(line)
                                                    : IconvTextFileStore::encode(line);
            bytes += "\r\n";
        }
        return bytes;
    }

    bool isRepresentable(char16_t unit) const override { return codePage_.isRepresentable(unit); }

    FileResult writeText(const std::u16string& path, const std::vector<std::u16string>& lines,
                         TextEncoding encoding) override {
        files[path] = joinLines(lines, encoding);
        return {};
    }

    ReadLinesResult readText(const std::u16string& path, std::size_t maxLines, TextEncoding encoding) override {
        maxLinesAsked.push_back(maxLines);
        if (const auto failure = failures.find(path); failure != failures.end()) {
            return ReadLinesResult{false, failure->second, {}};
        }
        const auto file = files.find(path);
        if (file == files.end()) {
            return ReadLinesResult{false, u"No such file or directory", {}};
        }
        return ReadLinesResult{true, {}, splitLines(file->second, maxLines, encoding)};
    }

private:
    IconvTextFileStore codePage_;
};

}  // namespace bw::test
