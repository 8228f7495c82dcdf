#pragma once

#include "ports/FileDialog.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace bw::test {

// A file dialog that answers from a script: each show takes the next answer,
// a path to confirm or nothing to cancel (FileName then stays as it was set).
class ScriptedFileDialog : public FileDialog {
public:
    struct Call {
        bool save;
        std::u16string fileName;
        std::u16string filter;
    };

    std::deque<std::optional<std::u16string>> answers;
    std::vector<Call> calls;

    void ShowOpen() override { answer(false); }
    void ShowSave() override { answer(true); }

private:
    void answer(bool save) {
        calls.push_back({save, FileName, Filter});
        if (answers.empty()) {
            return;
        }
        const auto next = answers.front();
        answers.pop_front();
        if (next) {
            FileName = *next;
        }
    }
};

}  // namespace bw::test
