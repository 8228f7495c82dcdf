#pragma once

#include <string>

namespace bw {

class FileStore;

struct Conversion {
    bool converted = false;
    std::u16string report;  // one line for the user: what was written, or why not
};

// Where the PowerShell script of a .vbs goes: beside it, its ".vbs" (in any
// case) replaced by ".ps1", or ".ps1" added to any other name.
std::u16string ps1PathFor(const std::u16string& vbsPath);

// Converts the .vbs at `vbsPath` into a .ps1 beside it: the definition the
// script describes on its own (as a freshly started editor would hold it after
// reading it) is written as the PowerShell save writes it. A
// file the reader finds no dialog in (no body, title, buttons or icon on its
// first line) is not converted, and an existing .ps1 is replaced only with
// `force`.
Conversion convertToPs1(const std::u16string& vbsPath, bool force, FileStore& files);

}  // namespace bw
