#pragma once

#include "codec/TextLines.h"
#include "ports/FileStore.h"

#include <cstddef>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace bw::test {

// Files held in memory as bytes. A path may be set to fail with a reason, as
// a file without read rights does.
class ByteFileStore : public FileStore {
public:
    std::map<std::u16string, std::string> files;
    std::map<std::u16string, std::u16string> failures;
    std::size_t reads = 0;

    static std::string joinLines(const std::vector<std::u16string>& lines,
                                 TextEncoding encoding = TextEncoding::CodePage932) {
        return encodeLines(lines, encoding);
    }

    FileResult write(const std::u16string& path, std::string_view bytes) override {
        files[path] = bytes;
        return {};
    }

    // Each file its own identity, by its place in the map.
    NameState look(const std::u16string& path) override {
        const auto file = files.find(path);
        if (file == files.end()) {
            return {};
        }
        return {true, FileIdentity{1, static_cast<std::uint64_t>(std::distance(files.begin(), file))}};
    }

    ReadFileResult read(const std::u16string& path) override {
        ++reads;
        if (const auto failure = failures.find(path); failure != failures.end()) {
            return ReadFileResult{false, failure->second, {}};
        }
        const auto file = files.find(path);
        if (file == files.end()) {
            return ReadFileResult{false, u"No such file or directory", {}};
        }
        return ReadFileResult{true, {}, file->second};
    }
};

}  // namespace bw::test
