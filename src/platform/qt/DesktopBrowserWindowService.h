#pragma once

#include "platform/BrowserWindowService.h"

namespace bw {

// Browser windows of the desktop's default web browser.
class DesktopBrowserWindowService : public BrowserWindowService {
public:
    std::unique_ptr<BrowserWindow> createWindow() override;
};

}  // namespace bw
