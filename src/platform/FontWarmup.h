#pragma once

#include <memory>

namespace bw {

// Prepares the fonts on a worker thread while the main thread starts up, so
// that the window's first text does not wait for them: on Linux, reading
// fontconfig's configuration and building Qt's list of the system's fonts are
// about a third of the start's work. The worker reads the configuration at
// once and lists the fonts when told that the application object exists (the
// font database may be used from any thread, but only once that exists).
// wait() joins the worker: call it before any text is laid out, so that
// nothing is read twice. Where Qt takes its fonts from elsewhere, it does
// nothing.
class FontWarmup {
public:
    FontWarmup();
    ~FontWarmup();
    FontWarmup(const FontWarmup&) = delete;
    FontWarmup& operator=(const FontWarmup&) = delete;

    void applicationReady();
    void wait();

private:
    struct Worker;
    std::unique_ptr<Worker> worker_;
};

}  // namespace bw
