#pragma once

#include "platform/BrowserWindowService.h"

#include <QList>
#include <QString>

#include <memory>
#include <stdexcept>

namespace bw::test {

// Browser windows that only record what is done to them. Each step can be
// made to fail; the log keeps what was asked either way.
class RecordingBrowser : public BrowserWindowService {
public:
    struct WindowLog {
        QStringList addresses;
        QList<bool> visibility;
    };

    bool createFails = false;
    bool navigateFails = false;
    bool showFails = false;
    bool navigateThrows = false;
    int createCalls = 0;
    QList<std::shared_ptr<WindowLog>> windows;  // one per window created

    std::unique_ptr<BrowserWindow> createWindow() override {
        ++createCalls;
        if (createFails) {
            return nullptr;
        }
        auto log = std::make_shared<WindowLog>();
        windows.append(log);
        return std::make_unique<Window>(log, *this);
    }

private:
    class Window : public BrowserWindow {
    public:
        Window(std::shared_ptr<WindowLog> log, const RecordingBrowser& owner) : log_(std::move(log)), owner_(owner) {}
        bool navigate(const QString& address) override {
            log_->addresses.append(address);
            if (owner_.navigateThrows) {
                throw std::runtime_error("no network");
            }
            return !owner_.navigateFails;
        }
        bool setVisible(bool visible) override {
            log_->visibility.append(visible);
            return !owner_.showFails;
        }

    private:
        std::shared_ptr<WindowLog> log_;
        const RecordingBrowser& owner_;
    };
};

}  // namespace bw::test
