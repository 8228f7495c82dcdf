#pragma once

// For tests that hand the scripts they write to the engine checks registered
// by cmake/ScriptChecks.cmake: the folder to write into, and the report that
// tools/vbs-engine must give for a .vbs file, written beside it as
// NAME.vbs.expected.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace bw::test {

// The folder named by BOXWRIGHT_PS1_OUT or BOXWRIGHT_VBS_OUT; empty when the
// test runs without the checks (then it writes no copies).
inline std::filesystem::path scriptCheckFolder(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr ? std::filesystem::path(value) : std::filesystem::path();
}

// One message box as the engine received it: buttons + icon (+ 524288 when
// right-aligned), prompt and title.
struct EngineBox {
    int style = 0;
    std::u16string prompt;
    std::u16string title;
    int seconds = 0;  // a Popup's time; 0 for MsgBox
};

// One run of a script: the answer to its first box, the boxes shown, and the
// error number the run ended with.
struct EngineRun {
    int answer = 1;
    std::vector<EngineBox> boxes;
    int error = 0;
};

// Four upper-case hex digits per UTF-16 code unit.
inline std::string engineHex(std::u16string_view text) {
    std::string out;
    char unit[5];
    for (const char16_t c : text) {
        std::snprintf(unit, sizeof unit, "%04X", static_cast<unsigned>(c));
        out += unit;
    }
    return out;
}

inline std::string engineReport(const std::vector<EngineRun>& runs) {
    std::string out;
    for (const EngineRun& run : runs) {
        out += "answer " + std::to_string(run.answer) + "\n";
        for (const EngineBox& box : run.boxes) {
            out += (box.seconds > 0 ? "popup " + std::to_string(box.seconds) + " " : std::string("box ")) +
                   std::to_string(box.style) + " prompt=" + engineHex(box.prompt) + " title=" + engineHex(box.title) +
                   "\n";
        }
        out += "end " + std::to_string(run.error) + "\n";
    }
    return out;
}

// The report of a script the engine refuses to parse.
inline constexpr char kEngineSyntaxError[] = "syntax-error\n";

}  // namespace bw::test
