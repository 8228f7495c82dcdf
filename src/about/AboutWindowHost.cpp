#include "AboutWindowHost.h"

#include "frmAbout.h"
#include "platform/SystemRegistry.h"
#include "platform/qt/DesktopBrowserWindowService.h"
#include "platform/qt/QtFileCheck.h"

namespace bw {

AboutWindowHost::AboutWindowHost(MessageBoxService& messageBox, ProgramLauncher& launcher)
    : ownRegistry_(makeSystemRegistry()),
      ownFiles_(std::make_unique<QtFileCheck>()),
      ownBrowser_(std::make_unique<DesktopBrowserWindowService>()),
      services_{messageBox, launcher, *ownBrowser_, *ownRegistry_, *ownFiles_} {}

AboutWindowHost::AboutWindowHost(const AboutServices& services) : services_(services) {}

AboutWindowHost::~AboutWindowHost() = default;

void AboutWindowHost::show() {
    box_.show([this] { return new frmAbout(services_); });
}

frmAbout* AboutWindowHost::window() const { return box_.window(); }

}  // namespace bw
