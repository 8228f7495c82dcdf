#pragma once

#include "model/TextFileStore.h"
#include "platform/posix/IconvTextFileStore.h"

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace bw::test {

// Text files held in memory as code page 932 bytes, split and decoded with the
// system store's rules: lines end at CR LF pairs only, the last line may lack
// its CR LF, and each line is decoded on its own. A path may be set to fail
// with a reason, as a file without read rights does.
class ByteFileStore : public TextFileStore {
public:
    std::map<std::u16string, std::string> files;
    std::map<std::u16string, std::u16string> failures;
    std::vector<std::size_t> maxLinesAsked;

    static std::vector<std::u16string> splitLines(std::string_view bytes, std::size_t maxLines) {
        std::vector<std::u16string> lines;
        std::size_t from = 0;
        while (lines.size() < maxLines && from < bytes.size()) {
            const std::size_t crlf = bytes.find("\r\n", from);
            const std::size_t end = crlf == std::string_view::npos ? bytes.size() : crlf;
            lines.push_back(IconvTextFileStore::decode(bytes.substr(from, end - from)));
            from = crlf == std::string_view::npos ? bytes.size() : crlf + 2;
        }
        return lines;
    }

    static std::string joinLines(const std::vector<std::u16string>& lines) {
        std::string bytes;
        for (const auto& line : lines) {
            bytes += IconvTextFileStore::encode(line);
            bytes += "\r\n";
        }
        return bytes;
    }

    bool isRepresentable(char16_t unit) const override { return codePage_.isRepresentable(unit); }

    FileResult writeLines(const std::u16string& path, const std::vector<std::u16string>& lines) override {
        files[path] = joinLines(lines);
        return {};
    }

    ReadLinesResult readLines(const std::u16string& path, std::size_t maxLines) override {
        maxLinesAsked.push_back(maxLines);
        if (const auto failure = failures.find(path); failure != failures.end()) {
            return ReadLinesResult{false, failure->second, {}};
        }
        const auto file = files.find(path);
        if (file == files.end()) {
            return ReadLinesResult{false, u"No such file or directory", {}};
        }
        return ReadLinesResult{true, {}, splitLines(file->second, maxLines)};
    }

private:
    IconvTextFileStore codePage_;
};

}  // namespace bw::test
