#include "PosixFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <mutex>
#include <random>
#include <set>
#include <sstream>

namespace bw::posix {

namespace {

// The files a save is writing, for the signal handler to remove should the
// program be interrupted (Ctrl+C, a TERM or HUP): fixed slots, so that the
// handler reads them without taking a lock or allocating.
constexpr std::size_t kSlots = 8;
constexpr std::size_t kPathBytes = 4096;
struct Slot {
    std::atomic<bool> used{false};
    char path[kPathBytes]{};
};
std::array<Slot, kSlots> slots;
std::mutex slotsLock;  // between threads that register; the handler only reads

constexpr std::array<int, 3> kSignals = {SIGINT, SIGTERM, SIGHUP};
struct sigaction previous[kSignals.size()];

void removeAndPassOn(int signal) {
    for (Slot& slot : slots) {
        if (slot.used.load()) {
            ::unlink(slot.path);
        }
    }
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (kSignals[i] == signal) {
            ::sigaction(signal, &previous[i], nullptr);
        }
    }
    ::raise(signal);
}

void installHandlers() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        for (std::size_t i = 0; i < kSignals.size(); ++i) {
            struct sigaction action {};
            action.sa_handler = removeAndPassOn;
            sigemptyset(&action.sa_mask);
            ::sigaction(kSignals[i], nullptr, &previous[i]);
            // A signal the program ignores stays ignored.
            if (previous[i].sa_handler != SIG_IGN) {
                ::sigaction(kSignals[i], &action, nullptr);
            }
        }
    });
}

void remember(const std::string& name) {
    if (name.size() >= kPathBytes) {
        return;  // still removed on every ordinary path; only an interruption would leave it
    }
    const std::lock_guard lock(slotsLock);
    for (Slot& slot : slots) {
        if (!slot.used.load()) {
            std::memcpy(slot.path, name.c_str(), name.size() + 1);
            slot.used.store(true);
            return;
        }
    }
}

constexpr std::string_view kTempPrefix = ".boxwright-";

// When the process began, in seconds since the epoch; 0 where the system does not say.
long long processStart(long pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return 0;
    }
    // The fields after the command's name, which is in parentheses and may hold blanks.
    std::istringstream fields(line.substr(line.rfind(')') + 1));
    std::string field;
    long long ticks = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 22) {
            ticks = std::stoll(field);
            break;
        }
    }
    std::ifstream system("/proc/stat");
    long long boot = 0;
    for (std::string key; system >> key;) {
        if (key == "btime") {
            system >> boot;
            break;
        }
    }
    const long perSecond = ::sysconf(_SC_CLK_TCK);
    return boot == 0 || perSecond <= 0 ? 0 : boot + ticks / perSecond;
}

}  // namespace

int createTemp(const std::string& folder, mode_t mode, std::string& name, TempKind kind) {
    static thread_local std::mt19937 random{std::random_device{}()};
    constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    if (kind == TempKind::Replacement) {
        installHandlers();
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        // A replacement carries the process's number, by which a later save
        // knows it for debris; a backup is kept until it is no longer needed.
        name = folder + "/" + std::string(kTempPrefix) +
               (kind == TempKind::Replacement ? std::to_string(::getpid()) + "-" : std::string("backup-"));
        for (int i = 0; i < 8; ++i) {
            name += kLetters[random() % kLetters.size()];
        }
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 && kind == TempKind::Replacement) {
            remember(name);
        }
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

void forgetTemp(const std::string& name) {
    const std::lock_guard lock(slotsLock);
    for (Slot& slot : slots) {
        if (slot.used.load() && name == slot.path) {
            slot.used.store(false);
        }
    }
}

void removeStaleTemps(const std::string& folder) {
    // Once a folder per process: a converter saving thousands of files into
    // one folder reads it once, not once a file.
    static std::mutex scannedLock;
    static std::set<std::string> scanned;
    {
        const std::lock_guard lock(scannedLock);
        if (!scanned.insert(folder).second) {
            return;
        }
    }
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    const uid_t me = ::geteuid();
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(kTempPrefix)) {
            continue;
        }
        long pid = 0;
        const std::string_view rest = name.substr(kTempPrefix.size());
        const auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), pid);
        if (ec != std::errc() || end == rest.data() || *end != '-' || pid <= 0) {
            continue;  // a backup, or no file of ours
        }
        const std::string path = folder + "/" + std::string(name);
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != me) {
            continue;
        }
        // Debris when the process that made it is gone, or is a later one
        // that took its number.
        const bool gone = ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
        const long long started = gone ? 0 : processStart(pid);
        if (gone || (started != 0 && started > info.st_mtime)) {
            ::unlink(path.c_str());
        }
    }
    ::closedir(dir);
}

}  // namespace bw::posix
