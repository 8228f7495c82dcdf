// The PowerShell script for bodies of 1, 4 and 16 Mi characters: the whole
// save (escape, UTF-8, atomic write with fsync) and the whole open (file read,
// UTF-8 decoding, parse, apply into the editor). After the runs it prints each
// 16 Mi case against its 1 Mi case: linear is about 16, the budget 20, and the
// 16 Mi case must take less than a second.
//
// Each case runs twice: with the heap left warm by the iteration before, and
// (cold:1) with the heap handed back to the system before each iteration. Only
// the cold runs compare fairly: the allocator keeps a small case's memory for
// the next iteration, while it maps a block of 32 MB or more afresh each time,
// so the large case pays for every page it touches and the small one does not.
// The summary holds the cold runs against the budget.
//
// Two more modes serve bench/ps1_first_open.sh, which measures the save and the
// read each in a fresh process (time, and peak memory from outside):
//   ps1_bench --save-once FILE UNITS  saves the script of a body of UNITS characters
//   ps1_bench --read-once FILE UNITS  opens it
// each printing the milliseconds the command took, wall-clock then processor
// time, the set-up left out.
#include "doubles/RecordingMessageBox.h"
#include "doubles/ScriptedFileDialog.h"
#include "model/EditorRules.h"
#include "model/HeadlessEditor.h"
#include "platform/SystemFileStore.h"
#include "commands/OpenCommand.h"
#include "commands/SaveCommand.h"

#include "BenchTexts.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace bw;

using bench::quotedBody;

// An editor holding a dialog with this body, a title with quotes and the
// follow-up boxes, one of them unchecked.
void fill(HeadlessEditor& editor, std::size_t units) {
    editor.load();
    editor.texts[0] = quotedBody(units);
    editor.texts[1] = u"It's \u2018quoted\u2019";
    editor.selectButtonOption(8);
    editor.setCheckValue(CheckBoxId::Check1, 1);
    editor.setCheckValue(CheckBoxId::Check6, 0);
}

std::u16string u16(const std::string& text) { return std::filesystem::path(text).u16string(); }

// Saves the editor's dialog as a PowerShell script through the save command;
// false when it was not written.
bool saveFile(HeadlessEditor& editor, FileStore& files, const std::u16string& path) {
    test::ScriptedFileDialog dialog;
    dialog.answers.push_back(path);
    test::RecordingMessageBox messages;
    return saveScript(editor, ScriptFormat::Ps1, SaveServices{dialog, files, messages}) == SaveOutcome::Written;
}

// Opens the file into the editor; false unless the body came back whole.
bool readFile(HeadlessEditor& editor, FileStore& files, const std::u16string& path, std::size_t units) {
    test::RecordingMessageBox messages;
    const ReadOutcome outcome = readPs1ScriptFile(editor, path, files, messages);
    return outcome == ReadOutcome::Read && messages.calls.empty() && editor.texts[0].size() == units;
}

// Before an iteration of a cold run, the memory of the one before goes back to the system.
void coolHeap(benchmark::State& state) {
    if (state.range(1) != 0) {
        state.PauseTiming();
        malloc_trim(0);
        state.ResumeTiming();
    }
}

void BM_SavePs1(benchmark::State& state) {
    const auto units = static_cast<std::size_t>(state.range(0));
    HeadlessEditor editor;
    fill(editor, units);
    const auto files = makeSystemFileStore();
    const auto path = (std::filesystem::temp_directory_path() / "boxwright-bench.ps1").u16string();
    bool ok = true;
    for (auto _ : state) {
        coolHeap(state);
        ok = saveFile(editor, *files, path) && ok;
    }
    if (!ok) {
        state.SkipWithError("the script was not written");
        return;
    }
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(units * 2));
    std::filesystem::remove(path);
}

