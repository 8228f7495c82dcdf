#pragma once

#include <QString>
#include <QStringList>

namespace bw {

// What the program is asked to do by its command line:
//
//   boxwright [FILE]                            the editor; FILE (.vbs or .ps1) opened at start
//   boxwright --to-ps1 [--force] FILE.vbs...    convert each script, no window
//   boxwright --help | --version                print and end, no window
//
// Parsing needs no application object, so the modes without a window run
// before any QApplication exists, and so with no display at all.
struct CommandLine {
    enum class Mode { Window, Convert, Help, Version };

    Mode mode = Mode::Window;
    QString file;         // Window: the script to open, "" when none is named
    QStringList scripts;  // Convert: the .vbs files
    bool force = false;   // Convert: replace existing .ps1 files
    QString error;        // why the arguments were not understood; "" when they were

    bool ok() const { return error.isEmpty(); }
};

// The arguments as QCoreApplication::arguments() gives them: the program first.
CommandLine parseCommandLine(const QStringList& arguments);

// Whether the raw arguments ask for a mode without a window. The window's own
// arguments are parsed after Qt has taken its options (-platform and such).
bool asksForNoWindow(const QStringList& arguments);

// How the program is started: one line, and the full list of options for --help.
QString commandLineUsage();
QString commandLineHelp();

}  // namespace bw
