#pragma once

class QWidget;

namespace bw {

// For the start-up benchmark's programs (bench/startup), never the shipped
// one. When the environment has BOXWRIGHT_EXIT_AFTER_FIRST_FRAME=1, waits for
// the window's first painted frame, prints one line to standard output
//     first-frame-ms <time since the process started> peak-rss-kb <VmHWM>
// and leaves the event loop with exit code 0. Otherwise does nothing.
//
// With BOXWRIGHT_CLICK_AFTER_FIRST_FRAME=<object name of a button> as well, it
// clicks that button after the first frame and, once the window the click
// opens has painted its first frame, prints
//     after-click-ms <time since the click> shown-ms <time since the process started> peak-rss-kb <VmHWM>
// before leaving (for the first preview or file dialog of a fresh start).
//
// The start is taken from BOXWRIGHT_LAUNCH_EPOCH_NS (the launcher's wall clock
// in nanoseconds just before it started the process) when that is set, else
// from the process start time the kernel keeps (10 ms steps).
// Call it once, right after showing the window.
void exitAfterFirstFrameIfAsked(QWidget* window);

}  // namespace bw
