// libFuzzer target: arbitrary bytes as the file the reader opens. The bytes are
// split into lines at CR LF pairs and decoded from code page 932 as the system
// store does, then read into in-memory editors.
//
// Besides running clean under the sanitizers, every input must satisfy:
//  - the read succeeds without a message and check boxes hold 0 or 1;
//  - reading the same file again changes nothing more;
//  - the definition read, written again by the writer and read back, comes back
//    exactly (unless its title holds a CR LF pair, which no one-line title can).

#include "platform/posix/IconvTextFileStore.h"
#include "reader/ByteFileStore.h"
#include "reader/ReaderHarness.h"
#include "reader/RoundTripCheck.h"
#include "writers/ScriptWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace bw;
using namespace bw::test;

// A store that hands out lines decoded once, so each run decodes its input once.
class DecodedStore : public ByteFileStore {
public:
    std::vector<std::u16string> lines;

    ReadLinesResult readText(const std::u16string&, std::size_t maxLines, TextEncoding) override {
        ReadLinesResult result;
        result.lines.assign(lines.begin(),
                            lines.begin() + static_cast<std::ptrdiff_t>(std::min(maxLines, lines.size())));
        return result;
    }
};

[[noreturn]] void fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "reader invariant broken: %s\n%s\n", what, detail.c_str());
    std::abort();
}

bool sameEditor(const MemoryEditor& a, const MemoryEditor& b) {
    const WindowState& s = a.windowState;
    const WindowState& t = b.windowState;
    return a.texts == b.texts && a.checks == b.checks && a.iconOption == b.iconOption &&
           a.buttonOption == b.buttonOption && a.slotControlsEnabled == b.slotControlsEnabled &&
           a.slotTextEnabled == b.slotTextEnabled && a.frameVisible == b.frameVisible && a.captions == b.captions &&
           a.wide == b.wide && s.iconValue == t.iconValue && s.buttonValue == t.buttonValue &&
           s.returnCode == t.returnCode && s.rightSuffix == t.rightSuffix && s.savedSnapshot == t.savedSnapshot;
}

ReadOutcome read(ReaderHarness& h, DecodedStore& store) {
    h.dialog.answers.push_back(std::u16string(ReaderHarness::kPath));
    return readScript(h.editor, h.dialog, store, h.messages);
}

void checkRead(ReaderHarness& h, DecodedStore& store) {
    if (read(h, store) != ReadOutcome::Read || !h.messages.calls.empty()) {
        fail("read did not succeed quietly", dump(h.editor));
    }
    for (const int value : h.editor.checks) {
        if (value != 0 && value != 1) {
            fail("check box value", dump(h.editor));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DecodedStore store;
    store.lines = ByteFileStore::splitLines(std::string_view(reinterpret_cast<const char*>(data), size), 8);

    // From the window's start state: read, read again, write and read back.
    ReaderHarness fresh;
    checkRead(fresh, store);
    ReaderHarness twice;
    read(twice, store);
    read(twice, store);
    if (!sameEditor(fresh.editor, twice.editor)) {
        fail("second read changed the editor", dump(fresh.editor) + "---\n" + dump(twice.editor));
    }
    const DialogDefinition def = readDefinition(fresh.editor);
    if (def.title.find(u"\r\n") == std::u16string::npos) {
        DecodedStore written;
        written.lines = vbsLines(def, stateFor(def), store);
        ReaderHarness again;
        again.editSomethingElse();
        read(again, written);
        const std::string failures = readBackFailures(again, def, written.lines);
        if (!failures.empty()) {
            fail("written definition did not read back", failures + "\n" + describe(def));
        }
    }

    // From an editor that shows another definition.
    ReaderHarness busy;
    busy.editSomethingElse();
    checkRead(busy, store);
    return 0;
}
