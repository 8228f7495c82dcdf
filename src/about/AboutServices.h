#pragma once

namespace bw {

class BrowserWindowService;
class FileCheck;
class MessageBoxService;
class ProgramLauncher;
class Registry;

// What the About box calls outside itself. Every service must outlive the
// boxes that use it.
struct AboutServices {
    MessageBoxService& messageBox;  // "system information is not available"
    ProgramLauncher& launcher;      // starts the system-information tool
    BrowserWindowService& browser;  // opens the home page
    Registry& registry;             // where the system-information tool is registered
    FileCheck& files;               // whether MSINFO32.EXE is in the registered folder
};

}  // namespace bw
