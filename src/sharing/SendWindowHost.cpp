#include "SendWindowHost.h"

#include "Form3.h"
#include "platform/qt/BringToFront.h"
#include "platform/qt/QtProgramLauncher.h"

namespace bw {

SendWindowHost::SendWindowHost()
    : ownLauncher_(std::make_unique<QtProgramLauncher>()), launcher_(*ownLauncher_), messages_(nullptr) {}

SendWindowHost::SendWindowHost(ProgramLauncher& launcher, MessageBoxService* messages)
    : launcher_(launcher), messages_(messages) {}

SendWindowHost::~SendWindowHost() { delete window_.data(); }

Form3* SendWindowHost::window() const { return window_.data(); }

void SendWindowHost::show(std::u16string_view body) {
    if (window_ == nullptr) {
        window_ = new Form3(launcher_, messages_);
    }
    bringToFront(window_);
    window_->setMessage(body);
}

}  // namespace bw
