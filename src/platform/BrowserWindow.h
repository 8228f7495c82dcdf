#pragma once

class QString;

namespace bw {

// One window of the user's web browser, made by BrowserWindowService. Each
// step answers whether it worked; a window shows its page once it has been
// given an address and made visible, in either order.
class BrowserWindow {
public:
    virtual ~BrowserWindow() = default;

    virtual bool navigate(const QString& address) = 0;
    virtual bool setVisible(bool visible) = 0;
};

}  // namespace bw
