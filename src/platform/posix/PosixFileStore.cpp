#include "PosixFileStore.h"

#include "PosixFiles.h"
#include "codec/Utf8.h"
#include "platform/SystemFileStore.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdint>
#include <new>

namespace bw {

using namespace posix;

std::unique_ptr<FileStore> makeSystemFileStore() { return std::make_unique<PosixFileStore>(); }

FileResult PosixFileStore::write(const std::u16string& path, std::string_view content) {
    std::string target = toUtf8Escaped(path);
    struct stat existing {};
    bool exists = false;
    if (const int error = followLinks(target, existing, exists); error != 0) {
        return failure(error);
    }
    bool unkept = false;
    if (!exists) {
        return replaceWhole(target, content, nullptr, unkept);
    }
    // A device, FIFO, socket or folder is never replaced by a file.
    if (!S_ISREG(existing.st_mode)) {
        return failure(notRegular(existing.st_mode));
    }
    // A file without any write permission is read-only even to the superuser.
    if ((existing.st_mode & 0222) == 0) {
        return failure(FileProblem::ReadOnlyFile);
    }
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return failure(errno);
    }
    // Another name of the file would keep the old contents if it were replaced.
    if (existing.st_nlink == 1) {
        FileResult result = replaceWhole(target, content, &existing, unkept);
        if (!unkept) {
            return result;
        }
    }
    return writeInPlace(target, content);
}

ReadFileResult PosixFileStore::read(const std::u16string& path) {
    const std::string source = toUtf8Escaped(path);
    // Only a regular file is read: a FIFO would wait for a writer, a device
    // such as /dev/zero would never end, and opening some devices does things.
    struct stat info {};
    if (::stat(source.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return ReadFileResult{false, text(notRegular(info.st_mode)), {}};
    }
    // Opened without waiting, should it have become something else meanwhile,
    // then checked again; reads then wait for their data as usual.
    const Descriptor file(::open(source.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    const int fd = file.fd;
    if (fd < 0) {
        return ReadFileResult{false, reason(errno), {}};
    }
    int flags = 0;
    if (::fstat(fd, &info) != 0 || (flags = ::fcntl(fd, F_GETFL)) < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        return ReadFileResult{false, reason(errno), {}};
    }
    if (!S_ISREG(info.st_mode)) {
        return ReadFileResult{false, text(notRegular(info.st_mode)), {}};
    }
    if (static_cast<std::uint64_t>(info.st_size) > kLargestReadableFile) {
        return ReadFileResult{false, text(FileProblem::TooLarge), {}};
    }

    ReadFileResult result;
    try {
        result.bytes.reserve(static_cast<std::size_t>(info.st_size));
        if (!readAll(fd, result.bytes, kLargestReadableFile)) {
            return ReadFileResult{false, errno == EFBIG ? text(FileProblem::TooLarge) : reason(errno), {}};
        }
    } catch (const std::bad_alloc&) {
        // A file larger than the memory there is: reported like any failed read.
        return ReadFileResult{false, reason(ENOMEM), {}};
    }
    return result;
}

namespace {

// The file a path leads to, its symbolic links followed; nothing when there is none.
std::optional<std::string> fileOf(const std::u16string& path) {
    std::string target = toUtf8Escaped(path);
    struct stat info {};
    bool exists = false;
    if (followLinks(target, info, exists) != 0 || !exists || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return target;
}

}  // namespace

std::optional<std::u16string> PosixFileStore::unfinishedSave(const std::u16string& path) {
    const std::optional<std::string> target = fileOf(path);
    const std::optional<std::string> backup = target ? posix::unfinishedSave(*target) : std::nullopt;
    return backup ? std::optional<std::u16string>(fromUtf8Escaped(*backup)) : std::nullopt;
}

FileResult PosixFileStore::restoreUnfinishedSave(const std::u16string& path, const std::u16string& backup) {
    const std::optional<std::string> target = fileOf(path);
    return target ? posix::restoreUnfinishedSave(*target, toUtf8Escaped(backup)) : failure(FileProblem::NotFound);
}

NameState PosixFileStore::look(const std::u16string& path) {
    const std::string name = toUtf8Escaped(path);
    NameState state;
    struct stat info {};
    state.taken = ::lstat(name.c_str(), &info) == 0;
    if (state.taken && ::stat(name.c_str(), &info) == 0) {
        state.file = FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
    }
    return state;
}

}  // namespace bw
