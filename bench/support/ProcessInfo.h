#pragma once

namespace bw {

// What the operating system knows about the running process, for the
// benchmarks' measurements. posix/ and windows/ each implement these; CMake
// builds the one of the system (bench_process).

// Milliseconds since this process was started, by the system's own record of
// the start; negative when the system does not say.
double millisecondsSinceProcessStart();

// The most memory this process has held resident so far, in KiB; negative
// when the system does not say.
long peakResidentKb();

}  // namespace bw
