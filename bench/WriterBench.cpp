// The whole save (escape, encode, write to disk) for bodies of growing size.
#include "commands/SaveCommand.h"
#include "doubles/MemoryEditor.h"
#include "doubles/RecordingMessageBox.h"
#include "doubles/ScriptedFileDialog.h"
#include "codec/CodePage932.h"
#include "platform/posix/PosixFileStore.h"

#include "BenchTexts.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

using namespace bw;

using bench::mixedBody;

// A body of characters that code page 932 cannot hold.
std::u16string foreignBody(std::size_t units) { return std::u16string(units, u'é'); }

void save(benchmark::State& state, std::u16string body) {
    test::MemoryEditor editor;
    editor.load();
    editor.texts[0] = std::move(body);
    test::RecordingMessageBox messages;
    PosixFileStore files;
    CodePage932::get();  // builds the code page table outside the timing
    const auto path = (std::filesystem::temp_directory_path() / "boxwright-bench.vbs").u16string();
    for (auto _ : state) {
        test::ScriptedFileDialog dialog;
        dialog.answers.push_back(path);
        const SaveOutcome outcome = saveScript(editor, ScriptFormat::Vbs, SaveServices{dialog, files, messages});
        benchmark::DoNotOptimize(outcome);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(editor.texts[0].size() * 2));
    std::filesystem::remove(path);
}

void BM_SaveMixed(benchmark::State& state) { save(state, mixedBody(static_cast<std::size_t>(state.range(0)))); }
void BM_SaveOutsideCodePage(benchmark::State& state) {
    save(state, foreignBody(static_cast<std::size_t>(state.range(0))));
}

}  // namespace

BENCHMARK(BM_SaveMixed)->Arg(1 << 10)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveOutsideCodePage)->Arg(1 << 20)->Arg(16 << 20)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
