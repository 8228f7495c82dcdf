#include "PosixFiles.h"

#include <fcntl.h>
#include <sys/xattr.h>

#include <array>
#include <cerrno>
#include <climits>

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

namespace {

// Copies every extended attribute of the file at `from` to the open file:
// the access control list (system.posix_acl_access) among them, so that the
// replacement grants what the old file granted. 0, or the errno of the first
// attribute that could not be read or set.
int copyAttributes(const std::string& from, int to) {
    ssize_t size = ::llistxattr(from.c_str(), nullptr, 0);
    if (size < 0) {
        return errno == ENOTSUP ? 0 : errno;
    }
    std::string names(static_cast<std::size_t>(size), '\0');
    size = ::llistxattr(from.c_str(), names.data(), names.size());
    if (size < 0) {
        return errno;
    }
    names.resize(static_cast<std::size_t>(size));
    for (std::size_t at = 0; at < names.size(); at = names.find('\0', at) + 1) {
        const char* name = names.c_str() + at;
        const ssize_t length = ::lgetxattr(from.c_str(), name, nullptr, 0);
        if (length < 0) {
            return errno;
        }
        std::string value(static_cast<std::size_t>(length), '\0');
        const ssize_t got = ::lgetxattr(from.c_str(), name, value.data(), value.size());
        if (got < 0 || ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(got), 0) != 0) {
            return errno;
        }
    }
    return 0;
}

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
    removeStaleTemps(folderOf(target));
    const int fd = createTemp(folderOf(target), existing != nullptr ? 0600 : 0666, temp, TempKind::Replacement);
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
        } else if (const int copied = copyAttributes(target, fd); copied != 0) {
            // The old file's access list or attributes cannot go with it:
            // written in place instead, the file keeps them all.
            error = copied;
            unkept = true;
        }
    }
    if (error == 0 && (!writeAllAt(fd, content, 0) || ::fsync(fd) != 0)) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && beforeReplacing != nullptr) {
        beforeReplacing(temp);
    }
    if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temp.c_str());
        forgetTemp(temp);
        return failure(error);
    }
    forgetTemp(temp);
    syncFolder(folderOf(target));
    return {};
}

}  // namespace bw::posix
