#include "PosixFiles.h"

#include "codec/Utf8.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdlib>
#include <new>

namespace bw::posix {

namespace {

// Keeps a copy of the old contents on the disk while a file is written in
// place: beside the file where its folder takes new files, else in the
// temporary folder; private to the user, and synced. "" when no copy could be
// made; the contents are kept in memory all the same.
std::string writeBackup(const std::string& target, std::string_view old) {
    const char* tmp = std::getenv("TMPDIR");
    for (const std::string& folder : {folderOf(target), std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp")}) {
        std::string name;
        const int fd = createTemp(folder, 0600, name, TempKind::Backup);
        if (fd < 0) {
            continue;
        }
        const bool written = writeAllAt(fd, old, 0) && ::fsync(fd) == 0;
        if (::close(fd) == 0 && written) {
            return name;
        }
        ::unlink(name.c_str());
    }
    return {};
}

}  // namespace

namespace {

// A file the user may write but not read: its old contents cannot be kept,
// so the new ones go straight over them.
FileResult writeUnread(const std::string& target, std::string_view content) {
    const Descriptor file(::open(target.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat info {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0) {
        return failure(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return failure(notRegular(info.st_mode));
    }
    if (!writeAllAt(file.fd, content, 0) || ::ftruncate(file.fd, static_cast<off_t>(content.size())) != 0 ||
        ::fsync(file.fd) != 0) {
        return failure(errno);
    }
    return {};
}

}  // namespace

FileResult writeInPlace(const std::string& target, std::string_view content) {
    const Descriptor file(::open(target.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (file.fd < 0 && errno == EACCES) {
        return writeUnread(target, content);
    }
    struct stat info {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0) {
        return failure(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return failure(notRegular(info.st_mode));
    }
    std::string old;
    try {
        old.reserve(static_cast<std::size_t>(info.st_size));
        if (!readAll(file.fd, old)) {
            return failure(errno);
        }
    } catch (const std::bad_alloc&) {
        return failure(ENOMEM);
    }
    const std::string backup = writeBackup(target, old);
    if (!writeAllAt(file.fd, content, 0) || ::ftruncate(file.fd, static_cast<off_t>(content.size())) != 0 ||
        ::fsync(file.fd) != 0) {
        FileResult result = failure(errno);
        // The old contents go back over the blocks they had; on a file system
        // that writes every change to new blocks even this may fail.
        if (writeAllAt(file.fd, old, 0) && ::ftruncate(file.fd, static_cast<off_t>(old.size())) == 0 &&
            ::fsync(file.fd) == 0) {
            if (!backup.empty()) {
                ::unlink(backup.c_str());
            }
        } else {
            result.error += backup.empty() ? u"元の内容を戻せませんでした。"
                                           : u"元の内容を戻せなかったため、「" +
                                                 fromUtf8(backup) + u"」に残しています。";
        }
        return result;
    }
    if (!backup.empty()) {
        ::unlink(backup.c_str());
    }
    return {};
}

}  // namespace bw::posix
