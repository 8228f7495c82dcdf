#pragma once

#include "platform/qt/SingleWindow.h"

#include <memory>
#include <string_view>

namespace bw {

class Form3;
class MessageBoxService;
class ProgramLauncher;

// The one network message window of the process, for the main window's Command5.
class SendWindowHost {
public:
    // The system's program launcher; failures in a message box over the window.
    SendWindowHost();
    // Given services (tests); messages may be null for a message box.
    SendWindowHost(ProgramLauncher& launcher, MessageBoxService* messages);
    ~SendWindowHost();

    SendWindowHost(const SendWindowHost&) = delete;
    SendWindowHost& operator=(const SendWindowHost&) = delete;

    // Command5_Click: creates the window when it is not open (it starts at
    // "127.0.0.1"), shows it modeless without an owner or brings it to the
    // front, then replaces its message with body (line breaks as CR LF pairs).
    // The typed address is kept.
    void show(std::u16string_view body);

    // The open window, or null.
    Form3* window() const;

private:
    std::unique_ptr<ProgramLauncher> ownLauncher_;
    ProgramLauncher& launcher_;
    MessageBoxService* messages_;
    SingleWindow<Form3> window_;
};

}  // namespace bw
