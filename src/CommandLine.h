#pragma once

#include <QString>
#include <QStringList>

namespace bw {

// What the program is asked to do by its command line:
//
//   boxwright [FILE]
//
// FILE is opened at start as the open command opens a chosen file.
//
// Parsing needs no application object, so a mode without windows can look at
// the arguments before any QApplication exists.
struct CommandLine {
    QString file;   // "" when none is named
    QString error;  // why the arguments were not understood; "" when they were

    bool ok() const { return error.isEmpty(); }
};

// The arguments as QCoreApplication::arguments() gives them: the program first.
CommandLine parseCommandLine(const QStringList& arguments);

// A line that shows how the program is started, for an error message.
QString commandLineUsage();

}  // namespace bw
