#include "PosixFiles.h"

#include "codec/Utf8.h"

#include <fcntl.h>
#include <sys/xattr.h>

#include <cerrno>
#include <cstdlib>
#include <cstdint>
#include <new>
#include <vector>

namespace bw::posix {

namespace {

// What a completed write leaves in the file, noted on its backup: the size
// and an FNV-1a hash of the new contents.
constexpr char kWrittenAttribute[] = "user.boxwright.written";

std::string fingerprint(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (const char c : bytes) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    return std::to_string(bytes.size()) + " " + std::to_string(hash);
}

std::string temporaryFolder() {
    const char* tmp = std::getenv("TMPDIR");
    return tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
}

// Where the copy of a file's old contents goes while it is written in place:
// beside it, under its name and ".boxwright-backup", where its folder takes
// new files; else in the temporary folder, under the file's identity.
std::vector<std::string> backupNames(const std::string& target, const struct stat& info) {
    return {target + kBackupSuffix, temporaryFolder() + "/boxwright-backup-" + std::to_string(info.st_dev) + "-" +
                                         std::to_string(info.st_ino)};
}

// Keeps a copy of the old contents on the disk, private to the user and
// synced, with the fingerprint of the new ones. "" when no copy could be made;
// the contents are kept in memory all the same.
std::string writeBackup(const std::string& target, const struct stat& info, std::string_view old,
                        std::string_view content) {
    const std::string written = fingerprint(content);
    for (const std::string& name : backupNames(target, info)) {
        // A copy left by an earlier save that did not finish is never written over.
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            continue;
        }
        // Without the note a later open cannot tell a finished write, and asks.
        ::fsetxattr(fd, kWrittenAttribute, written.data(), written.size(), 0);
        const bool done = writeAllAt(fd, old, 0) && ::fsync(fd) == 0;
        if (::close(fd) == 0 && done) {
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
    const std::string backup = writeBackup(target, info, old, content);
    if (beforeWritingInPlace != nullptr) {
        beforeWritingInPlace(target);
    }
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

std::optional<std::string> unfinishedSave(const std::string& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) {
        return std::nullopt;
    }
    for (const std::string& name : backupNames(target, info)) {
        struct stat backup {};
        if (::lstat(name.c_str(), &backup) != 0 || !S_ISREG(backup.st_mode) || backup.st_uid != ::geteuid()) {
            continue;
        }
        std::string note(64, '\0');
        const ssize_t n = ::getxattr(name.c_str(), kWrittenAttribute, note.data(), note.size());
        note.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
        std::string now;
        std::string old;
        const Descriptor file(::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        const Descriptor kept(::open(name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        if (file.fd < 0 || kept.fd < 0 || !readAll(file.fd, now) || !readAll(kept.fd, old)) {
            return name;  // nothing to compare with: the user decides
        }
        // Finished, or not begun: the copy is no longer needed.
        if (now == old || (!note.empty() && fingerprint(now) == note)) {
            ::unlink(name.c_str());
            continue;
        }
        return name;
    }
    return std::nullopt;
}

FileResult restoreUnfinishedSave(const std::string& target, const std::string& backup) {
    const Descriptor kept(::open(backup.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    std::string old;
    if (kept.fd < 0 || !readAll(kept.fd, old)) {
        return failure(errno);
    }
    const Descriptor file(::open(target.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (file.fd < 0 || !writeAllAt(file.fd, old, 0) || ::ftruncate(file.fd, static_cast<off_t>(old.size())) != 0 ||
        ::fsync(file.fd) != 0) {
        return failure(errno);
    }
    ::unlink(backup.c_str());
    return {};
}

}  // namespace bw::posix
