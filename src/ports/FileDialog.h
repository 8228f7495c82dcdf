#pragma once

#include <string>

namespace bw {

// The shared open/save dialog. Callers set FileName to a bare default name and
// Filter to "description|pattern" pairs, show the dialog, then read FileName:
// still the bare default means cancelled, anything else is the chosen full path.
class FileDialog {
public:
    virtual ~FileDialog() = default;

    std::u16string FileName;
    std::u16string Filter;
    // The folder the dialog starts in; empty means the folder the user last chose a file in.
    std::u16string InitDir;

    virtual void ShowOpen() = 0;
    virtual void ShowSave() = 0;
};

}  // namespace bw
