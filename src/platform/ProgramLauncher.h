#pragma once

#include <QString>

namespace bw {

struct LaunchResult {
    bool started = false;
    QString error;  // why the program could not be started
};

// Starts a command line without waiting. The program named by the first word is
// started with the rest as its arguments, never through a shell. The window style
// is the show state the program's window should take (1 normal, 2 minimized).
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;

    virtual LaunchResult start(const QString& commandLine, int windowStyle) = 0;
};

}  // namespace bw
