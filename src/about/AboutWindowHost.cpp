#include "AboutWindowHost.h"

#include "frmAbout.h"
#include "platform/SystemRegistry.h"
#include "platform/qt/BringToFront.h"
#include "platform/qt/DesktopBrowserWindowService.h"
#include "platform/qt/QtFileCheck.h"

namespace bw {

AboutWindowHost::AboutWindowHost(MessageBoxService& messageBox, ProgramLauncher& launcher)
    : ownRegistry_(makeSystemRegistry()),
      ownFiles_(std::make_unique<QtFileCheck>()),
      ownBrowser_(std::make_unique<DesktopBrowserWindowService>()),
      services_{messageBox, launcher, *ownBrowser_, *ownRegistry_, *ownFiles_} {}

AboutWindowHost::AboutWindowHost(const AboutServices& services) : services_(services) {}

AboutWindowHost::~AboutWindowHost() { delete box_.data(); }

void AboutWindowHost::show() {
    // A closed box is hidden until its deferred delete runs: it is unloaded
    // already, so it is left to that and a new one is built.
    if (!box_.isNull() && box_->isHidden()) {
        box_.clear();
    }
    if (box_.isNull()) {
        box_ = new frmAbout(services_);
    }
    bringToFront(box_);
}

frmAbout* AboutWindowHost::window() const { return box_.isNull() || box_->isHidden() ? nullptr : box_.data(); }

}  // namespace bw
