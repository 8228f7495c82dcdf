#include "platform/FontWarmup.h"

#include <fontconfig/fontconfig.h>

#include <system_error>
#include <thread>

namespace bw {

// Fontconfig keeps one configuration for the process, loaded by the first
// FcInit; Qt's font database calls FcInit again and finds it loaded. Without
// a thread to spare, Qt simply loads it itself when the first text needs it.
struct FontWarmup::Worker {
    std::thread thread;
};

FontWarmup::FontWarmup() : worker_(std::make_unique<Worker>()) {
    try {
        worker_->thread = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
    }
}

FontWarmup::~FontWarmup() { wait(); }

void FontWarmup::wait() {
    if (worker_->thread.joinable()) {
        worker_->thread.join();
    }
}

}  // namespace bw
