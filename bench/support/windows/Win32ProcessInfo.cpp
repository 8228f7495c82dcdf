#include "support/ProcessInfo.h"

#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <cstdint>

namespace bw {

namespace {

std::uint64_t ticks(FILETIME time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

}  // namespace

double millisecondsSinceProcessStart() {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) {
        return -1.0;
    }
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    // Both in 100-nanosecond steps since 1601.
    return static_cast<double>(ticks(now) - ticks(created)) / 1.0e4;
}

long peakResidentKb() {
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
        return -1;
    }
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}

}  // namespace bw
