#include "PosixFiles.h"

#include <array>
#include <cerrno>

namespace bw::posix {

bool writeAllAt(int fd, std::string_view data, off_t offset) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::pwrite(fd, data.data() + done, data.size() - done, offset + static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

bool readAll(int fd, std::string& out, std::uint64_t limit) {
    std::array<char, 65536> buffer;
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(fd, buffer.data(), buffer.size(), at);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n == 0;
        }
        out.append(buffer.data(), static_cast<std::size_t>(n));
        at += n;
        if (out.size() > limit) {
            errno = EFBIG;
            return false;
        }
    }
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace bw::posix
