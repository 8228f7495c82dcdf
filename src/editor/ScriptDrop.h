#pragma once

#include <QString>

#include <functional>

class QEvent;

namespace bw {

// The drag-and-drop events of the main window and its text boxes. A drag that
// carries a script file is accepted, and its drop calls open with the file's
// path. A drag of other files is refused, so that no text box takes their
// names as text. Returns whether it took the event; other drags, such as text
// into a text box, are left to the widget.
bool handleFileDrag(QEvent* event, const std::function<void(const QString&)>& open);

}  // namespace bw
