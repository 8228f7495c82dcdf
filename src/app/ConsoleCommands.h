#pragma once

namespace bw {

struct CommandLine;

// Runs a mode of the command line that opens no window (help, version, the
// converter), writing to standard output and error, and returns the exit
// code: 0 when every file was converted, 1 otherwise.
int runConsoleCommand(const CommandLine& commandLine);

}  // namespace bw
