#include "StartupWorker.h"

#include "platform/FontConfiguration.h"

#include <QFontDatabase>
#include <QImageReader>
#include <QList>
#include <QStringList>

#include <future>
#include <new>
#include <system_error>
#include <thread>

namespace bw {

struct StartupWorker::Thread {
    std::promise<void> fontConfigurationRead;
    std::future<void> fontConfiguration = fontConfigurationRead.get_future();
    std::promise<bool> applicationReady;
    std::thread thread;
    std::string japaneseFontFamily;
    bool told = false;

    void tell(bool ready) {
        if (!told) {
            told = true;
            applicationReady.set_value(ready);
        }
    }
};

StartupWorker::StartupWorker() : thread_(std::make_unique<Thread>()) {
    // Without a thread to spare, Qt does all of this itself where it is needed.
    try {
        thread_->thread = std::thread([t = thread_.get(), ready = thread_->applicationReady.get_future()]() mutable {
            try {
                t->japaneseFontFamily = bw::japaneseFontFamily();
            } catch (const std::bad_alloc&) {
                // Unknown: the windows keep the system's fonts.
            }
            t->fontConfigurationRead.set_value();
            if (ready.get()) {
                QFontDatabase::families();
                // Listing the formats loads the plugins that read them.
                QImageReader::supportedImageFormats();
            }
        });
    } catch (const std::system_error&) {
        thread_->fontConfigurationRead.set_value();
    }
}

StartupWorker::~StartupWorker() { finish(); }

void StartupWorker::applicationReady() { thread_->tell(true); }

const std::string& StartupWorker::japaneseFontFamily() const {
    thread_->fontConfiguration.wait();
    return thread_->japaneseFontFamily;
}

void StartupWorker::finish() {
    thread_->tell(false);
    if (thread_->thread.joinable()) {
        thread_->thread.join();
    }
}

}  // namespace bw
