#include "DesktopBrowserWindowService.h"

#include "DesktopBrowserWindow.h"

namespace bw {

std::unique_ptr<BrowserWindow> DesktopBrowserWindowService::createWindow() {
    return std::make_unique<DesktopBrowserWindow>();
}

}  // namespace bw
