#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bw {

// The program's arguments and its console output as the system keeps them.

// The arguments, the program first. Where names are bytes (POSIX), a byte
// that is not UTF-8 stands for itself (fromUtf8Escaped), so that a file name
// reaches the same file again; Windows' own wide command line elsewhere.
std::vector<std::u16string> systemArguments(int argc, char* argv[]);

// A text's bytes for the console: a file name's bytes as they came in and
// the rest UTF-8 on POSIX; the console's code page on Windows.
std::string consoleBytes(std::u16string_view text);

}  // namespace bw
