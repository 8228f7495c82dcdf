#pragma once

#include <memory>
#include <string>

namespace bw {

// Prepares, on a second thread, what building the main window needs, while
// the main thread starts Qt and builds the window:
//   - at once: the system's font configuration (on Linux, reading fontconfig's
//     files is about a quarter of the start's work), and which font it gives
//     Japanese text;
//   - once told that the application object exists: Qt's list of the system's
//     fonts, then Qt's image-format plugins, which the menu bar's own images
//     and the file dialogs load (QFontDatabase and QImageReader may be used
//     from any thread; Qt locks both, so whichever thread comes first does the
//     work, once, and the other waits for it).
// Nothing is deferred: the main thread would do the same work at the same
// points otherwise.
class StartupWorker {
public:
    StartupWorker();
    ~StartupWorker();
    StartupWorker(const StartupWorker&) = delete;
    StartupWorker& operator=(const StartupWorker&) = delete;

    // From here on the application object exists and outlives the worker.
    void applicationReady();
    // The family the system draws Japanese text with (japaneseFontFamily()),
    // found with the font configuration. Waits until that is read: call it
    // before any text is laid out, or the font database reads it a second time.
    const std::string& japaneseFontFamily() const;
    // Waits for the rest; call it once the window is built.
    void finish();

private:
    struct Thread;
    std::unique_ptr<Thread> thread_;
};

}  // namespace bw
