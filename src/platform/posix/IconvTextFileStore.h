#pragma once

#include "model/TextFileStore.h"

#include <string>

namespace bw {

// Code page 932 through iconv, with the round-trip table built once per process.
// Files are written to a temporary file in the target's folder and renamed over
// the target, so a failed write leaves an existing file as it was.
class IconvTextFileStore : public TextFileStore {
public:
    bool isRepresentable(char16_t unit) const override;
    FileResult writeLines(const std::u16string& path, const std::vector<std::u16string>& lines) override;
    ReadLinesResult readLines(const std::u16string& path, std::size_t maxLines) override;

    // Code page 932 bytes of a text; a unit that the code page cannot hold becomes '?'.
    static std::string encode(std::u16string_view text);
    // A text from code page 932 bytes; each byte of an undefined sequence becomes U+FFFD.
    static std::u16string decode(std::string_view bytes);
};

}  // namespace bw
