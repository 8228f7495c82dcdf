#include "platform/ProgramText.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace bw {

std::vector<std::u16string> systemArguments(int argc, char* argv[]) {
    std::vector<std::u16string> arguments;
    // The wide command line, when it splits as argv did.
    int count = 0;
    if (LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        if (count == argc) {
            for (int i = 0; i < count; ++i) {
                const std::wstring argument(wide[i]);
                arguments.emplace_back(argument.begin(), argument.end());
            }
        }
        LocalFree(wide);
    }
    if (static_cast<int>(arguments.size()) == argc) {
        return arguments;
    }
    arguments.clear();
    for (int i = 0; i < argc; ++i) {
        const int n = MultiByteToWideChar(CP_ACP, 0, argv[i], -1, nullptr, 0);
        std::wstring argument(static_cast<std::size_t>(n > 0 ? n - 1 : 0), L'\0');
        MultiByteToWideChar(CP_ACP, 0, argv[i], -1, argument.data(), n);
        arguments.emplace_back(argument.begin(), argument.end());
    }
    return arguments;
}

std::string consoleBytes(std::u16string_view text) {
    const std::wstring wide(text.begin(), text.end());
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(GetConsoleOutputCP(), 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    WideCharToMultiByte(GetConsoleOutputCP(), 0, wide.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace bw
