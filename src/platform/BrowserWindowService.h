#pragma once

#include "BrowserWindow.h"

#include <memory>

namespace bw {

// Makes new windows of the user's web browser. The window outlives the object
// that steered it: dropping the object leaves an opened page open.
class BrowserWindowService {
public:
    virtual ~BrowserWindowService() = default;

    // A new, not yet visible window; nullptr when there is no browser to ask.
    virtual std::unique_ptr<BrowserWindow> createWindow() = 0;
};

}  // namespace bw
