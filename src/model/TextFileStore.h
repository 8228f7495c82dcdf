#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bw {

struct FileResult {
    bool ok = true;
    std::u16string error;  // the system's reason when not ok
};

struct ReadLinesResult {
    bool ok = true;
    std::u16string error;
    std::vector<std::u16string> lines;
};

// Text files as lines in the system's code page (932), each line ending in CR LF.
class TextFileStore {
public:
    virtual ~TextFileStore() = default;

    // Whether a UTF-16 code unit survives the round trip through the code page.
    virtual bool isRepresentable(char16_t unit) const = 0;

    // Writes every line followed by CR LF. The file is replaced whole or not at
    // all: an existing file stays untouched when the write fails.
    virtual FileResult writeLines(const std::u16string& path, const std::vector<std::u16string>& lines) = 0;

    // Reads at most maxLines lines. Lines end at CR LF pairs only; a lone CR or
    // LF belongs to its line, and the last line may lack its CR LF. A byte
    // sequence the code page does not define becomes U+FFFD, one per bad byte.
    virtual ReadLinesResult readLines(const std::u16string& path, std::size_t maxLines) = 0;
};

}  // namespace bw
