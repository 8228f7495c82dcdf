// Reading a script back (file, code page 932 decoding, reader) for bodies of
// growing size, and the reader alone on lines already decoded.
#include "doubles/MemoryEditor.h"
#include "doubles/RecordingMessageBox.h"
#include "doubles/ScriptedFileDialog.h"
#include "ports/FileStore.h"
#include "platform/posix/PosixFileStore.h"
#include "codec/VbsReader.h"
#include "codec/ScriptWriter.h"
#include "codec/TextLines.h"
#include "commands/OpenCommand.h"

#include "BenchTexts.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace bw;

using bench::mixedBody;

// The nine lines the writer writes for a definition with this body and follow-ups.
std::vector<std::u16string> scriptLines(std::size_t bodyUnits) {
    test::MemoryEditor editor;
    editor.load();
    editor.texts[0] = mixedBody(bodyUnits);
    editor.texts[1] = u"Title \"quoted\"";
    editor.selectButtonOption(8);
    editor.setCheckValue(CheckBoxId::Check1, 1);
    editor.setCheckValue(CheckBoxId::Check6, 0);
    return vbsLines(readDefinition(editor), editor.windowState);
}

// Bytes already read, handed out without touching a file.
class BytesInMemory : public PosixFileStore {
public:
    std::string bytes;
    ReadFileResult read(const std::u16string&) override { return ReadFileResult{true, {}, bytes}; }
};

void read(benchmark::State& state, FileStore& files, const std::u16string& path, std::size_t bodyUnits,
          bool coldHeap) {
    test::MemoryEditor editor;
    editor.load();
    test::RecordingMessageBox messages;
    for (auto _ : state) {
        if (coldHeap) {
            // Hand the memory of the previous read back to the system, so that
            // each read starts as a user's first read of a file does, whatever
            // the size: otherwise a small file's read reuses the heap left warm
            // by the read before, while a large one is always mapped afresh.
            state.PauseTiming();
            malloc_trim(0);
            state.ResumeTiming();
        }
        test::ScriptedFileDialog dialog;
        dialog.answers.push_back(path);
        const ReadOutcome outcome = readScript(editor, dialog, files, messages);
        benchmark::DoNotOptimize(outcome);
    }
    if (editor.texts[0].size() != bodyUnits) {
        state.SkipWithError("the body did not read back");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bodyUnits * 2));
}

void BM_ReadScriptFile(benchmark::State& state) {
    const auto units = static_cast<std::size_t>(state.range(0));
    PosixFileStore files;
    const auto path = (std::filesystem::temp_directory_path() / "boxwright-reader-bench.vbs").u16string();
    files.write(path, encodeLines(scriptLines(units), TextEncoding::CodePage932));
    read(state, files, path, units, state.range(1) != 0);
    std::filesystem::remove(path);
}

void BM_ReadDecodedLines(benchmark::State& state) {
    const auto units = static_cast<std::size_t>(state.range(0));
    BytesInMemory files;
    files.bytes = encodeLines(scriptLines(units), TextEncoding::CodePage932);
    read(state, files, u"/decoded.vbs", units, false);
}

}  // namespace

// Second argument: 1 when each read starts from a heap handed back to the system.
BENCHMARK(BM_ReadScriptFile)
    ->ArgsProduct({{1 << 20, 16 << 20}, {0, 1}})
    ->ArgNames({"units", "cold"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDecodedLines)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
