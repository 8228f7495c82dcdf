#pragma once

#include <memory>

namespace bw {

// Loads the system's font configuration on a worker thread while the main
// thread connects to the display, so that the window's first text does not
// wait for it; on Linux that reading of the configuration files is a good part
// of the start. wait() joins the worker; call it before any text is laid out,
// or the toolkit would load the same configuration a second time. Where the
// toolkit reads fonts without such a configuration, it does nothing.
class FontWarmup {
public:
    FontWarmup();
    ~FontWarmup();
    FontWarmup(const FontWarmup&) = delete;
    FontWarmup& operator=(const FontWarmup&) = delete;

    void wait();

private:
    struct Worker;
    std::unique_ptr<Worker> worker_;
};

}  // namespace bw
