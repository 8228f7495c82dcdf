#pragma once

namespace bw {

struct CommandLine;

// Runs what the command line asks for without a window (help, version, the
// converter), or says why the arguments were not understood, writing to
// standard output and error. Returns the exit code: 2 for arguments not
// understood (with the usage line); otherwise 0 when every file was converted
// and every line was written out, 1 when not.
int runConsoleCommand(const CommandLine& commandLine);

}  // namespace bw