void BM_ReadPs1(benchmark::State& state) {
    const auto units = static_cast<std::size_t>(state.range(0));
    const auto files = makeSystemFileStore();
    const auto path = (std::filesystem::temp_directory_path() / "boxwright-reader-bench.ps1").u16string();
    {
        HeadlessEditor saved;
        fill(saved, units);
        if (!saveFile(saved, *files, path)) {
            state.SkipWithError("the script could not be written");
            return;
        }
    }
    HeadlessEditor editor;
    editor.load();
    bool ok = true;
    for (auto _ : state) {
        coolHeap(state);
        ok = readFile(editor, *files, path, units) && ok;
    }
    if (!ok) {
        state.SkipWithError("the body did not read back");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(units * 2));
    std::filesystem::remove(path);
}

// The console report, keeping each case's real time in seconds for the summary.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, std::vector<double>> seconds;
    std::map<std::string, double> medians;  // of repeated runs, when only they are reported

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                continue;
            }
            const double time = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (run.run_type == Run::RT_Iteration) {
                seconds[run.run_name.str()].push_back(time);
            } else if (run.aggregate_name == "median") {
                medians[run.run_name.str()] = time;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // The median of a case's runs, or a negative number when it did not run.
    double median(const std::string& name) const {
        if (const auto aggregate = medians.find(name); aggregate != medians.end()) {
            return aggregate->second;
        }
        const auto found = seconds.find(name);
        if (found == seconds.end()) {
            return -1;
        }
        std::vector<double> times = found->second;
        std::sort(times.begin(), times.end());
        const std::size_t n = times.size();
        return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    }
};

void summary(const RatioReporter& reporter, const char* what, const std::string& benchmark) {
    const double small = reporter.median(benchmark + "/units:1048576/cold:1");
    const double large = reporter.median(benchmark + "/units:16777216/cold:1");
    if (small <= 0 || large < 0) {
        return;
    }
    const double ratio = large / small;
    std::printf("%s: 16 Mi %.1f ms, 1 Mi %.1f ms, ratio %.1f (linear 16, budget 20), 16 Mi %s 1 s: %s\n", what,
                large * 1e3, small * 1e3, ratio, large < 1 ? "under" : "over",
                ratio < 20 && large < 1 ? "within" : "OVER");
}

// Runs the command once and prints its wall-clock and processor milliseconds.
int oneShot(const std::string& mode, const std::string& file, std::size_t units) {
    const auto files = makeSystemFileStore();
    const std::u16string path = u16(file);
    HeadlessEditor editor;
    const bool save = mode == "--save-once";
    if (save) {
        fill(editor, units);
    } else {
        editor.load();
    }
    const auto start = std::chrono::steady_clock::now();
    const std::clock_t startCpu = std::clock();
    const bool ok = save ? saveFile(editor, *files, path) : readFile(editor, *files, path, units);
    const double cpu = 1e3 * static_cast<double>(std::clock() - startCpu) / CLOCKS_PER_SEC;
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    if (!ok) {
        std::fprintf(stderr, "ps1_bench: %s %s for a body of %zu characters failed\n", mode.c_str(), file.c_str(),
                     units);
        return 1;
    }
    std::printf("%.3f %.3f\n", elapsed.count(), cpu);
    return 0;
}

}  // namespace

BENCHMARK(BM_SavePs1)
    ->ArgsProduct({{1 << 20, 4 << 20, 16 << 20}, {0, 1}})
    ->ArgNames({"units", "cold"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPs1)
    ->ArgsProduct({{1 << 20, 4 << 20, 16 << 20}, {0, 1}})
    ->ArgNames({"units", "cold"})
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (argc == 4 && (std::string(argv[1]) == "--save-once" || std::string(argv[1]) == "--read-once")) {
        return oneShot(argv[1], argv[2], static_cast<std::size_t>(std::strtoull(argv[3], nullptr, 10)));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    summary(reporter, "saving a PowerShell script", "BM_SavePs1");
    summary(reporter, "reading a PowerShell script back", "BM_ReadPs1");
    benchmark::Shutdown();
    return 0;
}
