#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace bw {

// What the start found of what comes with the program, each empty when there
// is none: the sample scripts' folder, and the interface font in use.
struct ProgramFindings {
    QString samples;
    QString interfaceFont;
};

// Told once, right after the main window is shown and before the event loop
// runs, with the window and what the start found.
using ProgramShown = std::function<void(QWidget& window, const ProgramFindings& found)>;

// The program, as main() runs it: a mode of the command line without a window
// (help, version, the converter) before any application object, so with no
// display; otherwise the main window, until the program ends. Returns the exit
// code.
//
// `shown` is for programs built around this one to watch the start (the
// start-up benchmark, the package test); the shipped program passes none.
int runProgram(int argc, char* argv[], const ProgramShown& shown = {});

}  // namespace bw
