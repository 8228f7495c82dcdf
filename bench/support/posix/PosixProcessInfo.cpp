#include "support/ProcessInfo.h"

#include <unistd.h>

#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace bw {

namespace {

double nowMs(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1.0e6;
}

// Files under /proc have no size: read whole.
std::string procFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

double millisecondsSinceProcessStart() {
    // Field 22 of /proc/self/stat: the start in clock ticks after boot (10 ms steps).
    const std::string stat = procFile("/proc/self/stat");
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) {
        return -1.0;
    }
    std::istringstream fields(stat.substr(close + 2));  // from field 3, after "pid (comm) "
    std::string field;
    for (int i = 3; i <= 22; ++i) {
        fields >> field;
    }
    if (!fields) {
        return -1.0;
    }
    const double startTicks = std::stod(field);
    const double ticksPerSecond = static_cast<double>(sysconf(_SC_CLK_TCK));
    return nowMs(CLOCK_BOOTTIME) - startTicks * 1000.0 / ticksPerSecond;
}

long peakResidentKb() {
    std::istringstream status(procFile("/proc/self/status"));
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

}  // namespace bw
