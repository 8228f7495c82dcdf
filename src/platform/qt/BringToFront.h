#pragma once

class QWidget;

namespace bw {

// Shows a top-level window and brings it to the front with the keyboard:
// restored first if it was minimized, raised above the program's other
// windows, and made the active one. For the windows the program keeps one of
// and, when asked again, only brings back.
void bringToFront(QWidget* window);

}  // namespace bw
