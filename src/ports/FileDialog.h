#pragma once

#include <optional>
#include <string>

namespace bw {

// What an open or save dialog is asked to show.
struct FileDialogRequest {
    std::u16string fileName;  // the bare name it proposes
    std::u16string filter;    // "description|pattern" pairs
    // The folder it starts in from now on, also for later requests without one;
    // empty: where the user last chose a file. Nothing: as the last request said.
    std::optional<std::u16string> initDir;
};

// The shared open/save dialog: the chosen full path, or nothing when the user cancelled.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    virtual std::optional<std::u16string> showOpen(const FileDialogRequest& request) = 0;
    virtual std::optional<std::u16string> showSave(const FileDialogRequest& request) = 0;
};

}  // namespace bw
