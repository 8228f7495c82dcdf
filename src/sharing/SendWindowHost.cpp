#include "SendWindowHost.h"

#include "Form3.h"
#include "platform/qt/QtProgramLauncher.h"

namespace bw {

SendWindowHost::SendWindowHost()
    : ownLauncher_(std::make_unique<QtProgramLauncher>()), launcher_(*ownLauncher_), messages_(nullptr) {}

SendWindowHost::SendWindowHost(ProgramLauncher& launcher, MessageBoxService* messages)
    : launcher_(launcher), messages_(messages) {}

SendWindowHost::~SendWindowHost() = default;

Form3* SendWindowHost::window() const { return window_.window(); }

void SendWindowHost::show(std::u16string_view body) {
    window_.show([this] { return new Form3(launcher_, messages_); })->setMessage(body);
}

}  // namespace bw
