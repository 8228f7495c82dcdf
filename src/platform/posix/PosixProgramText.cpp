#include "platform/ProgramText.h"

#include "codec/Utf8.h"

namespace bw {

std::vector<std::u16string> systemArguments(int argc, char* argv[]) {
    std::vector<std::u16string> arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.push_back(fromUtf8Escaped(argv[i]));
    }
    return arguments;
}

std::string consoleBytes(std::u16string_view text) { return toUtf8Escaped(text); }

}  // namespace bw
