#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace bw {

// What the program is asked to do by its command line:
//
//   boxwright [FILE]                            the editor; FILE (.vbs or .ps1) opened at start
//   boxwright --to-ps1 [--force] FILE.vbs...    convert each script, no window
//   boxwright --help | --version                print and end, no window
//
// Qt's own options (-platform, -style and the others QApplication takes) may
// come before a "--"; they are set apart for the window's QApplication.
// Parsing needs no application object, so the command line is read whole
// before any QApplication exists: the modes without a window, and every
// mistake in the arguments, need no display.
struct CommandLine {
    enum class Mode { Window, Convert, Help, Version };

    Mode mode = Mode::Window;
    QString file;                  // Window: the script to open, "" when none is named
    QStringList scripts;           // Convert: the .vbs files
    bool force = false;            // Convert: replace existing .ps1 files
    std::vector<int> qtArguments;  // where Qt's options and their values are in the arguments, in order
    QString error;                 // why the arguments were not understood; "" when they were

    bool ok() const { return error.isEmpty(); }
};

// The program's arguments as texts. File names are names as the system holds
// them: on POSIX systems each argument's bytes, a byte that is not part of
// UTF-8 kept as U+DC80..U+DCFF (fromUtf8Escaped), so that a name reaches
// exactly the file the user named; on Windows the command line as typed.
QStringList programArguments(int argc, char* argv[]);

// The arguments as programArguments gives them: the program first.
CommandLine parseCommandLine(const QStringList& arguments);

// Whether the arguments ask for a mode without a window.
bool asksForNoWindow(const QStringList& arguments);

// How the program is started: one line, and the full list of options for --help.
QString commandLineUsage();
QString commandLineHelp();

}  // namespace bw
