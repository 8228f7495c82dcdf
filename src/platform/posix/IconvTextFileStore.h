#pragma once

#include "model/TextFileStore.h"

#include <string>

namespace bw {

// Code page 932 and UTF-8 through iconv, with the code page's round-trip
// tables built once per process.
// Files are written to a temporary file in the target's folder and renamed over
// the target, so a failed write leaves an existing file as it was. A file that
// cannot be replaced so without losing its identity (another name, an owner or
// group the temporary file cannot get, a folder that takes no new files) is
// written in place, its old contents kept until the new ones are on disk.
class IconvTextFileStore : public TextFileStore {
public:
    bool isRepresentable(char16_t unit) const override;
    FileResult writeText(const std::u16string& path, const std::vector<std::u16string>& lines,
                         TextEncoding encoding) override;
    ReadLinesResult readText(const std::u16string& path, std::size_t maxLines, TextEncoding encoding) override;

    // Code page 932 bytes of a text; a unit that the code page cannot hold becomes '?'.
    static std::string encode(std::u16string_view text);
    // A text from code page 932 bytes; each byte of an undefined sequence becomes U+FFFD.
    static std::u16string decode(std::string_view bytes);
    // UTF-8 bytes of a text, without a byte-order mark; a lone surrogate becomes U+FFFD.
    static std::string encodeUtf8(std::u16string_view text);
    // A text from UTF-8 bytes; each byte of an invalid sequence becomes U+FFFD.
    static std::u16string decodeUtf8(std::string_view bytes);
};

}  // namespace bw
