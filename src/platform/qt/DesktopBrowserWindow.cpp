#include "DesktopBrowserWindow.h"

#include <QDesktopServices>

namespace bw {

bool DesktopBrowserWindow::navigate(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative()) {
        return false;
    }
    address_ = url;
    // A window already shown goes to the new address at once.
    return visible_ ? open() : true;
}

bool DesktopBrowserWindow::setVisible(bool visible) {
    if (!visible) {
        // A page handed to the browser cannot be taken back.
        if (handedOver_) {
            return false;
        }
        visible_ = false;
        return true;
    }
    if (visible_) {
        return true;
    }
    visible_ = true;
    // Without an address there is nothing to show yet: the page opens when one comes.
    return address_.isEmpty() ? true : open();
}

bool DesktopBrowserWindow::open() {
    const bool opened = QDesktopServices::openUrl(address_);
    handedOver_ = handedOver_ || opened;
    return opened;
}

}  // namespace bw
