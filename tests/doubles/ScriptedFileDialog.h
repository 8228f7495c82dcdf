#pragma once

#include "ports/FileDialog.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace bw::test {

// A file dialog that answers from a script: each show takes the next answer,
// a path to confirm or nothing to cancel (also when no answer is left).
class ScriptedFileDialog : public FileDialog {
public:
    struct Call {
        bool save;
        std::u16string fileName;
        std::u16string filter;
        std::optional<std::u16string> initDir;
    };

    std::deque<std::optional<std::u16string>> answers;
    std::vector<Call> calls;

    std::optional<std::u16string> showOpen(const FileDialogRequest& request) override { return answer(false, request); }
    std::optional<std::u16string> showSave(const FileDialogRequest& request) override { return answer(true, request); }

private:
    std::optional<std::u16string> answer(bool save, const FileDialogRequest& request) {
        calls.push_back({save, request.fileName, request.filter, request.initDir});
        if (answers.empty()) {
            return std::nullopt;
        }
        auto next = answers.front();
        answers.pop_front();
        return next;
    }
};

}  // namespace bw::test
