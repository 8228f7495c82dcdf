#pragma once

#include "codec/TextLines.h"
#include "ports/FileStore.h"

#include <cstddef>
#include <string>
#include <vector>

namespace bw::test {

// Lines through a file store, as the commands write and read them.
inline FileResult writeLines(FileStore& files, const std::u16string& path, const std::vector<std::u16string>& lines,
                             TextEncoding encoding = TextEncoding::CodePage932) {
    return files.write(path, encodeLines(lines, encoding));
}

struct ReadLinesResult {
    bool ok = true;
    std::u16string error;
    std::vector<std::u16string> lines;
};

inline ReadLinesResult readLines(FileStore& files, const std::u16string& path, std::size_t maxLines,
                                 TextEncoding encoding = TextEncoding::CodePage932) {
    ReadFileResult file = files.read(path);
    if (!file.ok) {
        return {false, file.error, {}};
    }
    return {true, {}, decodeLines(file.bytes, maxLines, encoding)};
}

}  // namespace bw::test
