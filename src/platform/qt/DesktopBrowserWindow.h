#pragma once

#include "platform/BrowserWindow.h"

#include <QUrl>

namespace bw {

// A page handed to the desktop's default web browser (QDesktopServices, which
// is xdg-open on Linux). The browser decides whether the page gets a window or
// a tab of its own; every page this object opens is a separate request to it.
class DesktopBrowserWindow : public BrowserWindow {
public:
    // Fails for an address that is not a valid absolute URL.
    bool navigate(const QString& address) override;
    // Fails when the browser cannot be started, and for hiding a page already handed over.
    bool setVisible(bool visible) override;

private:
    bool open();

    QUrl address_;
    bool visible_ = false;
    bool handedOver_ = false;  // a page went to the browser
};

}  // namespace bw
