#pragma once

#include "BringToFront.h"

#include <QPointer>

namespace bw {

// The one window of a kind that the program keeps: made on first use, shown
// modeless and without an owner, only brought to the front while it is open,
// and made anew once it has been closed. The window deletes itself when closed
// (Qt::WA_DeleteOnClose); a closed window is hidden until that deferred delete
// runs, and counts as closed already. Destroying the holder closes an open
// window.
template <class Window>
class SingleWindow {
public:
    SingleWindow() = default;
    ~SingleWindow() { delete window_.data(); }

    SingleWindow(const SingleWindow&) = delete;
    SingleWindow& operator=(const SingleWindow&) = delete;

    // Brings the open window to the front, or, when none is open, makes one
    // with make() (a new Window without a parent) and shows it. The window shown.
    template <class Make>
    Window* show(Make&& make) {
        if (window() == nullptr) {
            window_ = make();
        }
        bringToFront(window_);
        return window_;
    }

    // The open window, or nullptr once it has been closed.
    Window* window() const { return window_.isNull() || window_->isHidden() ? nullptr : window_.data(); }

private:
    QPointer<Window> window_;
};

}  // namespace bw
