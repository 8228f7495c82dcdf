#!/usr/bin/env bash
# Runs every benchmark of a build made with -DBOXWRIGHT_BENCH=ON.
set -euo pipefail
build=${1:-build-bench}
"$build/bench/writer_bench"
if [ -x "$build/bench/reader_bench" ]; then
    "$build/bench/reader_bench"
    bash bench/reader_first_open.sh "$build"
fi
if [ -x "$build/bench/ps1_bench" ]; then
    "$build/bench/ps1_bench"
    bash bench/ps1_first_open.sh "$build"
fi
bash bench/convert_many.sh "$build"
if [ -x "$build/bench/codewindow/bench_code_window" ]; then "$build/bench/codewindow/bench_code_window"; fi
if [ -x "bench/startup/run.sh" ]; then bash bench/startup/run.sh "$build"; fi
bash bench/openwindow/run.sh "$build"
if [ -x "$build/bench/typing/bench_typing" ]; then "$build/bench/typing/bench_typing"; fi
