#pragma once

#include <functional>
#include <string>
#include <vector>

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
// first line) is not converted, and the line names the reason when there is a
// plain one (an empty file, a UTF-16 file, a .ps1). An existing .ps1 is
// replaced only with `force`.
Conversion convertToPs1(const std::u16string& vbsPath, bool force, FileStore& files);

// Converts each named .vbs in turn, as convertToPs1 does, one conversion for
// each name. The names are checked together first, before anything is
// written, so that no conversion overwrites the work of another or a file
// being converted:
//   - a file named again (the same file, to the same .ps1) is converted once;
//     the later name gets a line saying so, and shares the first one's outcome;
//   - a .ps1 that is one of the files named (the same name, or the same file
//     through a link) is not written, and its .vbs is refused;
//   - a different file that leads to a .ps1 an earlier one is written to
//     ("x.vbs", "x.VBS" and "x" all lead to "x.ps1") is refused.
// Two names are the same file when the store says so (the same identity), or
// when they are the same name in the same folder. `told`, when given, hears
// each conversion as soon as it is done, for a report that keeps pace.
std::vector<Conversion> convertAllToPs1(const std::vector<std::u16string>& vbsPaths, bool force, FileStore& files,
                                        const std::function<void(const Conversion&)>& told = {});

}  // namespace bw
