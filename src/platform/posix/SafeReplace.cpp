#include "PosixFiles.h"

#include <fcntl.h>

#include <array>
#include <cerrno>
#include <climits>
#include <random>

namespace bw::posix {

int followLinks(std::string& path, struct stat& info, bool& exists) {
    constexpr int kMaxLinks = 40;  // as many as the kernel follows in one path
    for (int links = 0; links <= kMaxLinks; ++links) {
        if (::lstat(path.c_str(), &info) != 0) {
            exists = false;
            return errno == ENOENT ? 0 : errno;
        }
        exists = true;
        if (!S_ISLNK(info.st_mode)) {
            return 0;
        }
        std::string link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n < 0) {
            return errno;
        }
        if (static_cast<std::size_t>(n) == link.size()) {
            return ENAMETOOLONG;
        }
        link.resize(static_cast<std::size_t>(n));
        // A relative link is relative to the folder that holds it.
        path = link.starts_with('/') ? link : folderOf(path) + "/" + link;
    }
    return ELOOP;
}

int createTemp(const std::string& folder, mode_t mode, std::string& name) {
    static thread_local std::mt19937 random{std::random_device{}()};
    constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + "/.boxwright-";
        for (int i = 0; i < 8; ++i) {
            name += kLetters[random() % kLetters.size()];
        }
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

namespace {

// Makes a rename in the folder last; a failure changes nothing already done.
void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

FileResult replaceWhole(const std::string& target, std::string_view content, const struct stat* existing,
                        bool& unkept) {
    unkept = false;
    std::string temp;
    const int fd = createTemp(folderOf(target), existing != nullptr ? 0600 : 0666, temp);
    if (fd < 0) {
        unkept = existing != nullptr && (errno == EACCES || errno == EPERM);
        return failure(errno);
    }
    int error = 0;
    if (existing != nullptr) {
        struct stat made {};
        if (::fstat(fd, &made) != 0) {
            error = errno;
        } else if ((made.st_uid != existing->st_uid || made.st_gid != existing->st_gid) &&
                   ::fchown(fd, existing->st_uid, existing->st_gid) != 0) {
            error = errno;
            unkept = error == EPERM || error == EINVAL;
        } else if (::fchmod(fd, existing->st_mode & 07777) != 0) {  // after fchown, which clears set-ID bits
            error = errno;
        }
    }
    if (error == 0 && (!writeAllAt(fd, content, 0) || ::fsync(fd) != 0)) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        return failure(error);
    }
    syncFolder(folderOf(target));
    return {};
}

}  // namespace bw::posix
