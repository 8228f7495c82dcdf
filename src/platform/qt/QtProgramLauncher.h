#pragma once

#include "platform/ProgramLauncher.h"

#include <QStringList>

namespace bw {

// The program launcher on QProcess::startDetached: no shell, no interpreter.
//
// The command line is cut into words at runs of blanks (space and tab), the
// separators the Windows command line uses, but without its quoting rules:
// quotes, backslashes, `;`, `|`, `$( )` and line breaks (CR and LF) are
// ordinary characters that stay inside their word. The first word names the
// program, found on the search path unless it holds a slash; every further
// word is handed to it as one argument, exactly as written. A message with
// several blanks in a row therefore arrives as several arguments, one per
// word, just as the command's own parser would split it.
//
// The window style is the show state the program's window should take. Linux
// has no such hint for a process, so it is accepted and not acted on there.
class QtProgramLauncher : public ProgramLauncher {
public:
    LaunchResult start(const QString& commandLine, int windowStyle) override;

    // The words of a command line as described above; the first is the program.
    static QStringList splitCommandLine(const QString& commandLine);
};

}  // namespace bw
