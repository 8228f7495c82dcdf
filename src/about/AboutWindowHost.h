#pragma once

#include "AboutServices.h"
#include "platform/qt/SingleWindow.h"

#include <memory>

namespace bw {

class frmAbout;

// Keeps the one About box of the program: shown modeless and without an owner
// window, built on first use, only brought to the front while it is open, and
// built anew (caption and title included) after it has been closed.
//
// The host must outlive nothing but its own box; destroying it closes an open
// box. Destroy it before the QApplication.
class AboutWindowHost {
public:
    // The system's registry, file check and default web browser, owned by the
    // host; the message box and the launcher are the caller's and must outlive it.
    AboutWindowHost(MessageBoxService& messageBox, ProgramLauncher& launcher);
    // Every service the caller's; all must outlive the host.
    explicit AboutWindowHost(const AboutServices& services);
    ~AboutWindowHost();

    AboutWindowHost(const AboutWindowHost&) = delete;
    AboutWindowHost& operator=(const AboutWindowHost&) = delete;

    // The About command: build the box if it is not open, show it, bring it to the front.
    void show();

    // The open box, or nullptr once it has been closed.
    frmAbout* window() const;

private:
    std::unique_ptr<Registry> ownRegistry_;
    std::unique_ptr<FileCheck> ownFiles_;
    std::unique_ptr<BrowserWindowService> ownBrowser_;
    AboutServices services_;
    SingleWindow<frmAbout> box_;
};

}  // namespace bw
