#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace bw {

struct FileResult {
    bool ok = true;
    std::u16string error;  // the reason, for a message box, when not ok
};

struct ReadLinesResult {
    bool ok = true;
    std::u16string error;
    std::vector<std::u16string> lines;
};

// How a text file stores its characters.
enum class TextEncoding {
    // Code page 932, the scripts' code page. A unit it cannot hold is written
    // as '?', so the writers escape such units before they get here.
    CodePage932,
    // UTF-8, written with a byte-order mark and read with or without one.
    Utf8,
};

// Text files as lines, each line ending in CR LF.
class TextFileStore {
public:
    virtual ~TextFileStore() = default;

    // Whether a UTF-16 code unit survives the round trip through code page 932.
    virtual bool isRepresentable(char16_t unit) const = 0;

    // Writes every line followed by CR LF. The file gets the new contents whole
    // or keeps its old ones: a failed write leaves no trace. A symbolic link is
    // written through to its target (created when missing). An existing file
    // keeps its identity: its mode, owner, group and other names. Anything that
    // is not a regular file, and a read-only file, is refused and left as it is.
    virtual FileResult writeText(const std::u16string& path, const std::vector<std::u16string>& lines,
                                 TextEncoding encoding) = 0;

    // Reads at most maxLines lines of a regular file; anything else is refused
    // without waiting on it. Lines end at CR LF pairs only; a lone CR or
    // LF belongs to its line, and the last line may lack its CR LF. A byte
    // sequence the encoding does not define becomes U+FFFD, one per bad byte.
    virtual ReadLinesResult readText(const std::u16string& path, std::size_t maxLines, TextEncoding encoding) = 0;

    // The same in code page 932, the encoding of the .vbs and .htm files.
    FileResult writeLines(const std::u16string& path, const std::vector<std::u16string>& lines) {
        return writeText(path, lines, TextEncoding::CodePage932);
    }
    ReadLinesResult readLines(const std::u16string& path, std::size_t maxLines) {
        return readText(path, maxLines, TextEncoding::CodePage932);
    }
};

}  // namespace bw
