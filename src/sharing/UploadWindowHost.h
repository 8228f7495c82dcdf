#pragma once

#include "platform/qt/SingleWindow.h"

#include <QString>

#include <functional>
#include <memory>

namespace bw {

class Form2;
class MessageBoxService;
class WebViewModule;

// What the upload window needs from outside; the defaults are the real ones.
struct UploadServices {
    // The upload page (build setting BOXWRIGHT_UPLOAD_URL).
    QString address;
    // Loads the web-view module on first use; null, with the reason, when there
    // is none. Default: loadWebViewModule.
    std::function<WebViewModule*(QString* why)> loadModule;
    // The fallback without a web view. Default: openInDefaultBrowser.
    std::function<bool(const QString& address)> openInBrowser;
    // Told when even the fallback fails. Default: a message box.
    MessageBoxService* messages = nullptr;

    static UploadServices defaults();
};

// The one upload window of the process, for the main window's Upload command.
class UploadWindowHost {
public:
    UploadWindowHost();
    explicit UploadWindowHost(UploadServices services);
    ~UploadWindowHost();

    UploadWindowHost(const UploadWindowHost&) = delete;
    UploadWindowHost& operator=(const UploadWindowHost&) = delete;

    // The Upload command. Creates and loads the window when it is not open
    // (first use, or after it was closed), shown modeless without an owner;
    // an open window is only brought to the front, not reloaded. Without a
    // web-view module the page opens in the default browser instead.
    void show();

    // The open window, or null.
    Form2* window() const;

private:
    WebViewModule* module();

    UploadServices services_;
    SingleWindow<Form2> window_;
    WebViewModule* module_ = nullptr;
    bool moduleTried_ = false;
    std::unique_ptr<MessageBoxService> ownMessages_;
};

}  // namespace bw
