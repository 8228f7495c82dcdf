// libFuzzer target: arbitrary bytes as the file the reader opens, read into
// in-memory editors.
//
// Besides running clean under the sanitizers, every input must satisfy:
//  - the read succeeds without a message and check boxes hold 0 or 1;
//  - reading the same file again changes nothing more;
//  - the definition read, written again by the writer and read back, comes back
//    exactly, as a .vbs and as a PowerShell script;
//  - the same bytes read as a PowerShell script (UTF-8) either are outside the
//    format or give a definition that survives a write and a second read.

#include "codec/Ps1Reader.h"
#include "codec/Ps1Writer.h"
#include "codec/ScriptWriter.h"
#include "codec/TextLines.h"
#include "reader/ByteFileStore.h"
#include "reader/ReaderHarness.h"
#include "reader/RoundTripCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace bw;
using namespace bw::test;

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

ReadOutcome read(ReaderHarness& h, ByteFileStore& store) {
    h.dialog.answers.push_back(std::u16string(ReaderHarness::kPath));
    return readScript(h.editor, h.dialog, store, h.messages);
}

// A read succeeds quietly, or refuses a file that is no dialog script with
// one message and changes nothing.
void checkRead(ReaderHarness& h, ByteFileStore& store) {
    const MemoryEditor before = h.editor;
    const ReadOutcome outcome = read(h, store);
    const bool refused = outcome == ReadOutcome::Failed && h.messages.calls.size() == 1;
    if (refused && !sameEditor(h.editor, before)) {
        fail("a refused file changed the editor", dump(h.editor));
    }
    if (!refused && (outcome != ReadOutcome::Read || !h.messages.calls.empty())) {
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
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ByteFileStore store;
    store.files[ReaderHarness::kPath] = bytes;

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
    {
        const std::vector<std::u16string> lines = vbsLines(def, stateFor(def));
        ByteFileStore written;
        written.files[ReaderHarness::kPath] = encodeLines(lines, TextEncoding::CodePage932);
        ReaderHarness again;
        again.editSomethingElse();
        read(again, written);
        const std::string failures = readBackFailures(again, def, lines);
        if (!failures.empty()) {
            fail("written definition did not read back", failures + "\n" + describe(def));
        }
    }
    // The same definition as a PowerShell script reads back whole.
    const Ps1Parse written = parsePs1Script(ps1Lines(def));
    if (!written.ok) {
        fail("written PowerShell script did not parse", describe(def));
    }
    MemoryEditor fromPs1;
    fromPs1.load();
    applyScriptContents(fromPs1, written.contents);
    DialogDefinition back = readDefinition(fromPs1);
    if (!def.continuation) {
        back.followUps = def.followUps;
    }
    if (back != def) {
        fail("PowerShell script did not read back", describe(def) + "\n" + describe(back));
    }

    // The bytes as a PowerShell script: whatever parses, applies and survives a
    // write and a second parse unchanged.
    const Ps1Parse parsed = decodePs1Script(bytes);
    if (parsed.ok) {
        MemoryEditor first;
        first.load();
        applyScriptContents(first, parsed.contents);
        const DialogDefinition read1 = readDefinition(first);
        const Ps1Parse again = parsePs1Script(ps1Lines(read1));
        MemoryEditor second;
        second.load();
        applyScriptContents(second, again.contents);
        if (!again.ok || readDefinition(second) != read1) {
            fail("a parsed PowerShell script did not survive a write", describe(read1));
        }
    }

    // From an editor that shows another definition.
    ReaderHarness busy;
    busy.editSomethingElse();
    checkRead(busy, store);
    return 0;
}
