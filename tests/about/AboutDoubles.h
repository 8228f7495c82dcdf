#pragma once

#include "FakeFileCheck.h"
#include "FakeRegistry.h"
#include "RecordingBrowser.h"
#include "RecordingLauncher.h"
#include "about/AboutServices.h"
#include "doubles/RecordingMessageBox.h"

#include <memory>

namespace bw::test {

// The About box's services as doubles, made anew for every test.
class AboutDoubles {
protected:
    std::unique_ptr<RecordingMessageBox> messages;
    std::unique_ptr<RecordingLauncher> launcher;
    std::unique_ptr<RecordingBrowser> browser;
    std::unique_ptr<FakeRegistry> registry;
    std::unique_ptr<FakeFileCheck> files;

    void makeDoubles() {
        messages = std::make_unique<RecordingMessageBox>();
        launcher = std::make_unique<RecordingLauncher>();
        browser = std::make_unique<RecordingBrowser>();
        registry = std::make_unique<FakeRegistry>();
        files = std::make_unique<FakeFileCheck>();
    }
    // The doubles, with another file check when one is given.
    AboutServices services(FileCheck* fileCheck = nullptr) const {
        return {*messages, *launcher, *browser, *registry, fileCheck != nullptr ? *fileCheck : *files};
    }
};

}  // namespace bw::test
