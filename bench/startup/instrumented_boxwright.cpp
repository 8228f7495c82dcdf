// Boxwright as the start-up benchmark measures it: the program's own start
// (runProgram, the one the shipped program's main() calls), with the
// first-frame probe watching the main window. The shipped program carries no
// probe; this one is built beside it, so it finds the same samples, interface
// font and web-view module.
#include "app/ProgramStart.h"
#include "support/FirstFrameProbe.h"

int main(int argc, char* argv[]) {
    return bw::runProgram(argc, argv,
                          [](QWidget& window, const bw::ProgramFindings&) { bw::exitAfterFirstFrameIfAsked(&window); });
}
