#include "platform/FontWarmup.h"

#include <QFontDatabase>
#include <QStringList>

#include <fontconfig/fontconfig.h>

#include <future>
#include <system_error>
#include <thread>

namespace bw {

// Fontconfig keeps one configuration for the process, loaded by the first
// FcInit; Qt's font database calls FcInit again and finds it loaded, and
// lists the fonts once. Without a thread to spare, Qt does both itself when
// the first text needs them.
struct FontWarmup::Worker {
    std::promise<bool> applicationReady;
    std::thread thread;
    bool told = false;

    void tell(bool ready) {
        if (!told) {
            told = true;
            applicationReady.set_value(ready);
        }
    }
};

FontWarmup::FontWarmup() : worker_(std::make_unique<Worker>()) {
    try {
        worker_->thread = std::thread([ready = worker_->applicationReady.get_future()]() mutable {
            FcInit();
            if (ready.get()) {
                QFontDatabase::families();
            }
        });
    } catch (const std::system_error&) {
    }
}

FontWarmup::~FontWarmup() { wait(); }

void FontWarmup::applicationReady() { worker_->tell(true); }

void FontWarmup::wait() {
    worker_->tell(false);
    if (worker_->thread.joinable()) {
        worker_->thread.join();
    }
}

}  // namespace bw
