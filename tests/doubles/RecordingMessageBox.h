#pragma once

#include "ports/MessageBoxService.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace bw::test {

// A message box that records every call and answers with the next scripted
// button code (OK, 1, when the script has run out).
class RecordingMessageBox : public MessageBoxService {
public:
    struct Call {
        std::u16string prompt;
        int style;
        std::optional<std::u16string> title;
        int seconds = 0;  // showFor's time; 0 for show
    };

    std::deque<int> answers;
    std::vector<Call> calls;

    int showFor(std::u16string_view prompt, int style, std::optional<std::u16string_view> title, int seconds) override {
        const int code = show(prompt, style, title);
        calls.back().seconds = seconds;
        return code;
    }

    int show(std::u16string_view prompt, int style, std::optional<std::u16string_view> title) override {
        calls.push_back({std::u16string(prompt), style,
                         title ? std::optional<std::u16string>(std::u16string(*title)) : std::nullopt});
        if (answers.empty()) {
            return 1;
        }
        const int code = answers.front();
        answers.pop_front();
        return code;
    }
};

}  // namespace bw::test
